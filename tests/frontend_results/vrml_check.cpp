#include "vrml_check.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/nodes/SoSeparator.h>

#include <filesystem>

#include "scratch_folder.h"

namespace mirelda::testing {
namespace {

void CollectError(const SoError* error, void* data) {
  auto* errors = static_cast<std::string*>(data);
  *errors += error->getDebugString().getString();
  *errors += '\n';
}

}  // namespace

VrmlCheck ParseVrml(const std::string& scene, const std::map<std::string, std::string>& files) {
  SoDB::init();
  ScratchFolder folder;
  for (const auto& [name, text] : files) folder.Write(name, text);
  VrmlCheck check;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());  // Coin resolves Inline addresses against the cwd first
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

}  // namespace mirelda::testing
