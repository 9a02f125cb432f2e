#include "brindel/exchange/fixed_format.h"

#include <charconv>
#include <cmath>

namespace mirelda::exchange {

std::string Fixed(double value, int width, int precision) {
  char digits[400];
  std::string text;
  if (std::isfinite(value)) {
    auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    text.assign(digits, result.ptr);
  } else {
    text = std::isnan(value) ? "nan" : "inf";
    if (std::signbit(value)) text.insert(text.begin(), '-');
  }
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

}  // namespace mirelda::exchange
