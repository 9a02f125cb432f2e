#include "brindel/exchange/fixed_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace mirelda::exchange {
namespace {

constexpr std::array<double, 10> PowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
// Below this a double holds every integer and every half-integer exactly.
constexpr double ExactIntegers = 0x1p52;

// The text of |value| rounded to `precision` decimals, as printf rounds it, when the rounded product
// |value| * 10^precision decides the rounding beyond doubt. The product is within half an ulp of the exact
// one, so only a product that close to a half-way point could round to another integer than the exact
// one: those, and values too large for the product to hold every integer, are left to the exact
// expansion (returns nullptr).
char* RoundedDigits(double value, int precision, char* first, char* last) {
  if (precision < 0 || precision >= static_cast<int>(PowersOfTen.size())) return nullptr;
  const double scaled = std::fabs(value) * PowersOfTen[static_cast<std::size_t>(precision)];
  if (!(scaled < ExactIntegers)) return nullptr;
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;  // exact below ExactIntegers
  if (std::fabs(fraction - 0.5) <= scaled * 0x1p-52) return nullptr;
  const std::uint64_t rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  const auto unit = static_cast<std::uint64_t>(PowersOfTen[static_cast<std::size_t>(precision)]);
  char* next = first;
  if (std::signbit(value)) *next++ = '-';
  next = std::to_chars(next, last, rounded / unit).ptr;
  if (precision == 0) return next;
  *next++ = '.';
  std::uint64_t decimals = rounded % unit;
  for (int k = precision - 1; k >= 0; --k) {
    next[k] = static_cast<char>('0' + decimals % 10);
    decimals /= 10;
  }
  return next + precision;
}

void AppendPadded(std::string& out, const char* first, const char* last, int width) {
  const auto length = static_cast<int>(last - first);
  if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
  out.append(first, last);
}

}  // namespace

std::string Fixed(double value, int width, int precision) {
  std::string text;
  AppendFixed(text, value, width, precision);
  return text;
}

void AppendFixed(std::string& out, double value, int width, int precision) {
  char digits[400];
  if (!std::isfinite(value)) {
    const char* word = std::isnan(value) ? "nan" : "inf";
    char* next = digits;
    if (std::signbit(value)) *next++ = '-';
    for (const char* c = word; *c != '\0'; ++c) *next++ = *c;
    AppendPadded(out, digits, next, width);
    return;
  }
  const char* last = RoundedDigits(value, precision, digits, digits + sizeof digits);
  if (last == nullptr) {
    last = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision).ptr;
  }
  AppendPadded(out, digits, last, width);
}

void AppendInteger(std::string& out, long long value, int width) {
  char digits[24];
  const char* last = std::to_chars(digits, digits + sizeof digits, value).ptr;
  AppendPadded(out, digits, last, width);
}

}  // namespace mirelda::exchange
