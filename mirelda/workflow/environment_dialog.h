// The environment dialog without widgets: the protein name, the representative point, the environment
// switch with radius and thickness, the copy of the point file with environment, and the validation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mirelda/model/residue_records.h"
#include "mirelda/workflow/field_rules.h"

namespace mirelda::workflow {

// The radius of the environment spheres (0 to 15) and the thickness of the shell (0 to 10).
inline constexpr DecimalSpinField::Limits kRadiusLimits{15.0, "15", 6.5, "6,5", 0, 150};
inline constexpr DecimalSpinField::Limits kThicknessLimits{10.0, "10", 3.5, "3,5", 0, 100};
// The protein name is the prefix of every result file and the name of the results folder.
inline constexpr std::size_t kProteinNameLength = 4;

// The representative points, in the combo's order; the single entry offered when only CA atoms exist.
std::vector<std::string> PointChoices(bool caOnly);
inline constexpr const char* kDefaultPointChoice = "CA";

// The combo text's point: "CA" 0, "CB" 1, "CG1" 2, "CG2" 3, "CG3" 4; any other text counts as "CA".
int AtomChoiceOf(std::string_view comboText);
// The point of a residue named by a choice: 0 CA, 1 CB, 2 CG, 3 CG1, 4 CG2.
const model::PointTriple& ChosenPoint(const model::DEF_AA& residue, int atomChoice);

// Whether a text can name a protein's results: exactly four ASCII letters or digits (the name is also a
// folder name, so nothing that could lead out of the application folder gets through).
bool IsValidProteinName(std::string_view name);

// The boxes a validation message points at.
enum class EnvironmentField { Radius, Thickness, Name };
struct FieldMessage {
  EnvironmentField field;
  std::string text;
};

class EnvironmentDialogState {
 public:
  explicit EnvironmentDialogState(char decimalSeparator = ',');

  // The name box changed: normal background again, and the copy question names the copy.
  void SetName(std::string_view text);
  void SetPointChoice(std::string_view comboText) { pointChoice_ = comboText; }
  // "yes" / "no" to environment: the radius, thickness and copy controls follow.
  void ChooseEnvironment(bool withEnvironment);
  void ChooseKeepCopy(bool keep) { keepCopy_ = keep; }
  DecimalSpinField& Radius() { return radius_; }
  DecimalSpinField& Thickness() { return thickness_; }
  // "Initialization": "CA", no name, radius 6,5, thickness 3,5, no copy, with environment.
  void Initialise();

  // The messages, in order, for each box that blocks the validation (each such box is marked); none
  // when the dialog may run.
  std::vector<FieldMessage> Validate();

  const std::string& Name() const { return name_; }
  GridColour NameBackground() const { return nameBack_; }
  const std::string& PointChoice() const { return pointChoice_; }
  bool WithEnvironment() const { return withEnvironment_; }
  bool EnvironmentControlsEnabled() const { return environmentEnabled_; }
  bool KeepCopy() const { return keepCopy_; }
  const std::string& CopyQuestion() const { return copyQuestion_; }
  const DecimalSpinField& Radius() const { return radius_; }
  const DecimalSpinField& Thickness() const { return thickness_; }

 private:
  std::string name_;
  GridColour nameBack_ = kSystemWindowBackground;
  std::string pointChoice_ = kDefaultPointChoice;
  bool withEnvironment_ = true;
  bool environmentEnabled_ = true;
  bool keepCopy_ = false;
  std::string copyQuestion_ = "coordinate file ?";
  DecimalSpinField radius_;
  DecimalSpinField thickness_;
};

}  // namespace mirelda::workflow
