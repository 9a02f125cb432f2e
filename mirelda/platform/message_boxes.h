// The message boxes of the front-end: warnings titled "Warning" with an OK button, and Yes/No questions
// titled "Warning" with a question icon.
#pragma once

#include <string>

class QWidget;

namespace mirelda {

inline constexpr const char* kWarningTitle = "Warning";

void ShowWarning(QWidget* parent, const std::string& text);
// True for Yes.
bool AskYesNo(QWidget* parent, const std::string& question);

}  // namespace mirelda
