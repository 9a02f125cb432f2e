// The rule stage: from the statistical states s0 and the scores, extends 'b' along ladders, smooths,
// drops unpaired 'b' residues and smooths again. It takes s0 and the scores as given, so it can be run on
// states and scores from any source.
#pragma once

#include "attribution/contact_matrix.h"
#include "attribution/state_letters.h"
#include "attribution/state_scores.h"

namespace mirelda::attribution {

struct RuleStageResult {
  StateLetters s1;  // after the ladders, the first smoothing and the removal of unpaired 'b'
  StateLetters s2;  // the final states
};

// s0 and the scores describe residues 1 .. matrix.Size().
RuleStageResult RunRuleStage(const ContactMatrix& matrix, const StateLetters& s0,
                             const ResidueScores& scores);

}  // namespace mirelda::attribution
