#include "mirelda/workflow/protein_files.h"

#include <fstream>
#include <iterator>

using namespace mirelda::model;

namespace mirelda::workflow {
namespace {

std::string WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return "cannot open " + path.string();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) return "cannot write " + path.string();
  return {};
}

}  // namespace

ProteinReading ReadProteinFile(const std::filesystem::path& path,
                               const std::function<void(long long)>& progress) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ProteinReading failed;
    failed.failure = "cannot open " + path.string();
    return failed;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    ProteinReading failed;
    failed.failure = "cannot read " + path.string();
    return failed;
  }
  return ReadProtein(text, progress);
}

std::string WriteProteinFiles(const ProteinReading& reading, const std::filesystem::path& folder) {
  const std::pair<const char*, const std::string*> files[] = {{kProblemReportFile, &reading.tampon},
                                                              {kProtSceneFile, &reading.scenes.prot},
                                                              {kTraceSceneFile, &reading.scenes.trace},
                                                              {kLabelSceneFile, &reading.scenes.label},
                                                              {kViewSceneFile, &reading.scenes.view}};
  for (const auto& [name, text] : files)
    if (std::string failure = WriteText(folder / name, *text); !failure.empty()) return failure;
  return {};
}

}  // namespace mirelda::workflow
