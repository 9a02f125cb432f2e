// Locale-independent reading of the numbers of the exchange files, with the C library's "read from here,
// skip leading blanks, stop at the first character that cannot continue the number" rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mirelda::exchange {

// A number read from the start of a text, and where reading stopped (an offset into that text).
template <typename T>
struct LeadingNumber {
  T value = 0;
  std::size_t end = 0;  // offset just past the number; the start offset when no number was found
  bool found = false;
};

// A decimal integer: leading blanks skipped, optional sign, digits. No digit gives 0, not found.
LeadingNumber<std::int64_t> ReadLeadingInteger(std::string_view text);

// A floating-point literal: leading blanks skipped, optional sign, digits with an optional '.' fraction
// and optional exponent. The separator is always '.', whatever the locale. No number gives 0.
LeadingNumber<double> ReadLeadingDouble(std::string_view text);

// ReadLeadingInteger from an offset of a line; an offset beyond the line gives 0.
std::int64_t IntegerAt(std::string_view line, std::size_t offset);
double DoubleAt(std::string_view line, std::size_t offset);

}  // namespace mirelda::exchange
