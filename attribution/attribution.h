// The whole assignment of one protein: scores from the two pattern tables, the statistical states and
// the rule stage. Pure: the program around it reads the files and writes the class file.
#pragma once

#include <vector>

#include "attribution/contact_matrix.h"
#include "attribution/pattern_table.h"
#include "attribution/rule_stage.h"
#include "attribution/state_letters.h"
#include "attribution/state_scores.h"
#include "attribution/statistical_stage.h"

namespace mirelda::attribution {

struct Attribution {
  ResidueScores scores;
  StateLetters s0, s1, s2;  // s2 is the class of each residue
  std::vector<MalformedPattern> malformed;
};

Attribution AssignClasses(const ContactMatrix& matrix, const PatternTable& centralTable,
                          const PatternTable& terminalTable);

}  // namespace mirelda::attribution
