// Reference face areas of contacts between residues two to six apart in one chain: a face larger than the
// reference of its pair and separation by more than a margin marks a '2' contact. The values live in
// contact_area_table.cpp, derived from the faces of real structures by tools/train-attribution.sh.
#pragma once

#include <string_view>

namespace mirelda::tessellation {

inline constexpr std::string_view ContactLetters = "ACDEFGHIKLMNPQRSTVWY";
inline constexpr int ContactLetterCount = 20;
inline constexpr int ContactSeparationCount = 5;  // separations 2 to 6

extern const double ContactAreaTable[ContactSeparationCount][ContactLetterCount][ContactLetterCount];

// The reference area of a centre letter and a neighbour letter at a sequence separation. Symmetric in the
// letters; 0 for a letter of no amino acid (B, J, O, U, X, Z, '0') and for a separation outside 2 to 6.
double ContactReferenceArea(int separation, char centreLetter, char neighbourLetter);

}  // namespace mirelda::tessellation
