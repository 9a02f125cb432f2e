#include "brindel/exchange/run_files.h"

#include <cstdio>
#include <cstring>
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

std::streamsize BlockFileBuffer::xsputn(const char* s, std::streamsize n) {
  // The put area exists once something was written; until then, and for a piece that does not fit, the
  // standard way, which writes what is held and the piece in one call.
  if (n < epptr() - pptr()) {
    std::memcpy(pptr(), s, static_cast<std::size_t>(n));
    pbump(static_cast<int>(n));
    return n;
  }
  return std::filebuf::xsputn(s, n);
}

RunOutput::RunOutput(const std::string& path, std::string_view messageName)
    : path_(path), buffer_(std::make_unique_for_overwrite<char[]>(OutputBuffer)) {
  // Set before opening, as the file buffer requires: result files run to tens of megabytes, written in
  // blocks of this size rather than the default few kilobytes. Left uninitialised, so that a small file
  // touches only the pages it fills.
  file_.pubsetbuf(buffer_.get(), OutputBuffer);
  if (file_.open(path, std::ios::out | std::ios::binary) == nullptr)
    CannotOpen(messageName.empty() ? std::string_view(path) : messageName);
}

bool RunOutput::Close(std::string_view stillOpenMessage) {
  if (!file_.is_open()) return false;
  // A failed write shows on the stream, a failed flush of the last block on the buffer's close.
  const bool closed = file_.close() != nullptr;
  if (closed && !stream_.fail()) return true;
  if (!stillOpenMessage.empty()) std::fwrite(stillOpenMessage.data(), 1, stillOpenMessage.size(), stderr);
  return false;
}

}  // namespace mirelda::exchange
