// The pipeline's steps over a session, with stand-in programs that leave the files the real ones leave:
// what each step changes in the session, where a step that stops says it stopped (before, in or after
// its program), the refusals that touch nothing, and one real protein through the real programs.
#include "mirelda/protocol/pipeline.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "mirelda/workflow/residue_table_layout.h"
#include "tests/frontend_model/protein_text.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::exchange;
using namespace mirelda::workflow;
using namespace mirelda::protocol;

namespace mirelda {
namespace {

// The same residues with their CA atoms only.
constexpr const char* kCaOnly =
    "ATOM      2  CA  ALA A   1      11.639   6.071  -5.147  1.00  0.00           C\r\n"
    "ATOM      7  CA  GLY A   2      15.190   6.200  -4.000  1.00  0.00           C\r\n";

ConsoleRunResult Completed() {
  ConsoleRunResult run;
  run.outcome = ConsoleRunResult::Outcome::Completed;
  run.exitCode = 0;
  return run;
}

ConsoleRunResult EndedWithoutMarker(const std::string& message) {
  ConsoleRunResult run;
  run.outcome = ConsoleRunResult::Outcome::EndedWithoutMarker;
  run.exitCode = 1;
  run.message = message;
  return run;
}

class Pipeline : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.appFolder = app_.Path();
    app_.Write("two.pdb", testing::kTwoResidues);
    session_.proteinFile = app_ / "two.pdb";
  }

  // Runs the stand-in of a program (a program without one fails the test) and notes its name.
  ConsoleRunner Runner() {
    return [this](const ConsoleProgram& program) {
      ran_.emplace_back(program.program);
      const auto standIn = standIns_.find(program.program);
      if (standIn == standIns_.end()) {
        ADD_FAILURE() << program.program << " was not expected to run";
        return EndedWithoutMarker("no stand-in");
      }
      return standIn->second();
    };
  }

  // The protein opened and its environment step run: orvane's stand-in adds one environment point.
  void OpenWithEnvironment() {
    ASSERT_TRUE(OpenProtein(session_).Ran());
    standIns_["orvane"] = [this] {
      app_.Write("file_01", app_.Read("file_00") + "ATOM  00003  C   XXX &0003     019.000 009.000 009.000\r\n");
      app_.Write("environment.wrl", "#VRML V2.0 utf8\n");
      return Completed();
    };
    EnvironmentChoices choices;
    choices.proteinName = "1abc";
    choices.pointChoice = "CA";
    choices.radiusText = "6,5";
    choices.thicknessText = "3,5";
    ASSERT_TRUE(RunEnvironment(session_, choices, Runner()).Ran());
  }

  // brindel's stand-in: a bulk report naming `outside` residues.
  void TessellationLeaves(int outside) {
    standIns_["brindel"] = [this, outside] {
      std::string report;
      for (int i = 0; i < outside; ++i) report += "A 1 A\n";
      app_.Write("1abc/1abc_error2", report);
      return Completed();
    };
  }

  testing::ScratchFolder app_;
  FrontEndSession session_;
  std::map<std::string, std::function<ConsoleRunResult()>> standIns_;
  std::vector<std::string> ran_;
};

TEST_F(Pipeline, OpenReadsTheProteinOrLeavesNothingOfIt) {
  const StepResult opened = OpenProtein(session_);
  EXPECT_TRUE(opened.Ran()) << opened.message;
  EXPECT_EQ(session_.residues.ResidueCount(), 2);
  EXPECT_EQ(session_.tab1.Rows(), 3) << "a header row and one row per residue";
  for (const char* file : {"tampon", "prot.wrl", "trace.wrl", "label.wrl", "view.wrl"})
    EXPECT_TRUE(app_.Exists(file)) << file;

  session_.proteinFile = app_ / "missing.pdb";
  const StepResult missing = OpenProtein(session_);
  EXPECT_EQ(missing.outcome, StepOutcome::Failed);
  EXPECT_EQ(missing.step, "reading the protein");
  EXPECT_NE(missing.message.find("missing.pdb"), std::string::npos) << missing.message;
  EXPECT_EQ(session_.residues.ResidueCount(), 0) << "the previous protein must not stay on show";
  EXPECT_EQ(session_.tab1.Rows(), 1);
}

