// The block markers of the scene files: every residue's part of a scene (a cell, the atoms or the trace
// of a residue) stands between "#AADEB-L=K!N" and "#AAFIN-L=K!N" comment lines (letter or code L, chain
// K, residue number N), which the front-end finds again to compose, colour and select the parts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mirelda::exchange {

inline constexpr std::string_view BlockStartMarker = "#AADEB";
inline constexpr std::string_view BlockEndMarker = "#AAFIN";

// marker + "-" + code + "=" + chain + "!" + number, without a line end.
std::string FormatBlockMarker(std::string_view marker, std::string_view code, std::string_view chain,
                              long long number);

// The residue a start marker names, the marker standing at `at` of the line: the number is the trimmed
// text after the first '!'; the code and chain are known only in the full form "#AADEB-L=K!".
struct BlockKey {
  std::string number;
  std::optional<char> code;
  std::optional<char> chain;
};
BlockKey ParseBlockMarker(std::string_view line, std::size_t at = 0);

}  // namespace mirelda::exchange
