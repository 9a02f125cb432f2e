#include "mirelda/workflow/protein_files.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <memory>
#include <system_error>

#include "brindel/exchange/text_lines.h"
#include "mirelda/workflow/mmcif_protein.h"

using namespace mirelda::exchange;
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

// Reads a whole file; a gzipped one (whatever its name) is unpacked on the way, others read as they are.
std::string ReadMaybeGzipped(const std::filesystem::path& path, std::string& text) {
  const std::unique_ptr<gzFile_s, int (*)(gzFile)> file(gzopen(path.c_str(), "rb"), gzclose);
  if (!file) return "cannot open " + path.string();
  std::array<char, 1 << 16> buffer{};
  for (;;) {
    const int count = gzread(file.get(), buffer.data(), static_cast<unsigned>(buffer.size()));
    if (count < 0) return "cannot read " + path.string();
    if (count == 0) break;
    text.append(buffer.data(), static_cast<std::size_t>(count));
  }
  // A gzipped file cut short ends like a complete one; only zlib's error state tells them apart.
  int error = Z_OK;
  gzerror(file.get(), &error);
  if (error != Z_OK) return "cannot read " + path.string() + " (gzip data cut short or damaged)";
  return {};
}

std::string LowerCase(std::string text) {
  std::ranges::transform(text, text.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Whether the name ends with the ending, in any case, and holds more than it.
bool EndsWithAnyCase(const std::string& name, std::string_view ending) {
  return name.size() > ending.size() && LowerCase(name.substr(name.size() - ending.size())) == ending;
}

// By the name, without its ".gz"; a name without a known extension by the text: an mmCIF file opens with a
// data block ("data_"), after comments and blank lines.
ProteinFormat FormatOf(const std::filesystem::path& path, std::string_view text) {
  std::string name = LowerCase(path.filename().string());
  if (name.ends_with(".gz")) name.resize(name.size() - 3);
  const std::string extension = std::filesystem::path(name).extension().string();
  if (extension == ".cif" || extension == ".mmcif") return ProteinFormat::Mmcif;
  if (extension == ".pdb" || extension == ".ent") return ProteinFormat::Pdb;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    const std::string_view line = TrimBlanks(text.substr(at, end - at));
    if (!line.empty() && line.front() != '#')
      return line.starts_with("data_") ? ProteinFormat::Mmcif : ProteinFormat::Pdb;
    at = end + 1;
  }
  return ProteinFormat::Pdb;
}

}  // namespace

std::string ProteinStem(const std::filesystem::path& file) {
  std::string name = file.filename().string();
  if (EndsWithAnyCase(name, ".gz")) name.resize(name.size() - 3);
  for (const std::string_view extension : kProteinFileExtensions) {
    if (EndsWithAnyCase(name, extension)) {
      name.resize(name.size() - extension.size());
      break;
    }
  }
  return name;
}

std::string ReadProteinText(const std::filesystem::path& path, std::string& text, ProteinFormat& format) {
  // A folder, a device such as /dev/zero or a pipe is no protein file: reading one would fail or never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    return (std::filesystem::exists(path, error) ? "not a regular file: " : "cannot open ") + path.string();
  if (std::string failure = ReadMaybeGzipped(path, text); !failure.empty()) return failure;
  format = FormatOf(path, text);
  return {};
}

ProteinReading ReadProteinFile(const std::filesystem::path& path,
                               const std::function<void(long long)>& progress,
                               const ReadingOptions& options) {
  std::string text;
  ProteinFormat format = ProteinFormat::Pdb;
  if (std::string failure = ReadProteinText(path, text, format); !failure.empty()) {
    ProteinReading failed;
    failed.failure = std::move(failure);
    return failed;
  }
  ProteinReading reading = format == ProteinFormat::Mmcif
                               ? ReadMmcifProtein(text, path.string(), progress, options)
                               : ReadProtein(text, progress, options);
  if (reading.failure == kNoAtomLineFailure)
    reading.failure = path.string() + " holds no atom record: " + std::string(kProteinFormatsRead);
  return reading;
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
