// Printf-style "%W.Pf" formatting that always writes '.', whatever locale the process runs in (the
// front-end adopts the user's locale, and a comma locale would corrupt every file for the console programs).
#pragma once

#include <string>

namespace mirelda::exchange {

// Like printf("%*.*f", width, precision, value) in the "C" locale.
std::string Fixed(double value, int width, int precision);

// Appends what Fixed(value, width, precision) returns, without a string of its own: the writers of large
// files format millions of numbers.
void AppendFixed(std::string& out, double value, int width, int precision);

// Like printf("%*d", width, value).
void AppendInteger(std::string& out, long long value, int width);

}  // namespace mirelda::exchange
