#include "mirelda/model/scene_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace mirelda::model {
namespace {

constexpr int kSignificantDigits = 15;      // what the signed text keeps, as a double holds ~15.95 digits
constexpr int kLargestPlainExponent = 14;   // 1E15 and above switch to the exponent form
constexpr int kSmallestPlainExponent = -5;  // below 1E-5 too
constexpr int kPatternDecimals = 3;

// A finite non-zero magnitude as decimal digits d1 d2 ... (no trailing zeros) and the exponent of d1.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal ToDecimal(double magnitude) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                              kSignificantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  Decimal decimal;
  for (char c : text.substr(0, e))
    if (c != '.') decimal.digits.push_back(c);
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                  decimal.exponent);
  while (decimal.digits.size() > 1 && decimal.digits.back() == '0') decimal.digits.pop_back();
  return decimal;
}

// Integer and fraction digit strings of a decimal (integer part empty below 1).
void Split(const Decimal& decimal, std::string& integer, std::string& fraction) {
  integer.clear();
  fraction.clear();
  const int count = static_cast<int>(decimal.digits.size());
  if (decimal.exponent >= 0) {
    for (int i = 0; i <= decimal.exponent; ++i) integer.push_back(i < count ? decimal.digits[i] : '0');
    if (count > decimal.exponent + 1)
      fraction = decimal.digits.substr(static_cast<std::size_t>(decimal.exponent + 1));
  } else {
    fraction.assign(static_cast<std::size_t>(-decimal.exponent - 1), '0');
    fraction += decimal.digits;
  }
}

void DropTrailingZeros(std::string& fraction) {
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
}

}  // namespace

std::string SignedText(double value) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : " Inf";
  if (value == 0.0) return " 0";  // negative zero too
  std::string text = value < 0 ? "-" : " ";
  const Decimal decimal = ToDecimal(std::fabs(value));
  if (decimal.exponent > kLargestPlainExponent || decimal.exponent < kSmallestPlainExponent) {
    text += decimal.digits.substr(0, 1);
    if (decimal.digits.size() > 1) text.append(".").append(decimal.digits, 1);
    const int magnitude = std::abs(decimal.exponent);
    text += decimal.exponent < 0 ? "E-" : "E+";
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
  }
  std::string integer, fraction;
  Split(decimal, integer, fraction);
  DropTrailingZeros(fraction);
  text += integer;
  if (!fraction.empty()) text.append(".").append(fraction);
  return text;
}

std::string PlainInteger(long long value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string PatternText(double value, std::string_view pattern) {
  const bool oneInteger = pattern == kPatternOneInteger;
  std::string integer, fraction;
  bool negative = false;
  if (std::isfinite(value) && value != 0.0) {
    negative = value < 0;
    Split(ToDecimal(std::fabs(value)), integer, fraction);
    // Round half away from zero at the third decimal, on the 15-digit decimal form.
    const bool roundUp = fraction.size() > kPatternDecimals && fraction[kPatternDecimals] >= '5';
    if (fraction.size() > kPatternDecimals) fraction.resize(kPatternDecimals);
    if (roundUp) {
      std::string all = integer + fraction;  // fraction has exactly kPatternDecimals digits here
      int i = static_cast<int>(all.size()) - 1;
      for (; i >= 0 && all[i] == '9'; --i) all[i] = '0';
      if (i >= 0) {
        ++all[i];
      } else {
        all.insert(all.begin(), '1');
      }
      integer = all.substr(0, all.size() - kPatternDecimals);
      fraction = all.substr(all.size() - kPatternDecimals);
    }
    DropTrailingZeros(fraction);
    while (!integer.empty() && integer.front() == '0') integer.erase(integer.begin());
    if (integer.empty() && fraction.empty()) negative = false;  // rounds to zero: no sign
  }
  if (oneInteger && integer.empty()) integer.push_back('0');
  std::string text;
  if (negative) text.push_back('-');
  return text.append(integer).append(".").append(fraction);
}

}  // namespace mirelda::model