// A caller that knows its point before reading (the batch) is turned away before any file is written.
TEST_F(Pipeline, AProteinWithoutSideChainsRefusesAnotherPointThanCa) {
  app_.Write("ca.pdb", kCaOnly);
  session_.proteinFile = app_ / "ca.pdb";
  OpenOptions options;
  options.pointChoice = "CB";
  const StepResult refused = OpenProtein(session_, options);
  EXPECT_EQ(refused.outcome, StepOutcome::Refused);
  EXPECT_EQ(refused.message, "it has no side-chain atoms, so only CA points can be used, not CB");
  EXPECT_FALSE(app_.Exists("prot.wrl"));

  options.pointChoice = "CA";
  EXPECT_TRUE(OpenProtein(session_, options).Ran());
  EXPECT_TRUE(session_.caOnly);
}

TEST_F(Pipeline, EnvironmentRunsOrvaneAndNamesTheProtein) {
  OpenWithEnvironment();
  EXPECT_EQ(ran_, std::vector<std::string>{"orvane"});
  EXPECT_EQ(app_.Read("file_02"), app_.Read("file_01"));
  EXPECT_EQ(session_.proteinName, "1abc");
  EXPECT_EQ(session_.resultsFolder, app_ / "1abc");
  EXPECT_TRUE(session_.withEnvironment);
  EXPECT_EQ(session_.window.Labels().environment, "YES");
  EXPECT_TRUE(session_.window.Commands().tessellation);
  EXPECT_TRUE(session_.window.Commands().relaxation);
}

TEST_F(Pipeline, WithoutEnvironmentNothingRunsAndTheTraceIsShown) {
  ASSERT_TRUE(OpenProtein(session_).Ran());
  EnvironmentChoices choices;
  choices.proteinName = "1abc";
  choices.pointChoice = "CA";
  choices.withEnvironment = false;
  const StepResult result = RunEnvironment(session_, choices, Runner());
  EXPECT_TRUE(result.Ran()) << result.message;
  EXPECT_FALSE(result.programStarted);
  EXPECT_TRUE(ran_.empty());
  EXPECT_EQ(result.scene, app_ / "trace.wrl");
  EXPECT_EQ(app_.Read("file_02"), app_.Read("file_00"));
  EXPECT_FALSE(session_.window.Commands().relaxation) << "nothing to relax without environment points";
}

// The name becomes a folder that is deleted: a bad one must stop the step before anything changes.
TEST_F(Pipeline, ABadNameIsRefusedBeforeAnythingIsTouched) {
  ASSERT_TRUE(OpenProtein(session_).Ran());
  app_.Write("file_00", "points of an earlier run");
  EnvironmentChoices choices;
  choices.proteinName = "../x";
  const StepResult result = RunEnvironment(session_, choices, Runner());
  EXPECT_EQ(result.outcome, StepOutcome::Refused);
  EXPECT_TRUE(result.StoppedBeforeProgram());
  EXPECT_NE(result.message.find("4 letters or digits"), std::string::npos) << result.message;
  EXPECT_TRUE(ran_.empty());
  EXPECT_EQ(app_.Read("file_00"), "points of an earlier run");
  EXPECT_EQ(session_.proteinName, "");
  EXPECT_FALSE(session_.window.Commands().tessellation);
}

TEST_F(Pipeline, ATessellationThatRanIsRecordedWithItsFirstLayerScene) {
  OpenWithEnvironment();
  TessellationLeaves(0);
  const StepResult result = RunTessellation(session_, false, Runner());
  ASSERT_TRUE(result.Ran()) << result.message;
  EXPECT_EQ(app_.Read("option_bis.txt").substr(0, 15), "NOM_PROT:1abc\r\n");
  EXPECT_EQ(result.scene, app_ / "1abc" / "premier.wrl");
  EXPECT_EQ(result.question, "") << "every residue is in the bulk";
  EXPECT_FALSE(app_.Exists("1abc/1abc_error2")) << "an empty bulk report is deleted";
  ASSERT_TRUE(session_.lastTessellation.has_value());
  EXPECT_TRUE(session_.lastTessellation->Ran());
  EXPECT_FALSE(session_.weighted);
  EXPECT_EQ(session_.window.Labels().ponderation, "NO");
  EXPECT_TRUE(session_.window.Commands().assignment);
  EXPECT_TRUE(session_.window.MainViewOn());

  // The next Tessellation command forgets it, and cuts the table back, before its dialog.
  session_.tab1.SetCols(session_.tab1.Cols() + 2);
  PrepareTessellation(session_);
  EXPECT_FALSE(session_.lastTessellation.has_value());
  EXPECT_EQ(session_.tab1.Cols(), 3);
}

