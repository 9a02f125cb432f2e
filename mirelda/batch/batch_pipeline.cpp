#include "mirelda/batch/batch_pipeline.h"

#include "mirelda/results/result_files.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/environment_step.h"
#include "mirelda/workflow/pipeline_files.h"
#include "mirelda/workflow/protein_files.h"
#include "mirelda/workflow/relaxation_dialog.h"
#include "mirelda/workflow/residue_table.h"
#include "mirelda/workflow/run_steps.h"
#include "mirelda/workflow/toggle_cells.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::results;
using namespace mirelda::protocol;

namespace mirelda::batch {
namespace {

void Tell(const std::function<void(std::string_view)>& sink, const std::string& line) {
  if (sink) sink(line);
}

// A reader's problems do not stop the run (the lines left out are named); a file it could not read does.
std::string CheckRead(const ReadReport& report, const BatchReporter& reporter) {
  if (!report.read) return report.Message();
  for (const std::string& problem : report.problems) Tell(reporter.warning, problem);
  return {};
}

// The main window offers the assignment only for CA points with environment and every residue in the bulk.
std::string WhyNoAssignment(const DataLabels& labels) {
  if (labels.points != kDefaultPointChoice) return "the points are " + labels.points + ", not CA";
  if (labels.environment != "YES") return "there is no environment";
  return labels.notInBulk + " residues are not in the bulk";
}

}  // namespace

BatchRun RunBatch(const std::filesystem::path& appFolder, const BatchOptions& options,
                  const BatchReporter& reporter) {
  BatchRun run;
  const auto fail = [&run](const std::string& step, const std::string& why) -> BatchRun {
    run.failure = step + ": " + why;
    return std::move(run);
  };
  const std::string& name = options.proteinName;

  // Open and the environment dialog's loading: the residues, the report and the scenes, the table.
  Tell(reporter.progress, "reading " + options.proteinFile);
  run.window.OpenProtein(options.proteinFile);
  ProteinReading reading = ReadProteinFile(options.proteinFile);
  if (!reading.Succeeded()) return fail("reading the protein", reading.failure);
  if (reading.CaOnly && options.point != kDefaultPointChoice)
    return fail("reading the protein",
                "it has no side-chain atoms, so only CA points can be used, not " + options.point);
  if (std::string failure = WriteProteinFiles(reading, appFolder); !failure.empty())
    return fail("writing the protein scenes", failure);
  run.residues = std::move(reading.residues);
  FillResidueTable(run.tab1, run.tab2, run.residues);
  Tell(reporter.progress, std::to_string(run.residues.ResidueCount()) + " residues, " +
                              std::to_string(reading.ProblemCount) + " problems");

  // The environment dialog's validation.
  EnvironmentRequest request;
  request.appFolder = appFolder;
  request.proteinName = name;
  request.pointChoice = options.point;
  request.radiusText = options.radiusText;
  request.thicknessText = options.thicknessText;
  request.withEnvironment = options.withEnvironment;
  request.problemCount = reading.ProblemCount;
  Tell(reporter.progress, options.withEnvironment
                              ? "environment: orvane (" + options.point + " points, radius " +
                                    options.radiusText + ", thickness " + options.thicknessText + ")"
                              : "no environment (" + options.point + " points)");
  const EnvironmentOutcome environment = RunEnvironmentStep(
      request, run.residues, ConsoleStepRunner(appFolder, kEnvironmentProgram, reporter.programOutput));
  if (!environment.failure.empty()) return fail("environment", environment.failure);
  for (const std::string& warning : environment.warnings) Tell(reporter.warning, warning);
  if (!environment.problemReport.empty())
    Tell(reporter.warning, std::to_string(reading.ProblemCount) + " problems in " + name + ": see " +
                               environment.problemReport.string());
  run.window.EnvironmentDone(environment.summary);
  run.resultsFolder = ResultsFolderOf(appFolder, name);

  if (options.relaxations > 0) {
    Tell(reporter.progress, "relaxation: " + std::to_string(options.relaxations) + " passes");
    RelaxationRequest relaxation;
    relaxation.passes = options.relaxations;
    relaxation.countText = std::to_string(options.relaxations);
    const RelaxationOutcome outcome =
        RunRelaxationStep(appFolder, name, relaxation,
                          ConsoleStepRunner(appFolder, kRelaxationProgram, reporter.programOutput));
    if (!outcome.failure.empty()) return fail("relaxation", outcome.failure);
    for (const std::string& warning : outcome.warnings) Tell(reporter.warning, warning);
    if (outcome.notInBulk > 0)
      Tell(reporter.warning, std::to_string(outcome.notInBulk) +
                                 " amino acids are NOT in the bulk after the relaxation: see " +
                                 outcome.report.string());
    run.window.RelaxationDone(outcome.relaxations, outcome.notInBulk);
  }

  // The Tessellation command and its dialog.
  PrepareTessellationTable(run.tab1);
  Tell(reporter.progress,
       std::string("tessellation: brindel (") + (options.weighted ? "weighted" : "not weighted") + ")");
  const TessellationErrors errors =
      RunTessellationStep(appFolder, name, options.weighted,
                          ConsoleStepRunner(appFolder, kTessellationProgram, reporter.programOutput));
  if (!errors.failure.empty()) return fail("tessellation", errors.failure);
  run.notInBulk = errors.notInBulk;
  if (errors.notInBulk > 0)
    Tell(reporter.warning, std::to_string(errors.notInBulk) + " amino acids are NOT in the bulk: see " +
                               errors.report.string());
  run.window.TessellationDone(options.weighted, errors.notInBulk);

  Tell(reporter.progress, "reading the cells and faces");
  CellReadOptions cellOptions;
  cellOptions.environmentOn = run.window.Labels().environment == "YES";
  if (std::string failure =
          CheckRead(lecture_C(run.resultsFolder, name, run.residues, run.tab1, cellOptions), reporter);
      !failure.empty())
    return fail("reading the cells", failure);
  if (std::string failure = CheckRead(lecture_F(run.resultsFolder, name, run.residues), reporter);
      !failure.empty())
    return fail("reading the faces", failure);

  if (run.window.AssignmentAllowed()) {
    Tell(reporter.progress, "assignment: attribution");
    if (std::string failure = ConsoleStepRunner(appFolder, kAttributionProgram, reporter.programOutput)();
        !failure.empty())
      return fail("assignment", failure);
    const int columnsBefore = run.tab1.Cols();
    const std::string failure = ShowAssignment(run.tab1, run.resultsFolder, name);
    run.assigned = run.tab1.Cols() > columnsBefore;
    if (!run.assigned) return fail("assignment", failure);
    // More classes than rows with a cell: the classes shown stay, the rest is named.
    if (!failure.empty()) Tell(reporter.warning, failure);
  } else {
    run.noAssignment = WhyNoAssignment(run.window.Labels());
    Tell(reporter.progress, "no assignment: " + run.noAssignment);
  }

  // The Visualization command with the marks the readers left.
  Tell(reporter.progress, "composing resultat.wrl");
  const SceneWriting scene = visualisation(run.resultsFolder, name, run.tab1);
  if (!scene.written) return fail("composing the scene", scene.Message());
  for (const std::string& problem : scene.problems) Tell(reporter.warning, problem);
  return run;
}

}  // namespace mirelda::batch
