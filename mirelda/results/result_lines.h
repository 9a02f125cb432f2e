// Cutting the result files of the tessellation into lines and fixed-position fields, and reading their
// numbers as the result readers do: blanks trimmed, a leading number with '.', rounding to 16-bit integers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::results {

// The lines of a text: "\n" and "\r\n" both end a line; a final line end does not start an empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The text without leading and trailing blanks (spaces; a stray carriage return counts as one).
std::string_view TrimBlanks(std::string_view text);

// The characters at positions from .. from + length - 1, counted from 1; the part beyond the end of the
// text is simply missing (an empty field past the end), so no position is ever out of bounds.
std::string_view FieldAt(std::string_view line, std::size_t from, std::size_t length);

// The leading number of a field (blanks ignored, '.' as decimal point, 0 for no number).
double LeadingNumber(std::string_view field);

// A value rounded to the nearest integer (ties to even); nullopt outside the 16-bit range.
std::optional<std::int16_t> RoundToInt16(double value);

}  // namespace mirelda::results
