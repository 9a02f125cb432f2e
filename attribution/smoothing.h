// The two smoothings of the rule stage: an isolated residue, or an isolated pair, whose state is not 'c'
// between two 'c' residues becomes 'c'.
#pragma once

#include "attribution/state_letters.h"

namespace mirelda::attribution {

// In place, residues 1 .. N in order, so each residue sees the changes made before it.
void SmoothInPlace(StateLetters& states);

// Reads the neighbours from `states` and writes the smoothed copy it returns.
StateLetters SmoothedCopy(const StateLetters& states);

}  // namespace mirelda::attribution
