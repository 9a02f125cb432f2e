// Reading the numbers of the tessellation's result files as the result readers do: a leading number
// with '.', rounding to 16-bit integers. The lines and fields come from brindel/exchange/text_lines.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace mirelda::results {

// The leading number of a field (blanks ignored, '.' as decimal point, 0 for no number).
double LeadingNumber(std::string_view field);

// A value rounded to the nearest integer (ties to even); nullopt outside the 16-bit range.
std::optional<std::int16_t> RoundToInt16(double value);

}  // namespace mirelda::results
