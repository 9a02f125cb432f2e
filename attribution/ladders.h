// The ladders of the rule stage: runs of contacts between residues more than six apart, parallel or
// antiparallel, along which state 'b' is extended to the partner side (pass A) or to the own side (pass B).
#pragma once

#include "attribution/contact_matrix.h"
#include "attribution/state_letters.h"
#include "attribution/state_scores.h"

namespace mirelda::attribution {

// Two residues closer than this in the chain are never ladder partners (|i - j| must exceed it).
inline constexpr int MinLadderSeparation = 6;
// A ladder walk of n steps marks residues only when it is longer than this (n > 3 marks m = 1 .. n-2).
inline constexpr int MinLadderSteps = 3;

// The residues that passes A and B mark 'b'; every other residue is UnsetState. Both passes read only s0
// and the scores, so neither sees the other's marks. A residue without scores never starts, carries or
// receives a mark.
StateLetters MarkLadders(const ContactMatrix& matrix, const StateLetters& s0, const ResidueScores& scores);

}  // namespace mirelda::attribution
