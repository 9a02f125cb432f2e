// The statistical stage: every residue's pattern is looked up in its table, and each entry found spreads
// its counts over the five residues of its window; the state scores are the mean shares over the window
// positions that received an entry.
#pragma once

#include <string>
#include <vector>

#include "attribution/contact_matrix.h"
#include "attribution/pattern_table.h"
#include "attribution/state_scores.h"

namespace mirelda::attribution {

// A residue whose pattern is shorter than ten characters because its contact row ends early.
struct MalformedPattern {
  int residue = 0;
  std::string text;
  bool terminal = false;
};

struct StatisticalResult {
  ResidueScores scores;
  std::vector<MalformedPattern> malformed;  // in residue order
};

// Each residue 1 .. N is looked up once, in the table that UsesTerminalTable names for it.
StatisticalResult ScoreResidues(const ContactMatrix& matrix, const PatternTable& centralTable,
                                const PatternTable& terminalTable);

}  // namespace mirelda::attribution
