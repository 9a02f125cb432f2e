// Cutting the text of an exchange file into lines and fixed-position fields: the one line splitter and
// the one trimmer of every reader, whatever the line ends of the platform that wrote the file.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace mirelda::exchange {

// The lines of a text without their ends: "\r\n", "\n" and a lone "\r" each end a line; a final line
// end does not start an empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The text without leading and trailing blanks (spaces; a stray carriage return counts as one).
std::string_view TrimBlanks(std::string_view text);

// The characters at positions from .. from + length - 1, counted from 1; the part beyond the end of the
// text is simply missing (an empty field past the end), so no position is ever out of bounds.
std::string_view FieldAt(std::string_view line, std::size_t from, std::size_t length);

}  // namespace mirelda::exchange
