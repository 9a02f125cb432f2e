#include "mirelda/workflow/protein_files.h"

#include <fstream>
#include <ios>
#include <iterator>
#include <system_error>

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
  ProteinReading failed;
  // A folder, a device such as /dev/zero or a pipe is no protein file: reading one would throw or never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    failed.failure =
        (std::filesystem::exists(path, error) ? "not a regular file: " : "cannot open ") + path.string();
    return failed;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    failed.failure = "cannot open " + path.string();
    return failed;
  }
  std::string text;
  try {
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    in.setstate(std::ios::badbit);
  }
  if (in.bad()) {
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
