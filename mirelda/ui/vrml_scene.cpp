#include "mirelda/ui/vrml_scene.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/VRMLnodes/SoVRMLInline.h>
#include <Inventor/VRMLnodes/SoVRMLViewpoint.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/nodes/SoSeparator.h>

#include <fstream>
#include <functional>
#include <set>
#include <utility>

namespace mirelda::ui {
namespace {

// Collects Coin's read errors for the file being read.
struct ErrorCollector {
  std::string text;
  SoErrorCB* previous = nullptr;
  void* previousData = nullptr;

  ErrorCollector() {
    previous = SoReadError::getHandlerCallback();
    previousData = SoReadError::getHandlerData();
    SoReadError::setHandlerCallback(&ErrorCollector::Collect, this);
  }
  ~ErrorCollector() { SoReadError::setHandlerCallback(previous, previousData); }
  ErrorCollector(const ErrorCollector&) = delete;
  ErrorCollector& operator=(const ErrorCollector&) = delete;

  static void Collect(const SoError* error, void* data) {
    auto* self = static_cast<ErrorCollector*>(data);
    if (!self->text.empty()) self->text += '\n';
    self->text += error->getDebugString().getString();
  }
};

bool IsVrml2(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string first;
  std::getline(in, first);
  return first.rfind("#VRML V2.0", 0) == 0;
}

// The address of an Inline as a path: relative addresses from the including file's folder; a "file:"
// address is a path too. Other schemes give nullopt.
std::optional<std::filesystem::path> ResolveAddress(std::string address,
                                                    const std::filesystem::path& folder) {
  if (address.rfind("file://", 0) == 0) {
    address.erase(0, 7);
  } else if (address.rfind("file:", 0) == 0) {
    address.erase(0, 5);
  } else if (address.find("://") != std::string::npos) {
    return std::nullopt;
  }
  for (char& c : address) {
    if (c == '\\') c = '/';
  }
  const std::filesystem::path path(address);
  return (path.is_absolute() ? path : folder / path).lexically_normal();
}

// Visits a node and everything below it in the file's order, the files of Inline nodes read in place.
// Returns true as soon as visit does (to stop early).
bool Walk(SoNode* node, const std::function<bool(SoNode*)>& visit) {
  if (!node) return false;
  if (visit(node)) return true;
  if (node->isOfType(SoVRMLInline::getClassTypeId())) {
    return Walk(static_cast<SoVRMLInline*>(node)->getChildData(), visit);
  }
  if (node->isOfType(SoGroup::getClassTypeId())) {
    auto* group = static_cast<SoGroup*>(node);
    for (int i = 0; i < group->getNumChildren(); ++i) {
      if (Walk(group->getChild(i), visit)) return true;
    }
  }
  return false;
}

class Loader {
 public:
  explicit Loader(std::vector<std::string>& problems) : problems_(problems) {}

  // Reads one file; nullptr (and a problem) when it cannot be read or has a syntax error.
  SoSeparator* Read(const std::filesystem::path& file, int depth) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
      problems_.push_back("cannot open " + file.string());
      return nullptr;
    }
    if (!IsVrml2(file)) {
      problems_.push_back(file.string() +
                          " is not a VRML 2.0 file (its first line is not \"#VRML V2.0 ...\")");
      return nullptr;
    }
    SoInput input;
    if (!input.openFile(file.string().c_str(), TRUE)) {
      problems_.push_back("cannot open " + file.string());
      return nullptr;
    }
    SoSeparator* root = nullptr;
    std::string errors;
    {
      ErrorCollector collector;
      root = SoDB::readAll(&input);
      errors = collector.text;
    }
    if (!root) {
      problems_.push_back("syntax error in " + file.string() + (errors.empty() ? "" : ":\n" + errors));
      return nullptr;
    }
    root->ref();
    if (!errors.empty()) problems_.push_back("while reading " + file.string() + ":\n" + errors);
    ReadInlines(root, file.parent_path(), depth);
    root->unrefNoDelete();
    return root;
  }

 private:
  void ReadInlines(SoSeparator* root, const std::filesystem::path& folder, int depth) {
    std::vector<SoVRMLInline*> inlines;
    std::set<SoVRMLInline*> seen;  // a node used twice (DEF / USE) is read once
    Walk(root, [&](SoNode* node) {
      if (node->isOfType(SoVRMLInline::getClassTypeId())) {
        auto* inlineNode = static_cast<SoVRMLInline*>(node);
        if (seen.insert(inlineNode).second) inlines.push_back(inlineNode);
      }
      return false;
    });
    for (SoVRMLInline* inlineNode : inlines) {
      if (inlineNode->url.getNum() == 0) continue;
      const std::string address = inlineNode->url[0].getString();
      const auto path = ResolveAddress(address, folder);
      if (!path) {
        problems_.push_back("Inline \"" + address + "\" is not a local file and was not read");
        continue;
      }
      if (depth + 1 > kMaxInlineDepth) {
        problems_.push_back("Inline \"" + address + "\" nested too deeply (does a file include itself?)");
        continue;
      }
      std::error_code error;
      if (!std::filesystem::is_regular_file(*path, error)) {
        problems_.push_back("missing Inline file \"" + address + "\": " + path->string() + " does not exist");
        continue;
      }
      if (SoSeparator* child = Read(*path, depth + 1)) inlineNode->setChildData(child);
    }
  }

  std::vector<std::string>& problems_;
};

std::optional<ViewpointSetting> FirstViewpoint(SoSeparator* root) {
  SoVRMLViewpoint* viewpoint = nullptr;
  Walk(root, [&viewpoint](SoNode* node) {
    if (!node->isOfType(SoVRMLViewpoint::getClassTypeId())) return false;
    viewpoint = static_cast<SoVRMLViewpoint*>(node);
    return true;
  });
  if (!viewpoint) return std::nullopt;
  ViewpointSetting setting;
  setting.position = viewpoint->position.getValue();
  setting.orientation = viewpoint->orientation.getValue();
  setting.fieldOfView = viewpoint->fieldOfView.getValue();
  return setting;
}

}  // namespace

VrmlScene::~VrmlScene() {
  if (root_) root_->unref();
}

VrmlScene::VrmlScene(VrmlScene&& other) noexcept
    : root_(std::exchange(other.root_, nullptr)),
      viewpoint_(other.viewpoint_),
      problems_(std::move(other.problems_)) {}

VrmlScene& VrmlScene::operator=(VrmlScene&& other) noexcept {
  if (this != &other) {
    if (root_) root_->unref();
    root_ = std::exchange(other.root_, nullptr);
    viewpoint_ = other.viewpoint_;
    problems_ = std::move(other.problems_);
  }
  return *this;
}

VrmlScene LoadVrmlScene(const std::filesystem::path& file) {
  SoDB::init();
  // Inline files are read here, from the including file's folder: Coin's own reading would try the
  // current folder first.
  SoVRMLInline::setReadAsSoFile(FALSE);
  VrmlScene scene;
  Loader loader(scene.problems_);
  scene.root_ = loader.Read(std::filesystem::absolute(file).lexically_normal(), 0);
  if (scene.root_) {
    scene.root_->ref();
    scene.viewpoint_ = FirstViewpoint(scene.root_);
  }
  return scene;
}

}  // namespace mirelda::ui
