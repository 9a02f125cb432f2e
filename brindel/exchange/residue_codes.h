// The two 26-entry code tables that turn a three-letter residue name into a one-letter code, shared by
// every console program. Entry k stands for the letter 'A' + k; '0' and "000" mark unused letters.
#pragma once

#include <string_view>

namespace mirelda::exchange {

inline constexpr std::string_view OneLetterCodes = "A0CDEFGHI0KLMN0PQRSTUVW0Y0";
inline constexpr std::string_view ThreeLetterCodes =
    "ALA000CYSASPGLUPHEGLYHISILE000LYSLEUMETASN000PROGLNARGSERTHRXXXVALTRP000TYR000";

inline constexpr char EnvironmentChain = '&';
inline constexpr char EnvironmentLetter = 'U';
inline constexpr int LetterTableSize = 26;

// Letter of a residue name: the first of entries 0 to 24 of ThreeLetterCodes equal to the name gives
// OneLetterCodes at that entry ("XXX" gives 'U'). A name in neither table gives '0'.
char LetterOf(std::string_view name);

// Position of a letter in OneLetterCodes, searched over positions 0 to 24; 25 when not found. Position 25
// ('Z') is never a residue type, so tables indexed by it hold neutral values. Always in [0, 25].
int LetterPosition(char letter);

}  // namespace mirelda::exchange
