#include "mirelda/protocol/pipeline.h"

#include "mirelda/results/result_files.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/environment_step.h"
#include "mirelda/workflow/protein_files.h"
#include "mirelda/workflow/residue_table.h"
#include "mirelda/workflow/run_steps.h"
#include "mirelda/workflow/toggle_cells.h"

using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::results;

namespace mirelda::protocol {
namespace {

constexpr const char* kFirstLayerScene = "premier.wrl";  // written by brindel into the results folder

StepResult Stopped(StepOutcome outcome, std::string step, std::string message) {
  StepResult result;
  result.outcome = outcome;
  result.step = std::move(step);
  result.message = std::move(message);
  return result;
}

// One step's console program: runs it through the caller's runner and keeps how the run ended, so that a
// step that stopped can say whether it stopped before, in or after the program.
class ProgramCall {
 public:
  ProgramCall(const ConsoleRunner& runner, ConsoleProgram program) : runner_(runner), program_(program) {}

  bool Run() {
    started_ = true;
    if (runner_) {
      run_ = runner_(program_);
    } else {
      run_ = ConsoleRunResult{};  // not started
      run_.message = std::string("no runner for ") + program_.program;
    }
    return run_.Completed();
  }
  // The runner of the workflow's steps: what went wrong with the run, empty when it completed.
  ProgramRunner StepRunner() {
    return [this] { return Run() ? std::string() : run_.message; };
  }

  // A step that went through: ran, after its program when it had one.
  StepResult Result(std::string step) const {
    StepResult result;
    result.step = std::move(step);
    result.programStarted = started_;
    if (started_) result.stage = StepResult::Stage::AfterProgram;
    return result;
  }
  // A step that stopped with `failure`, or with the run's own message when the program did not complete
  // (a program that the run protocol refused makes a refused step).
  StepResult Stop(std::string step, std::string failure) const {
    StepResult result = Result(std::move(step));
    result.message = std::move(failure);
    result.outcome = StepOutcome::Failed;
    if (started_ && !run_.Completed()) {
      result.stage = StepResult::Stage::Program;
      result.message = run_.message;
      if (run_.outcome == ConsoleRunResult::Outcome::Refused) result.outcome = StepOutcome::Refused;
    }
    return result;
  }

