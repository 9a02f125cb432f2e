#include "mirelda/ui/step_dialog.h"

#include <QDialog>

#include "mirelda/ui/dialog_prompts.h"

namespace mirelda::ui {

protocol::ConsoleRunner HidingRunner(QDialog* dialog, protocol::FrontEndPlatform& platform, bool hideMainWindow) {
  return [dialog, &platform, hideMainWindow](const workflow::ConsoleProgram& program) {
    dialog->hide();
    return platform.RunConsoleProgram(program, hideMainWindow);
  };
}

QWidget* StepOwner(QDialog* dialog, const protocol::StepResult& result) {
  return result.programStarted && dialog->parentWidget() ? dialog->parentWidget() : dialog;
}

bool StepRan(QDialog* dialog, const protocol::StepResult& result) {
  if (result.Ran()) return true;
  if (!result.ProgramFailed()) ShowWarning(StepOwner(dialog, result), result.message);
  if (result.programStarted) dialog->reject();
  return false;
}

}  // namespace mirelda::ui
