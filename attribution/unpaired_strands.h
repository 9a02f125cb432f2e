// Removal of unpaired 'b' residues: a 'b' residue with no partner run of 'b' residues in contact with
// its own run, and a weak Pb, becomes 'c'.
#pragma once

#include "attribution/contact_matrix.h"
#include "attribution/state_letters.h"
#include "attribution/state_scores.h"

namespace mirelda::attribution {

// True when residue r (in state 'b') has a contact partner j in state 'b' whose neighbours continue the
// pairing of r's neighbours: both sides in the middle of a run (parallel or antiparallel), or r at the
// start or at the end of its run with the matching neighbour of j in contact and in state 'b'.
bool IsPairedStrand(const ContactMatrix& matrix, const StateLetters& states, int r);

// In place, residues 1 .. N in order: an unpaired 'b' with Pb below UnpairedStrandScore becomes 'c'.
void RemoveUnpairedStrands(const ContactMatrix& matrix, const ResidueScores& scores, StateLetters& states);

}  // namespace mirelda::attribution
