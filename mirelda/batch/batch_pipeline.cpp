#include "mirelda/batch/batch_pipeline.h"

#include "mirelda/protocol/pipeline.h"
#include "mirelda/results/result_files.h"
#include "mirelda/workflow/environment_dialog.h"

using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::protocol;
using namespace mirelda::results;

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

}  // namespace

BatchRun RunBatch(const std::filesystem::path& appFolder, const BatchOptions& options,
                  const BatchReporter& reporter) {
  BatchRun run;
  const auto fail = [&run](const std::string& step, const std::string& why) -> BatchRun {
    run.failure = step + ": " + why;
    return std::move(run);
  };
  const auto failed = [&fail](const StepResult& step) { return fail(step.step, step.message); };
  const std::string& name = options.proteinName;
  FrontEndSession& session = run.session;
  session.appFolder = appFolder;
  const ConsoleRunner runner = BlockingRunner(appFolder, reporter.programOutput);

  // Open and the environment dialog's loading: the residues, the report and the scenes, the table.
  Tell(reporter.progress, "reading " + options.proteinFile);
  session.window.OpenProtein(options.proteinFile);
  session.proteinFile = options.proteinFile;
  OpenOptions open;
  open.pointChoice = options.point;
  open.reading.modifiedAsParent = options.modified;
  open.reading.renumberInsertions = options.renumber;
  open.reading.chain = options.chain;
  const StepResult opened = OpenProtein(session, open);
  if (!opened.Ran()) return failed(opened);
  for (const std::string& warning : opened.warnings) Tell(reporter.warning, warning);
  Tell(reporter.progress, std::to_string(session.residues.ResidueCount()) + " residues, " +
                              std::to_string(session.problemCount) + " problems");

  // The environment dialog's validation.
  EnvironmentChoices choices;
  choices.proteinName = name;
  choices.pointChoice = options.point;
  choices.radiusText = options.radiusText;
  choices.thicknessText = options.thicknessText;
  choices.withEnvironment = options.withEnvironment;
  Tell(reporter.progress, options.withEnvironment
                              ? "environment: orvane (" + options.point + " points, radius " +
                                    options.radiusText + ", thickness " + options.thicknessText + ")"
                              : "no environment (" + options.point + " points)");
  const StepResult environment = RunEnvironment(session, choices, runner);
  if (!environment.Ran()) return failed(environment);
  for (const std::string& warning : environment.warnings) Tell(reporter.warning, warning);
  if (!environment.report.empty())
    Tell(reporter.warning, std::to_string(session.problemCount) + " problems in " + name + ": see " +
                               environment.report.string());

  if (options.relaxations > 0) {
    Tell(reporter.progress, "relaxation: " + std::to_string(options.relaxations) + " passes");
    RelaxationRequest request;
    request.passes = options.relaxations;
    request.countText = std::to_string(options.relaxations);
    const StepResult relaxation = RunRelaxation(session, request, runner);
    if (!relaxation.Ran()) return failed(relaxation);
    for (const std::string& warning : relaxation.warnings) Tell(reporter.warning, warning);
    if (relaxation.notInBulk > 0)
      Tell(reporter.warning, std::to_string(relaxation.notInBulk) +
                                 " amino acids are NOT in the bulk after the relaxation: see " +
                                 relaxation.report.string());
  }

  // The Tessellation command and its dialog.
  PrepareTessellation(session);
  Tell(reporter.progress,
       std::string("tessellation: brindel (") + (options.weighted ? "weighted" : "not weighted") + ")");
  const StepResult tessellation = RunTessellation(session, options.weighted, runner);
  if (!tessellation.Ran()) return failed(tessellation);
  run.notInBulk = tessellation.notInBulk;
  if (tessellation.notInBulk > 0)
    Tell(reporter.warning, std::to_string(tessellation.notInBulk) + " amino acids are NOT in the bulk: see " +
                               tessellation.report.string());

  Tell(reporter.progress, "reading the cells and faces");
  const TessellationReading reading = ReadTessellationResults(session);
  if (std::string failure = CheckRead(reading.cells, reporter); !failure.empty())
    return fail("reading the cells", failure);
  if (std::string failure = CheckRead(reading.faces, reporter); !failure.empty())
    return fail("reading the faces", failure);

  // The Assignment command when the main window would offer it; its line comes as the program starts.
  const StepResult assignment = RunAssignment(session, [&](const ConsoleProgram& program) {
    Tell(reporter.progress, "assignment: attribution");
    return runner(program);
  });
  if (assignment.outcome == StepOutcome::Refused && !assignment.programStarted) {
    run.noAssignment = assignment.message;
    Tell(reporter.progress, "no assignment: " + run.noAssignment);
  } else if (!assignment.Ran()) {
    return failed(assignment);
  } else {
    run.assigned = true;
    for (const std::string& warning : assignment.warnings) Tell(reporter.warning, warning);
  }

  // The Visualization command with the marks the readers left.
  Tell(reporter.progress, "composing resultat.wrl");
  const SceneWriting scene = visualisation(session.resultsFolder, name, session.tab1);
  if (!scene.written) return fail("composing the scene", scene.Message());
  for (const std::string& problem : scene.problems) Tell(reporter.warning, problem);
  return run;
}

}  // namespace mirelda::batch
