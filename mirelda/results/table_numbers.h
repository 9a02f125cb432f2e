// The texts of numbers shown in the residue and face tables: the user's decimal separator, as a user
// reads numbers; never used for files, whose numbers always carry '.'.
#pragma once

#include <string>

namespace mirelda::results {

// The shortest decimal form of a value to 15 significant digits, with a "0" before the separator below 1
// ("0,5", "-0,25", "12,345", "7"); decimalSeparator replaces the point.
std::string TableNumberText(double value, char decimalSeparator);

}  // namespace mirelda::results
