#include "mirelda/results/result_lines.h"

#include <cmath>
#include <limits>

#include "mirelda/model/decimal_text.h"

using namespace mirelda::model;

namespace mirelda::results {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view FieldAt(std::string_view line, std::size_t from, std::size_t length) {
  if (from == 0 || from > line.size()) return {};
  return line.substr(from - 1, length);
}

double LeadingNumber(std::string_view field) { return DecimalPrefixValue(field); }

std::optional<std::int16_t> RoundToInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double rounded = std::floor(value + 0.5);
  if (rounded - value == 0.5 && std::fmod(rounded, 2.0) != 0.0) rounded -= 1.0;  // a tie goes to even
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

}  // namespace mirelda::results
