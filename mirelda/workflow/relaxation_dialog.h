// The relaxation dialog without widgets: the number of relaxations with its up-down, the three yes/no
// questions whose controls follow that number, and the validation.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "mirelda/workflow/field_rules.h"

namespace mirelda::workflow {

inline constexpr int kMaxRelaxations = 15;  // the up-down's range is 0 to 15
inline constexpr int kDefaultRelaxations = 9;
inline constexpr const char* kDefaultRelaxationText = "9";

// The questions, by index: a coordinate file after each relaxation, a coordinate file for the last one,
// stop when some residues are not in the bulk.
enum RelaxationQuestion { kEachFileQuestion = 0, kLastFileQuestion = 1, kStopOnErrorQuestion = 2 };

// What a passed validation asks for. passes = 0 means nothing is run.
struct RelaxationRequest {
  int passes = 0;
  std::string countText;  // the box's text, which names the saved coordinate file
  bool eachFile = false;
  bool lastFile = false;
  bool stopOnError = false;
};

class RelaxationDialogState {
 public:
  // The labels name the coordinate files after the protein.
  explicit RelaxationDialogState(std::string proteinName);

  // The box changed: caps at 15, a zero disables the questions and draws the box white on blue, and the
  // up-down follows (commas read as points, nearest whole number).
  void SetCountText(std::string_view text);
  // The user moved the up-down: the text follows as a whole number (the echo of the program's own update
  // changes nothing).
  void SetSpinValue(int value);
  void Answer(int question, bool yes) { answers_.at(static_cast<std::size_t>(question)) = yes; }
  // "Initialisation": 9 relaxations, "no" to every question.
  void Initialise();

  // nullopt with the box marked when it is empty ("You must enter a number of relaxation !").
  std::optional<RelaxationRequest> Validate();
  static constexpr const char* kMissingCountMessage = "You must enter a number of relaxation !";

  const std::string& CountText() const { return countText_; }
  int SpinValue() const { return spinValue_; }
  const FieldColours& Colours() const { return colours_; }
  bool QuestionsEnabled() const { return questionsEnabled_; }
  const std::string& EachFileQuestion() const { return eachFileLabel_; }
  const std::string& LastFileQuestion() const { return lastFileLabel_; }
  bool Answered(int question) const { return answers_.at(static_cast<std::size_t>(question)); }

 private:
  void BuildLabels();

  std::string proteinName_;
  std::string countText_ = kDefaultRelaxationText;
  int spinValue_ = kDefaultRelaxations;
  FieldColours colours_;
  bool questionsEnabled_ = true;
  std::string eachFileLabel_;
  std::string lastFileLabel_;
  std::array<bool, 3> answers_{};
  bool busy_ = false;  // set while a text change moves the up-down
};

}  // namespace mirelda::workflow
