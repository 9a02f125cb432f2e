// The two number forms of the scene files, written with '.' whatever the process locale: the signed
// text of a value (" 12.345", "-3.2", " .5") and a value laid out by a digit pattern ("1.414", "0.25").
#pragma once

#include <string>
#include <string_view>

namespace mirelda::model {

// A blank for zero and positive values or "-" for negative ones, then at most 15 significant digits,
// trailing fraction zeros and a trailing point dropped, no "0" before the point below 1. Magnitudes of
// 1E15 and above or below 1E-5 use an exponent form: " 1.5E-06", " 2E+15" (sign and two or more digits).
std::string SignedText(double value);

// A residue number or count as a plain integer ("45", "-3"): the form of the scene markers and labels.
std::string PlainInteger(long long value);

// The value rounded to three decimals (half away from zero, after rounding to 15 significant digits)
// and laid out by "###.###" (no integer digit below 1: ".75", "2.") or "0##.###" (at least one integer
// digit, not padded further: "0.25", "1.571", "-2."). "-" only when the rounded value is not zero.
// Any other pattern text is read as "###.###".
std::string PatternText(double value, std::string_view pattern);

inline constexpr std::string_view kPatternOptionalInteger = "###.###";
inline constexpr std::string_view kPatternOneInteger = "0##.###";

}  // namespace mirelda::model