TEST_F(Pipeline, ResiduesOutsideTheBulkAskAboutTheReportAndKeepTheAssignmentBack) {
  OpenWithEnvironment();
  TessellationLeaves(2);
  const StepResult result = RunTessellation(session_, true, Runner());
  ASSERT_TRUE(result.Ran()) << result.message;
  EXPECT_EQ(result.notInBulk, 2);
  EXPECT_EQ(result.question,
            "2 amino acids are NOT in the bulk ! Do you want to see 1abc_error2 for details ?");
  EXPECT_EQ(result.report, app_ / "1abc" / "1abc_error2");
  EXPECT_FALSE(session_.window.Commands().assignment);

  const StepResult assignment = RunAssignment(session_, Runner());
  EXPECT_EQ(assignment.outcome, StepOutcome::Refused);
  EXPECT_EQ(assignment.message, "2 residues are not in the bulk");
  EXPECT_FALSE(assignment.programStarted);
  EXPECT_EQ(ran_, (std::vector<std::string>{"orvane", "brindel"}));
}

// The front-end has already shown what a failed program printed: the step says the failure was the run's.
TEST_F(Pipeline, AProgramEndingWithoutItsMarkerFailsTheStepInItsRun) {
  OpenWithEnvironment();
  standIns_["brindel"] = [] { return EndedWithoutMarker("brindel ended without completing its work"); };
  const StepResult result = RunTessellation(session_, true, Runner());
  EXPECT_EQ(result.outcome, StepOutcome::Failed);
  EXPECT_TRUE(result.ProgramFailed());
  EXPECT_TRUE(result.programStarted);
  EXPECT_EQ(result.step, "tessellation");
  EXPECT_EQ(result.message, "brindel ended without completing its work");
  ASSERT_TRUE(session_.lastTessellation.has_value());
  EXPECT_FALSE(session_.lastTessellation->Ran()) << "the main view must not load a scene of a failed run";
  EXPECT_FALSE(session_.window.Commands().matrix);
  EXPECT_EQ(session_.window.Labels().ponderation, "");
}

// A failed re-run once left Matrix, Visualization and Assignment of the earlier success enabled over
// half-written files; a new environment step, which makes the results folder anew, did the same.
TEST_F(Pipeline, CommandsThatReadTheResultsCloseWhileTheyAreRewritten) {
  OpenWithEnvironment();
  TessellationLeaves(0);
  ASSERT_TRUE(RunTessellation(session_, false, Runner()).Ran());
  ASSERT_TRUE(session_.window.Commands().matrix && session_.window.Commands().assignment);
  PrepareTessellation(session_);
  standIns_["brindel"] = [] { return EndedWithoutMarker("brindel ended without completing its work"); };
  ASSERT_FALSE(RunTessellation(session_, false, Runner()).Ran());
  for (const bool open : {session_.window.Commands().matrix, session_.window.Commands().visualization,
                          session_.window.Commands().assignment})
    EXPECT_FALSE(open);
  EXPECT_TRUE(session_.window.Commands().tessellation) << "the user can try again";

  TessellationLeaves(0);
  ASSERT_TRUE(RunTessellation(session_, false, Runner()).Ran());
  EnvironmentChoices without;
  without.proteinName = "1abc";
  without.pointChoice = "CA";
  without.withEnvironment = false;
  ASSERT_TRUE(RunEnvironment(session_, without, Runner()).Ran());
  EXPECT_FALSE(session_.window.Commands().matrix);
  EXPECT_FALSE(session_.window.Commands().relaxation) << "no environment points to relax any more";
}

