#include "attribution/attribution.h"

#include <utility>

namespace mirelda::attribution {

Attribution AssignClasses(const ContactMatrix& matrix, const PatternTable& centralTable,
                          const PatternTable& terminalTable) {
  StatisticalResult statistics = ScoreResidues(matrix, centralTable, terminalTable);
  Attribution result;
  result.scores = std::move(statistics.scores);
  result.malformed = std::move(statistics.malformed);
  result.s0 = StatisticalStates(result.scores);
  RuleStageResult rules = RunRuleStage(matrix, result.s0, result.scores);
  result.s1 = std::move(rules.s1);
  result.s2 = std::move(rules.s2);
  return result;
}

}  // namespace mirelda::attribution
