#include "attribution/rule_stage.h"

#include "attribution/ladders.h"
#include "attribution/smoothing.h"
#include "attribution/unpaired_strands.h"

namespace mirelda::attribution {

RuleStageResult RunRuleStage(const ContactMatrix& matrix, const StateLetters& s0,
                             const ResidueScores& scores) {
  RuleStageResult result;
  result.s1 = MarkLadders(matrix, s0, scores);
  for (int r = 1; r <= result.s1.Size(); ++r) {
    if (result.s1.At(r) != 'b') result.s1.Set(r, s0.At(r));
  }
  SmoothInPlace(result.s1);
  RemoveUnpairedStrands(matrix, scores, result.s1);
  result.s2 = SmoothedCopy(result.s1);
  return result;
}

}  // namespace mirelda::attribution
