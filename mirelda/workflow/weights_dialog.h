// The tessellation dialog's one question (weighted or not) and the weights dialog without widgets: one
// weight box with its up-down per residue type, and the validation that stores the weights.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "mirelda/workflow/field_rules.h"

namespace mirelda::workflow {

// The tessellation dialog: "no" is selected whenever it opens; "change the weights" needs "yes".
class TessellationOptionsState {
 public:
  void ChooseWeighted(bool weighted) { weighted_ = weighted; }
  void Initialise() { weighted_ = false; }
  bool Weighted() const { return weighted_; }
  bool WeightsButtonEnabled() const { return weighted_; }

 private:
  bool weighted_ = false;
};

// One row of the weights dialog: the label (three-letter name), its tooltip and the default weight text.
struct WeightRowDefinition {
  const char* label;
  const char* tooltip;
  const char* defaultText;
  double defaultValue;
};

inline constexpr int kWeightRows = 21;
// Weights from 0 to 1000, the up-down counting tenths.
inline constexpr double kMaxWeight = 1000.0;
inline constexpr int kMaxWeightTenths = 10000;

const std::array<WeightRowDefinition, kWeightRows>& WeightRows();

struct WeightMessage {
  int row;  // 0-based row of the box that is empty
  std::string text;
};

class WeightsDialogState {
 public:
  explicit WeightsDialogState(char decimalSeparator = ',');

  DecimalSpinField& Box(int row) { return boxes_.at(static_cast<std::size_t>(row)); }
  const DecimalSpinField& Box(int row) const { return boxes_.at(static_cast<std::size_t>(row)); }
  // "Initialisation": every box back to its default text.
  void Initialise();

  // Stores the weight of every non-empty box in the residue-type table (by the label's type) and returns
  // one message per empty box, in row order (each such box is marked). The dialog closes when there is
  // none.
  std::vector<WeightMessage> Validate();

 private:
  std::vector<DecimalSpinField> boxes_;
};

}  // namespace mirelda::workflow
