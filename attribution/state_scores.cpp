#include "attribution/state_scores.h"

namespace mirelda::attribution {

char StatisticalState(const StateScore& score) {
  if (!score.covered) return 'c';
  if (score.pa > score.pb && score.pa > score.pc) return 'a';
  if (score.pb > score.pa && score.pb > score.pc) return 'b';
  return 'c';
}

StateLetters StatisticalStates(const ResidueScores& scores) {
  StateLetters states(scores.Size());
  for (int r = 1; r <= scores.Size(); ++r) states.Set(r, StatisticalState(scores.At(r)));
  return states;
}

}  // namespace mirelda::attribution
