#include "brindel/exchange/contact_file.h"

#include <iterator>

#include "brindel/exchange/text_lines.h"

namespace mirelda::exchange {

std::string FormatContactRow(int size, std::span<const std::pair<int, char>> contacts) {
  std::string line;
  FormatContactRow(size, contacts, line);
  return line;
}

void FormatContactRow(int size, std::span<const std::pair<int, char>> contacts, std::string& line) {
  const std::size_t width = static_cast<std::size_t>(size > 0 ? size : 0);
  line.reserve(width + 1);
  line.assign(width, NoContact);
  for (const auto& [column, contact] : contacts)
    if (column >= 0 && column < size) line[static_cast<std::size_t>(column)] = contact;
  line += '\n';
}

std::vector<std::string> ReadContactRows(std::istream& in) {
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<std::string> rows;
  for (std::string_view row : SplitLines(text)) rows.emplace_back(row);
  return rows;
}

std::vector<std::string_view> ContactRows(std::string_view text) { return SplitLines(text); }

}  // namespace mirelda::exchange
