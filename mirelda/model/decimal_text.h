// Reading numbers that users type (they may carry a decimal comma) and forcing '.' into numbers written
// for the console programs. Both ignore the process locale, which the front-end takes from the user.
#pragma once

#include <string>
#include <string_view>

namespace mirelda::model {

// The value of the longest leading decimal number of a text: blanks, tabs and line feeds are ignored
// wherever they stand; then an optional sign, digits with an optional '.' fraction (".5" and "5." read),
// an optional exponent introduced by E or D (either case) with optional sign and digits. 0 when there is
// no number. A magnitude beyond the double range reads as infinity, one below it as 0.
double DecimalPrefixValue(std::string_view text);

// Replaces the first ',' by '.', then reads the decimal prefix value: "12,75" gives 12.75, "1,5,2" 1.5.
double ParseDecimal(std::string_view text);

// Every ',' replaced by '.', everything else unchanged.
std::string CommaToPoint(std::string_view text);

}  // namespace mirelda::model
