#include "mirelda/workflow/environment_dialog.h"

#include <array>

using namespace mirelda::model;

namespace mirelda::workflow {

std::vector<std::string> PointChoices(bool caOnly) {
  if (caOnly) return {"C alpha"};
  return {"CA", "CB", "CG1", "CG2", "CG3"};
}

int AtomChoiceOf(std::string_view comboText) {
  constexpr std::array<std::string_view, 5> kNames{"CA", "CB", "CG1", "CG2", "CG3"};
  for (std::size_t i = 0; i < kNames.size(); ++i)
    if (comboText == kNames[i]) return static_cast<int>(i);
  return 0;
}

const PointTriple& ChosenPoint(const DEF_AA& residue, int atomChoice) {
  switch (atomChoice) {
    case 1:
      return residue.CB();
    case 2:
      return residue.CG();
    case 3:
      return residue.CG1();
    case 4:
      return residue.CG2();
    default:
      return residue.CA();
  }
}

bool IsValidProteinName(std::string_view name) {
  if (name.size() != kProteinNameLength) return false;
  for (char c : name) {
    const bool alphanumeric = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!alphanumeric) return false;
  }
  return true;
}

EnvironmentDialogState::EnvironmentDialogState(char decimalSeparator)
    : radius_(kRadiusLimits, decimalSeparator), thickness_(kThicknessLimits, decimalSeparator) {}

void EnvironmentDialogState::SetName(std::string_view text) {
  name_ = text;
  nameBack_ = kSystemWindowBackground;
  if (withEnvironment_)
    copyQuestion_ = name_.empty() ? "coordinate file ?" : "coordinate file ? " + name_ + "_envir0";
}

void EnvironmentDialogState::ChooseEnvironment(bool withEnvironment) {
  withEnvironment_ = withEnvironment;
  environmentEnabled_ = withEnvironment;
}

void EnvironmentDialogState::Initialise() {
  pointChoice_ = kDefaultPointChoice;
  SetName("");
  radius_.SetText(radius_.DefaultText());
  thickness_.SetText(thickness_.DefaultText());
  keepCopy_ = false;
  ChooseEnvironment(true);
}

std::vector<FieldMessage> EnvironmentDialogState::Validate() {
  std::vector<FieldMessage> messages;
  if (radius_.Empty()) {
    messages.push_back({EnvironmentField::Radius, "You must enter a value for the radius"});
    radius_.MarkMissing();
  }
  if (thickness_.Empty()) {
    messages.push_back({EnvironmentField::Thickness, "You must enter a value for the thickness"});
    thickness_.MarkMissing();
  }
  if (!IsValidProteinName(name_)) {
    messages.push_back({EnvironmentField::Name, "You must enter a name (4 characters) for the output files"});
    nameBack_ = kColourMissingValue;
  }
  return messages;
}

}  // namespace mirelda::workflow
