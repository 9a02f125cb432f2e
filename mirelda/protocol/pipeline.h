// The one pipeline of the front-end, over a FrontEndSession: open the protein, the environment, the
// relaxation, the tessellation and its results, the assignment. The option dialogs and mirelda-batch call
// the same steps; each writes its files, runs its console program through the caller's runner, updates
// the session and returns what it did. Telling the user (message boxes, questions, lines) is the caller's.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "mirelda/model/protein_reader.h"
#include "mirelda/protocol/console_run.h"
#include "mirelda/protocol/front_end_session.h"
#include "mirelda/protocol/step_result.h"
#include "mirelda/results/read_report.h"
#include "mirelda/workflow/pipeline_files.h"
#include "mirelda/workflow/relaxation_dialog.h"

namespace mirelda::protocol {

// Runs one console program of the session's application folder by the run protocol. The front-end's
// runner shows the program's progress and tells the user when the run fails; the batch's prints.
using ConsoleRunner = std::function<ConsoleRunResult(const workflow::ConsoleProgram&)>;

// A runner without windows: RunConsoleProgram in appFolder, blocking until the program has ended.
ConsoleRunner BlockingRunner(std::filesystem::path appFolder, ConsoleOutputHandler outputHandler = {});

struct OpenOptions {
  std::function<void(long long)> progress;  // called while the protein file is read
  // The point the caller will ask for, when it knows it before reading: a protein without side chains
  // then refuses any point but CA before a file is written. (The dialog offers only CA for such a one.)
  std::optional<std::string> pointChoice;
  model::ReadingOptions reading;  // how modified amino acids are read
};

// Reads session.proteinFile into the session (residues, problem count, CA only), writes the problem
// report and the protein scenes into the application folder and fills the residue table. A protein that
// cannot be read or written leaves the session without residues.
StepResult OpenProtein(FrontEndSession& session, const OpenOptions& options = {});

// The environment dialog's choices.
struct EnvironmentChoices {
  std::string proteinName;  // four letters or digits
  std::string pointChoice;
  std::string radiusText;
  std::string thicknessText;
  bool withEnvironment = true;
  bool keepCopy = false;  // keep the points with environment as name + "_envir0"
};

// The environment step: the results folder made afresh with the protein scenes, file_00, orvane (only
// with environment), file_02 and the copies. Refused, touching nothing, for a name that is not 4 letters
// or digits. When it ran, the session names the protein, its results folder and its environment and the
// main window's state follows; `scene` is the second view's, the question offers the problem report.
StepResult RunEnvironment(FrontEndSession& session, const EnvironmentChoices& choices,
                          const ConsoleRunner& runner);

// The relaxation step: option.txt, relaxation, the saved coordinate file and the bulk report. No passes
// runs nothing; the count of passes shown stays and the bulk count becomes 0.
StepResult RunRelaxation(FrontEndSession& session, const workflow::RelaxationRequest& request,
                         const ConsoleRunner& runner);

// The Tessellation command before its dialog: the residue table cut back to its three grey columns, and
// the last tessellation forgotten.
void PrepareTessellation(FrontEndSession& session);

// The tessellation step: option_bis.txt, brindel, the count of residues outside the bulk. When it ran,
// the session keeps the choice of weights and the main window's state follows; `scene` is the first-layer
// scene. Whatever its outcome, it becomes session.lastTessellation.
StepResult RunTessellation(FrontEndSession& session, bool weighted, const ConsoleRunner& runner);

// The cell file, then the face file, of a tessellation that ran, read into the residues and the residue
// table. Each report says whether its file could be read and which lines were left out.
struct TessellationReading {
  results::ReadReport cells;
  results::ReadReport faces;
};
TessellationReading ReadTessellationResults(FrontEndSession& session, char decimalSeparator = '.',
                                            const std::function<void()>& pumpEvents = {});

// The assignment: attribution and the class column of the residue table. Refused, saying why, when the
// main window does not offer it (CA points, environment and every residue in the bulk). A class file
// with more classes than rows with a cell adds the column and warns.
StepResult RunAssignment(FrontEndSession& session, const ConsoleRunner& runner);

}  // namespace mirelda::protocol
