// What one step of the pipeline did, for its caller to tell: the dialogs turn it into message boxes and a
// question, mirelda-batch into lines on the terminal. The step has already changed the session.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mirelda::protocol {

enum class StepOutcome {
  Ran,      // the step went through (possibly with warnings)
  Failed,   // it began and stopped with a message
  Refused,  // its inputs or the state did not allow it (or the run protocol refused the program)
};

struct StepResult {
  // Where a step that did not run stopped: before its console program (nothing was run: a dialog stays
  // open for another try), in the program's run (the front-end's runner has already shown the program's
  // message), or after it.
  enum class Stage { BeforeProgram, Program, AfterProgram };

  StepOutcome outcome = StepOutcome::Ran;
  Stage stage = Stage::BeforeProgram;
  bool programStarted = false;  // the step asked its runner for its console program
  std::string step;             // the step's name in a one-line message: "environment", "reading the protein"
  std::string message;          // why it failed or was refused
  // What went wrong without stopping the step, one message box (or line) each, in order.
  std::vector<std::string> warnings;
  // A Yes/No question about a report (reading problems, residues outside the bulk), and the report to show
  // on Yes; both empty when there is nothing to ask.
  std::string question;
  std::filesystem::path report;
  // The scene the step leaves for a 3-D view: the second view after the environment, the main view after
  // the tessellation.
  std::filesystem::path scene;
  int notInBulk = 0;  // after a relaxation or a tessellation: the residues outside the bulk

  bool Ran() const { return outcome == StepOutcome::Ran; }
  bool StoppedBeforeProgram() const { return !Ran() && stage == Stage::BeforeProgram; }
  bool ProgramFailed() const { return !Ran() && stage == Stage::Program; }
};

}  // namespace mirelda::protocol
