// Reads a VRML 2.0 scene file into a Coin scene graph with every Inline address resolved from the folder
// of the file that names it (never from the current folder, which holds other files of the same names),
// and finds the scene's first Viewpoint. Coin only: no GL context, no Qt.
#pragma once

#include <Inventor/SbLinear.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class SoSeparator;

namespace mirelda::ui {

// Inline files nested deeper than this are not read: it stops a file that includes itself.
inline constexpr int kMaxInlineDepth = 16;

struct ViewpointSetting {
  SbVec3f position;
  SbRotation orientation;
  float fieldOfView = 0.785398f;  // the VRML default, 45 degrees
};

// A loaded scene. Owns one reference to root (nullptr when the file could not be read at all).
class VrmlScene {
 public:
  VrmlScene() = default;
  ~VrmlScene();
  VrmlScene(VrmlScene&& other) noexcept;
  VrmlScene& operator=(VrmlScene&& other) noexcept;
  VrmlScene(const VrmlScene&) = delete;
  VrmlScene& operator=(const VrmlScene&) = delete;

  SoSeparator* Root() const { return root_; }
  // The first Viewpoint in the order of the file, Inline files read in place; nullopt when none.
  const std::optional<ViewpointSetting>& Viewpoint() const { return viewpoint_; }
  // What went wrong, one sentence each: the file unreadable or not VRML, syntax errors, missing or
  // unreadable Inline files (the rest of the scene is still shown).
  const std::vector<std::string>& Problems() const { return problems_; }

  friend VrmlScene LoadVrmlScene(const std::filesystem::path& file);

 private:
  SoSeparator* root_ = nullptr;
  std::optional<ViewpointSetting> viewpoint_;
  std::vector<std::string> problems_;
};

// Initialises Coin if needed and reads the file and its Inline files.
VrmlScene LoadVrmlScene(const std::filesystem::path& file);

}  // namespace mirelda::ui
