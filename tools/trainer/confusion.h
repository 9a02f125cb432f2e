// Agreement of predicted classes with the three DSSP states: the 3 x 3 confusion matrix, Q3 and the
// precision and recall of each class.
#pragma once

#include <array>
#include <string_view>

#include "attribution/pattern_table.h"

namespace mirelda::trainer {

class Confusion {
 public:
  // Residue by residue over the shorter of the two texts; letters other than 'a' 'b' 'c' are skipped.
  void Add(std::string_view truth, std::string_view predicted);

  long long Count(int truth, int predicted) const { return counts_[truth][predicted]; }
  long long Total() const;
  double Q3() const;  // share of residues whose class matches, 0 without residues
  double Precision(int state) const;
  double Recall(int state) const;

 private:
  std::array<std::array<long long, attribution::StateCount>, attribution::StateCount> counts_{};
};

}  // namespace mirelda::trainer
