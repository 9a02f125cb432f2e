#include "brindel/exchange/decimal_reading.h"

#include <charconv>
#include <limits>

namespace mirelda::exchange {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

}  // namespace

LeadingNumber<std::int64_t> ReadLeadingInteger(std::string_view text) {
  LeadingNumber<std::int64_t> result;
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t digitsStart = i;
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 1;
  while (i < text.size() && IsDigit(text[i])) {
    if (value < kLimit) value = value * 10 + (text[i] - '0');  // saturates instead of overflowing
    ++i;
  }
  if (i == digitsStart) return result;
  result.value = negative ? -value : value;
  result.end = i;
  result.found = true;
  return result;
}

LeadingNumber<double> ReadLeadingDouble(std::string_view text) {
  LeadingNumber<double> result;
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Only a literal that starts with a digit (or '.' and a digit) is a number: from_chars would also take
  // "nan", "inf" and "infinity", which no exchange file holds and no computation downstream survives.
  const bool digitAhead =
      i < text.size() &&
      (IsDigit(text[i]) || (text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1])));
  if (!digitAhead) return result;
  // from_chars reads the unsigned literal; it accepts no leading '+' of its own, hence the sign above.
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  double value = 0;
  auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error == std::errc::invalid_argument) return result;
  if (error == std::errc::result_out_of_range) {
    // As the C library does: an exponent too large gives infinity, one too small gives zero.
    const std::string_view literal(first, static_cast<std::size_t>(end - first));
    const std::size_t e = literal.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < literal.size() && literal[e + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  }
  result.value = negative ? -value : value;
  result.end = static_cast<std::size_t>(end - text.data());
  result.found = true;
  return result;
}

std::int64_t IntegerAt(std::string_view line, std::size_t offset) {
  return offset < line.size() ? ReadLeadingInteger(line.substr(offset)).value : 0;
}

double DoubleAt(std::string_view line, std::size_t offset) {
  return offset < line.size() ? ReadLeadingDouble(line.substr(offset)).value : 0.0;
}

}  // namespace mirelda::exchange