TEST_F(Pipeline, AProgramTheRunProtocolRefusesRefusesTheStep) {
  OpenWithEnvironment();
  standIns_["relaxation"] = [] {
    ConsoleRunResult run;
    run.outcome = ConsoleRunResult::Outcome::Refused;
    run.message = "cannot start relaxation while another console program is running";
    return run;
  };
  RelaxationRequest request;
  request.passes = 3;
  request.countText = "3";
  const StepResult result = RunRelaxation(session_, request, Runner());
  EXPECT_EQ(result.outcome, StepOutcome::Refused);
  EXPECT_TRUE(result.ProgramFailed());
  EXPECT_EQ(result.message, "cannot start relaxation while another console program is running");
  EXPECT_EQ(session_.window.Labels().relaxations, "0") << "the count stays as it was before the run";
}

// A program that completed but left no report: the step stops after its run, with the dialog's message.
TEST_F(Pipeline, AMissingReportAfterTheRunFailsTheStepAfterItsProgram) {
  OpenWithEnvironment();
  standIns_["brindel"] = [] { return Completed(); };
  const StepResult result = RunTessellation(session_, true, Runner());
  EXPECT_EQ(result.outcome, StepOutcome::Failed);
  EXPECT_EQ(result.stage, StepResult::Stage::AfterProgram);
  EXPECT_FALSE(result.ProgramFailed());
  EXPECT_EQ(result.message, "cannot open " + (app_ / "1abc" / "1abc_error2").string());
}

TEST_F(Pipeline, NoRelaxationRunsNothingAndKeepsTheCountShown) {
  OpenWithEnvironment();
  session_.window.RelaxationDone(std::string("4"), 2);
  const StepResult result = RunRelaxation(session_, RelaxationRequest{}, Runner());
  EXPECT_TRUE(result.Ran());
  EXPECT_FALSE(result.programStarted);
  EXPECT_EQ(ran_, std::vector<std::string>{"orvane"});
  EXPECT_EQ(session_.window.Labels().relaxations, "4");
  EXPECT_EQ(session_.window.Labels().notInBulk, "0");
}

// The steps in the order of the main window's commands, with the real programs of the application
// folder run by the blocking protocol, on a real protein.
TEST(PipelineOnARealProtein, EveryStepRunsAndTheTablesHoldTheResultsAndClasses) {
  const auto protein = testing::TestProtein("1A8O.pdb");
  if (!protein) return;
  testing::ScratchFolder app;
  for (const char* file : {"orvane", "brindel", "attribution", "spherepack_1.txt", "Tab_cen_2", "Tab_ext_2"})
    std::filesystem::create_symlink(testing::AppDir() / file, app / file);
  FrontEndSession session;
  session.appFolder = app.Path();
  session.proteinFile = *protein;
  const ConsoleRunner runner = BlockingRunner(app.Path());

  ASSERT_TRUE(OpenProtein(session).Ran());
  EnvironmentChoices choices;
  choices.proteinName = "1a8o";
  choices.pointChoice = "CA";
  choices.radiusText = "6,5";
  choices.thicknessText = "3,5";
  const StepResult environment = RunEnvironment(session, choices, runner);
  ASSERT_TRUE(environment.Ran()) << environment.message;
  EXPECT_EQ(environment.scene, app / "environment.wrl");
  PrepareTessellation(session);
  const StepResult tessellation = RunTessellation(session, false, runner);
  ASSERT_TRUE(tessellation.Ran()) << tessellation.message;
  EXPECT_TRUE(std::filesystem::exists(tessellation.scene));
  const TessellationReading reading = ReadTessellationResults(session);
  EXPECT_TRUE(reading.cells.Clean()) << reading.cells.Message();
  EXPECT_TRUE(reading.faces.Clean()) << reading.faces.Message();
  EXPECT_EQ(session.tab1.Cols(), kColumnExposure + 1) << "the environment adds the exposure column";

  const StepResult assignment = RunAssignment(session, runner);
  ASSERT_TRUE(assignment.Ran()) << assignment.message;
  EXPECT_EQ(session.tab1.Cols(), kColumnExposure + 2) << "the class column follows";
}

}  // namespace
}  // namespace mirelda
