#include "tests/support/vrml_check.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/nodes/SoSeparator.h>

#include <filesystem>

#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

namespace mirelda::testing {
namespace {

void CollectError(const SoError* error, void* data) {
  auto* errors = static_cast<std::string*>(data);
  *errors += error->getDebugString().getString();
  *errors += '\n';
}

// Parses the scene with the given folder as the current one: Coin resolves Inline addresses against the
// current folder first.
VrmlCheck ParseIn(const std::string& scene, const std::filesystem::path& folder) {
  SoDB::init();
  VrmlCheck check;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  SoErrorCB* previousHandler = SoReadError::getHandlerCallback();
  void* previousData = SoReadError::getHandlerData();
  SoReadError::setHandlerCallback(CollectError, &check.errors);
  SoInput input;
  input.setBuffer(scene.data(), scene.size());
  SoSeparator* root = SoDB::readAll(&input);
  SoReadError::setHandlerCallback(previousHandler, previousData);
  std::filesystem::current_path(previous);
  check.parsed = root != nullptr;
  if (root) {
    root->ref();
    root->unref();
  }
  return check;
}

}  // namespace

VrmlCheck ParseVrml(const std::string& scene, const std::map<std::string, std::string>& files) {
  ScratchFolder folder;
  for (const auto& [name, text] : files) folder.Write(name, text);
  return ParseIn(scene, folder.Path());
}

VrmlCheck ParseVrmlFile(const std::filesystem::path& path) {
  return ParseIn(ReadFileText(path), std::filesystem::absolute(path).parent_path());
}

}  // namespace mirelda::testing
