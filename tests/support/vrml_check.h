// Parses a VRML 2.0 text with Coin, headless, in a scratch folder that holds the files its Inline nodes
// name, and reports Coin's read errors: every scene the front-end composes must load in a viewer.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace mirelda::testing {

struct VrmlCheck {
  bool parsed = false;
  std::string errors;  // Coin's read errors, one a line
};

// `files` are written beside the scene (name to text) before it is parsed there.
VrmlCheck ParseVrml(const std::string& scene, const std::map<std::string, std::string>& files = {});

// Parses a scene file in its own folder, so that its Inline addresses find the files beside it.
VrmlCheck ParseVrmlFile(const std::filesystem::path& path);

}  // namespace mirelda::testing
