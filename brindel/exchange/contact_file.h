// The contact file of a tessellation: one line per amino acid, one character per amino acid, '0' where
// the two cells share no face, '1' for a face, '2' for a large face between residues close in sequence.
#pragma once

#include <istream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirelda::exchange {

inline constexpr char NoContact = '0';
inline constexpr char FaceContact = '1';
inline constexpr char LargeFaceContact = '2';

// One row of `size` characters: NoContact except at the given (column, character) entries, then "\n".
// Entries outside 0 .. size - 1 are left out; of two entries for one column, the later holds.
std::string FormatContactRow(int size, std::span<const std::pair<int, char>> contacts);
// The same row in `line`, whose storage is reused from row to row.
void FormatContactRow(int size, std::span<const std::pair<int, char>> contacts, std::string& line);

// The rows of a contact file, whole whatever their length, without their line ends.
std::vector<std::string> ReadContactRows(std::istream& in);
std::vector<std::string_view> ContactRows(std::string_view text);

}  // namespace mirelda::exchange
