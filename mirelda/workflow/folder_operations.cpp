#include "mirelda/workflow/folder_operations.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace mirelda::workflow {

std::string WriteTextFile(const std::filesystem::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return "cannot create " + path.string();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) return "cannot write " + path.string();
  return {};
}

std::string CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
  if (error) return "cannot copy " + from.string() + " to " + to.string() + ": " + error.message();
  return {};
}

std::string RemoveFileIfPresent(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
  if (error) return "cannot delete " + path.string() + ": " + error.message();
  return {};
}

std::optional<std::string> ReadTextFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int CountLines(std::string_view text) {
  int lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      ++lines;
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n' || i + 1 == text.size()) {
      ++lines;  // a line end, or a last line without its end
    }
  }
  return lines;
}

}  // namespace mirelda::workflow
