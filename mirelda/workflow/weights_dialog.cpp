#include "mirelda/workflow/weights_dialog.h"

#include "mirelda/model/residue_types.h"

using namespace mirelda::model;

namespace mirelda::workflow {

const std::array<WeightRowDefinition, kWeightRows>& WeightRows() {
  static const std::array<WeightRowDefinition, kWeightRows> rows{{
      {"ALA", "ALANINE", "91,5", 91.5},         {"CYS", "CYSTEINE", "114,4", 114.4},
      {"ASP", "ACID ASPARTIC", "135,2", 135.2}, {"GLU", "ACID GLUTAMIC", "154,6", 154.6},
      {"PHE", "PHENYLALANINE", "198,8", 198.8}, {"GLY", "GLYCINE", "67,5", 67.5},
      {"HIS", "HISTIDINE", "162,3", 162.3},     {"ILE", "ISOLEUCINE", "162,6", 162.6},
      {"LYS", "LYSINE", "162,5", 162.5},        {"LEU", "LEUCINE", "163,4", 163.4},
      {"MET", "METHIONINE", "165,9", 165.9},    {"ASN", "ASPARAGINE", "138,3", 138.3},
      {"PRO", "PROLINE", "123,4", 123.4},       {"GLN", "GLUTAMINE", "156,4", 156.4},
      {"ARG", "ARGININE", "196,1", 196.1},      {"SER", "SERINE", "102,0", 102.0},
      {"THR", "THREONINE", "126,0", 126.0},     {"VAL", "VALINE", "138,4", 138.4},
      {"TRP", "TRIPTOPHANE", "237,2", 237.2},   {"TYR", "TYROSINE", "209,8", 209.8},
      {"XXX", "ENVIRONMENT", "143,8", 143.8},
  }};
  return rows;
}

WeightsDialogState::WeightsDialogState(char decimalSeparator) {
  boxes_.reserve(kWeightRows);
  for (const WeightRowDefinition& row : WeightRows())
    boxes_.emplace_back(
        DecimalSpinField::Limits{kMaxWeight, "1000", row.defaultValue, row.defaultText, 0, kMaxWeightTenths},
        decimalSeparator);
}

void WeightsDialogState::Initialise() {
  for (DecimalSpinField& box : boxes_) box.SetText(box.DefaultText());
}

std::vector<WeightMessage> WeightsDialogState::Validate() {
  std::vector<WeightMessage> messages;
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const char* label = WeightRows()[i].label;
    if (boxes_[i].Empty()) {
      messages.push_back(
          {static_cast<int>(i), std::string("You must enter a value for the ") + label + " weight"});
      boxes_[i].MarkMissing();
      continue;
    }
    const DEF_RESIDU* byName = ResidueTypeByName(label);
    DEF_RESIDU* byLetter = byName != nullptr ? ResidueTypeByLetter(byName->R1) : nullptr;
    if (byLetter != nullptr) byLetter->POIDS = boxes_[i].Value();
  }
  return messages;
}

}  // namespace mirelda::workflow
