#include "mirelda/workflow/local_scenes.h"

#include <algorithm>
#include <optional>

#include "brindel/exchange/scene_blocks.h"
#include "mirelda/workflow/folder_operations.h"

namespace mirelda::workflow {
namespace {

constexpr std::string_view kParentAddress = "url \"../";
constexpr std::string_view kLocalAddress = "url \"";

}  // namespace

std::string LocalInlines(std::string_view scene) {
  // The header ends where the first block's marker starts a line.
  std::string firstBlock(1, '\n');
  firstBlock += exchange::BlockStartMarker;
  const std::size_t headerEnd = std::min(scene.find(firstBlock), scene.size());
  std::string header(scene.substr(0, headerEnd));
  for (std::size_t at = header.find(kParentAddress); at != std::string::npos;
       at = header.find(kParentAddress, at + kLocalAddress.size()))
    header.replace(at, kParentAddress.size(), kLocalAddress);
  return header + std::string(scene.substr(headerEnd));
}

std::string KeepResultScenesLocal(const std::filesystem::path& resultsFolder, const std::string& proteinName) {
  for (const std::string& name : {proteinName + ".wrl", std::string("premier.wrl")}) {
    const std::filesystem::path path = resultsFolder / name;
    if (!std::filesystem::exists(path)) continue;  // the step that shows it says it is missing
    const std::optional<std::string> scene = ReadTextFile(path);
    if (!scene) return "cannot open " + path.string();
    const std::string local = LocalInlines(*scene);
    if (local == *scene) continue;
    if (std::string failure = WriteTextFile(path, local); !failure.empty()) return failure;
  }
  return {};
}

}  // namespace mirelda::workflow
