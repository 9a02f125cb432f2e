#include "mirelda/workflow/relaxation_dialog.h"

#include <algorithm>
#include <utility>

#include "brindel/exchange/text_lines.h"
#include "mirelda/model/decimal_text.h"

using namespace mirelda::exchange;
using namespace mirelda::model;

namespace mirelda::workflow {
RelaxationDialogState::RelaxationDialogState(std::string proteinName) : proteinName_(std::move(proteinName)) {
  BuildLabels();
}

void RelaxationDialogState::BuildLabels() {
  eachFileLabel_ =
      "coordinate file for each relaxation ? " + proteinName_ + "_R1 to " + proteinName_ + "_R" + countText_;
  lastFileLabel_ = "coordinate file only for the last relaxation ? " + proteinName_ + "_R" + countText_;
}

void RelaxationDialogState::SetCountText(std::string_view text) {
  countText_ = text;
  if (DecimalPrefixValue(countText_) > kMaxRelaxations) countText_ = std::to_string(kMaxRelaxations);
  if (DecimalPrefixValue(TrimBlanks(countText_)) == 0) {
    colours_ = kZeroField;
    questionsEnabled_ = false;
    lastFileLabel_ = "coordinate file only for the last relaxation ?";
    eachFileLabel_ = "coordinate file for each relaxation ?";
  } else {
    colours_ = kNormalField;
    questionsEnabled_ = true;
    BuildLabels();
  }
  busy_ = true;
  spinValue_ = std::clamp(RoundHalfEven(ParseDecimal(countText_)), 0, kMaxRelaxations);
  busy_ = false;
}

void RelaxationDialogState::SetSpinValue(int value) {
  value = std::clamp(value, 0, kMaxRelaxations);
  if (busy_ || value == spinValue_) return;
  spinValue_ = value;
  SetCountText(std::to_string(value));
}

void RelaxationDialogState::Initialise() {
  SetCountText(kDefaultRelaxationText);
  answers_ = {};
}

std::optional<RelaxationRequest> RelaxationDialogState::Validate() {
  if (countText_.empty()) {
    colours_.back = kColourMissingValue;
    return std::nullopt;
  }
  RelaxationRequest request;
  // Only digits can be typed; a pasted fraction counts its whole passes.
  request.passes = std::clamp(static_cast<int>(DecimalPrefixValue(countText_)), 0, kMaxRelaxations);
  request.countText = countText_;
  request.eachFile = answers_[kEachFileQuestion];
  request.lastFile = answers_[kLastFileQuestion];
  request.stopOnError = answers_[kStopOnErrorQuestion];
  return request;
}

}  // namespace mirelda::workflow
