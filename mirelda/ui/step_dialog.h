// What the option dialogs do around a step of the pipeline: the dialog hides itself while the program
// runs (which also ends its modal loop), and a step that did not run through is told once and ends the
// dialog when its program was started.
#pragma once

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/protocol/pipeline.h"
#include "mirelda/protocol/step_result.h"

class QDialog;
class QWidget;

namespace mirelda::ui {

// Runs a program for the dialog through the platform, the dialog hidden meanwhile.
protocol::ConsoleRunner HidingRunner(QDialog* dialog, protocol::FrontEndPlatform& platform, bool hideMainWindow);

// Where the step's messages go: the main window once the program was started (the dialog is hidden then),
// the dialog before.
QWidget* StepOwner(QDialog* dialog, const protocol::StepResult& result);

// For a step that did not run through: shows its message unless the platform has already told a failed
// run, and rejects the dialog when the program was started (a failure before it leaves the dialog open).
// Returns whether the step ran.
bool StepRan(QDialog* dialog, const protocol::StepResult& result);

}  // namespace mirelda::ui
