#include "brindel/exchange/run_files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace mirelda::exchange {

bool CreateMarker(const char* name) {
  std::FILE* marker = std::fopen(name, "w");
  if (marker == nullptr) return false;
  return std::fclose(marker) == 0;
}

std::string ResultPath(std::string_view proteinName, std::string_view fileName) {
  std::string path(proteinName);
  path += '/';
  path += fileName;
  return path;
}

namespace {

void CannotOpen(std::string_view name) {
  std::fprintf(stderr, "cannot open %.*s\n", static_cast<int>(name.size()), name.data());
}

}  // namespace

bool CreateRunMarker(const char* name) {
  if (CreateMarker(name)) return true;
  CannotOpen(name);
  return false;
}

void MakeResultsFolder(std::string_view proteinName) {
  std::error_code ignored;
  const std::filesystem::path folder(proteinName);
  if (!std::filesystem::exists(folder, ignored)) std::filesystem::create_directory(folder, ignored);
}

void ReportRefusedName(std::string_view keptName) {
  std::fprintf(stderr, "NOM_PROT: unusable protein name, %.*s kept\n", static_cast<int>(keptName.size()),
               keptName.data());
}

RunInput::RunInput(const std::string& path, std::string_view messageName) : stream_(path, std::ios::binary) {
  if (!stream_.is_open()) CannotOpen(messageName.empty() ? std::string_view(path) : messageName);
}

void RunInput::Close(std::string_view stillOpenMessage) {
  stream_.clear();
  stream_.close();
  if (stream_.fail()) std::fwrite(stillOpenMessage.data(), 1, stillOpenMessage.size(), stderr);
}

RunOutput::RunOutput(const std::string& path, std::string_view messageName)
    : path_(path), buffer_(std::make_unique_for_overwrite<char[]>(OutputBuffer)) {
  // Set before opening, as the file buffer requires: result files run to tens of megabytes, written in
  // blocks of this size rather than the default few kilobytes. Left uninitialised, so that a small file
  // touches only the pages it fills.
  stream_.rdbuf()->pubsetbuf(buffer_.get(), OutputBuffer);
  stream_.open(path, std::ios::binary);
  if (!stream_.is_open()) CannotOpen(messageName.empty() ? std::string_view(path) : messageName);
}

bool RunOutput::Close(std::string_view stillOpenMessage) {
  if (!stream_.is_open()) return false;
  stream_.close();
  if (!stream_.fail()) return true;
  if (!stillOpenMessage.empty()) std::fwrite(stillOpenMessage.data(), 1, stillOpenMessage.size(), stderr);
  return false;
}

}  // namespace mirelda::exchange
