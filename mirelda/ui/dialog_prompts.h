// The questions the windows put to the user: a warning titled "Warning" with OK, a Yes/No question with a
// question icon, the colour chooser. They pass through one replaceable set of functions, so that a test
// can answer them without a window.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "mirelda/workflow/grid_model.h"

class QWidget;

namespace mirelda::ui {

struct DialogPrompts {
  // A message box titled "Warning" with an OK button.
  std::function<void(QWidget* parent, const std::string& text)> warn;
  // A message box titled "Warning" with Yes and No buttons and a question icon; true for Yes.
  std::function<bool(QWidget* parent, const std::string& text)> ask;
  // The colour chooser, started from `initial` when given; nullopt when cancelled.
  std::function<std::optional<workflow::GridColour>(QWidget* parent,
                                                    std::optional<workflow::GridColour> initial)>
      chooseColour;
};

// The message boxes and the colour dialog of the platform.
DialogPrompts PlatformPrompts();
// Installs other prompts (a missing function falls back to the platform's); returns the previous ones.
DialogPrompts SetDialogPrompts(DialogPrompts prompts);

void ShowWarning(QWidget* parent, const std::string& text);
bool AskYesNo(QWidget* parent, const std::string& text);
std::optional<workflow::GridColour> ChooseColour(QWidget* parent,
                                                 std::optional<workflow::GridColour> initial);

}  // namespace mirelda::ui
