// The lines of a text, for tests that compare files line by line.
#pragma once

#include <string>
#include <vector>

namespace mirelda::testing {

// Lines ended by "\n" or "\r\n" (the last one may lack its end), without their line ends.
std::vector<std::string> TextLines(const std::string& text);

// Lines of a text whose every line must end with CR LF, as the front-end writes; a test fails otherwise.
std::vector<std::string> CrLfLines(const std::string& text);

}  // namespace mirelda::testing
