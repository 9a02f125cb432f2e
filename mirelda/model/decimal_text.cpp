#include "mirelda/model/decimal_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace mirelda::model {
namespace {

bool IsIgnored(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double DecimalPrefixValue(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (char c : text)
    if (!IsIgnored(c)) kept.push_back(c);

  // Build the longest leading number in the form std::from_chars reads ('e' exponent, no '+').
  std::string number;
  std::size_t i = 0;
  bool negative = false;
  if (i < kept.size() && (kept[i] == '+' || kept[i] == '-')) negative = kept[i++] == '-';
  std::size_t digits = 0;
  for (; i < kept.size() && IsDigit(kept[i]); ++i, ++digits) number.push_back(kept[i]);
  if (i < kept.size() && kept[i] == '.') {
    std::string fraction;
    std::size_t j = i + 1;
    for (; j < kept.size() && IsDigit(kept[j]); ++j) fraction.push_back(kept[j]);
    if (digits + fraction.size() > 0) {
      number += '.' + fraction;
      digits += fraction.size();
      i = j;
    }
  }
  if (digits == 0) return 0.0;
  bool negativeExponent = false;
  if (i < kept.size() && (kept[i] == 'E' || kept[i] == 'e' || kept[i] == 'D' || kept[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < kept.size() && (kept[j] == '+' || kept[j] == '-')) {
      negativeExponent = kept[j] == '-';
      exponent.push_back(kept[j++]);
    }
    std::size_t exponentDigits = 0;
    for (; j < kept.size() && IsDigit(kept[j]); ++j, ++exponentDigits) exponent.push_back(kept[j]);
    if (exponentDigits > 0) number += exponent;  // "5E" alone reads 5
  }
  double value = 0.0;
  auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range)
    value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
  return negative ? -value : value;
}

double ParseDecimal(std::string_view text) {
  std::string pointed(text);
  if (auto comma = pointed.find(','); comma != std::string::npos) pointed[comma] = '.';
  return DecimalPrefixValue(pointed);
}

std::string CommaToPoint(std::string_view text) {
  std::string pointed(text);
  for (char& c : pointed)
    if (c == ',') c = '.';
  return pointed;
}

}  // namespace mirelda::model