 private:
  const ConsoleRunner& runner_;
  ConsoleProgram program_;
  bool started_ = false;
  ConsoleRunResult run_;
};

// The main window offers the assignment only for CA points with environment and every residue in the bulk.
std::string WhyNoAssignment(const DataLabels& labels) {
  if (labels.points != kDefaultPointChoice) return "the points are " + labels.points + ", not CA";
  if (labels.environment != "YES") return "there is no environment";
  return labels.notInBulk + " residues are not in the bulk";
}

}  // namespace

ConsoleRunner BlockingRunner(std::filesystem::path appFolder, ConsoleOutputHandler outputHandler) {
  return [appFolder = std::move(appFolder), outputHandler = std::move(outputHandler)](
             const ConsoleProgram& program) { return RunConsoleProgram(appFolder, program, outputHandler); };
}

StepResult OpenProtein(FrontEndSession& session, const OpenOptions& options) {
  StepResult result;
  ProteinReading reading = ReadProteinFile(session.proteinFile, options.progress, options.reading);
  if (!reading.Succeeded()) {
    result = Stopped(StepOutcome::Failed, "reading the protein", reading.failure);
  } else if (reading.caAtoms == 0) {
    // Every point choice starts from the CA atoms: without one no cell could be built.
    result = Stopped(StepOutcome::Failed, "reading the protein", "no CA atom in the protein file");
  } else if (reading.CaOnly && options.pointChoice && *options.pointChoice != kDefaultPointChoice) {
    result =
        Stopped(StepOutcome::Refused, "reading the protein",
                "it has no side-chain atoms, so only CA points can be used, not " + *options.pointChoice);
  } else if (std::string failure = WriteProteinFiles(reading, session.appFolder); !failure.empty()) {
    result = Stopped(StepOutcome::Failed, "writing the protein scenes", failure);
  }
  if (result.Ran()) {
    if (reading.modifiedReadAsParent > 0)
      result.warnings.push_back(std::to_string(reading.modifiedReadAsParent) +
                                " modified residues read as their parent type");
    session.residues = std::move(reading.residues);
    session.problemCount = reading.ProblemCount;
    session.caOnly = reading.CaOnly;
  } else {
    // Nothing of the previous protein may stay on show under the new one's title.
    session.residues.Clear();
    session.problemCount = 0;
    session.caOnly = false;
  }
  FillResidueTable(session.tab1, session.tab2, session.residues);
  return result;
}

StepResult RunEnvironment(FrontEndSession& session, const EnvironmentChoices& choices,
                          const ConsoleRunner& runner) {
  EnvironmentRequest request;
  request.appFolder = session.appFolder;
  request.proteinName = choices.proteinName;
  request.pointChoice = choices.pointChoice;
  request.radiusText = choices.radiusText;
  request.thicknessText = choices.thicknessText;
  request.withEnvironment = choices.withEnvironment;
  request.keepCopy = choices.keepCopy;
  request.problemCount = session.problemCount;
  constexpr const char* kStep = "environment";
  if (std::string failure = PrepareEnvironmentRun(request, session.residues); !failure.empty()) {
    // A bad name is turned away before anything is deleted.
    const StepOutcome outcome =
        IsValidProteinName(request.proteinName) ? StepOutcome::Failed : StepOutcome::Refused;
    return Stopped(outcome, kStep, std::move(failure));
  }
  ProgramCall orvane(runner, kEnvironmentProgram);
  if (request.withEnvironment && !orvane.Run()) return orvane.Stop(kStep, {});

  EnvironmentOutcome outcome = CompleteEnvironmentRun(request, session.residues);
  StepResult result = orvane.Result(kStep);
  result.stage = StepResult::Stage::AfterProgram;  // also without environment, where no program runs
  if (!outcome.failure.empty()) {
    result.outcome = StepOutcome::Failed;
    result.message = std::move(outcome.failure);
    return result;
  }
  result.warnings = std::move(outcome.warnings);
  result.question = std::move(outcome.problemQuestion);
  result.report = std::move(outcome.problemReport);
  result.scene = std::move(outcome.secondViewScene);

  session.proteinName = request.proteinName;
  session.resultsFolder = ResultsFolderOf(session.appFolder, request.proteinName);
  session.withEnvironment = request.withEnvironment;
  session.window.EnvironmentDone(outcome.summary);
  return result;
}

StepResult RunRelaxation(FrontEndSession& session, const RelaxationRequest& request,
                         const ConsoleRunner& runner) {
  constexpr const char* kStep = "relaxation";
  ProgramCall relaxation(runner, kRelaxationProgram);
  if (request.passes == 0) {
    session.window.RelaxationDone(std::nullopt, 0);
    return relaxation.Result(kStep);
  }
  RelaxationOutcome outcome =
      RunRelaxationStep(session.appFolder, session.proteinName, request, relaxation.StepRunner());
  if (!outcome.failure.empty()) return relaxation.Stop(kStep, std::move(outcome.failure));
  StepResult result = relaxation.Result(kStep);
  result.warnings = std::move(outcome.warnings);
  result.question = std::move(outcome.question);
  result.report = std::move(outcome.report);
  result.notInBulk = outcome.notInBulk;
  session.window.RelaxationDone(outcome.relaxations, outcome.notInBulk);
  return result;
}

void PrepareTessellation(FrontEndSession& session) {
  PrepareTessellationTable(session.tab1);
  session.lastTessellation.reset();
  session.window.TessellationStarted();
}

StepResult RunTessellation(FrontEndSession& session, bool weighted, const ConsoleRunner& runner) {
  constexpr const char* kStep = "tessellation";
  ProgramCall brindel(runner, kTessellationProgram);
  TessellationErrors errors =
      RunTessellationStep(session.appFolder, session.proteinName, weighted, brindel.StepRunner());
  if (!errors.failure.empty()) {
    session.lastTessellation = brindel.Stop(kStep, std::move(errors.failure));
    return *session.lastTessellation;
  }
  StepResult result = brindel.Result(kStep);
  result.question = std::move(errors.question);
  result.report = std::move(errors.report);
  result.notInBulk = errors.notInBulk;
  result.scene = session.resultsFolder / kFirstLayerScene;
  session.weighted = weighted;
  session.window.TessellationDone(weighted, errors.notInBulk);
  session.lastTessellation = result;
  return result;
}

TessellationReading ReadTessellationResults(FrontEndSession& session, char decimalSeparator,
                                            const std::function<void()>& pumpEvents) {
  CellReadOptions options;
  options.environmentOn = session.window.Labels().environment == "YES";
  options.decimalSeparator = decimalSeparator;
  options.pumpEvents = pumpEvents;
  TessellationReading reading;
  reading.cells =
      lecture_C(session.resultsFolder, session.proteinName, session.residues, session.tab1, options);
  reading.faces = lecture_F(session.resultsFolder, session.proteinName, session.residues, pumpEvents);
  return reading;
}

StepResult RunAssignment(FrontEndSession& session, const ConsoleRunner& runner) {
  constexpr const char* kStep = "assignment";
  // The command's state, not the rule read afresh: a relaxation after the tessellation changes the bulk
  // count shown but leaves the command as the tessellation set it.
  if (!session.window.Commands().assignment)
    return Stopped(StepOutcome::Refused, kStep, WhyNoAssignment(session.window.Labels()));
  ProgramCall attribution(runner, kAttributionProgram);
  if (!attribution.Run()) return attribution.Stop(kStep, {});
  const int columnsBefore = session.tab1.Cols();
  std::string problem = ShowAssignment(session.tab1, session.resultsFolder, session.proteinName);
  if (session.tab1.Cols() == columnsBefore) return attribution.Stop(kStep, std::move(problem));
  // More classes than rows with a cell: the classes shown stay, the rest is named.
  StepResult result = attribution.Result(kStep);
  if (!problem.empty()) result.warnings.push_back(std::move(problem));
  return result;
}

}  // namespace mirelda::protocol
