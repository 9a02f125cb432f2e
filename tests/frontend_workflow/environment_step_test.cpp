// The environment validation's files: a fresh results folder with the scenes, file_00, file_02 from the
// right point file, the kept copies, and what the main window is told.
#include "mirelda/workflow/environment_step.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "brindel/exchange/point_file.h"
#include "mirelda/workflow/protein_files.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda {
namespace {

class EnvironmentStep : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* scene : {"prot.wrl", "view.wrl", "trace.wrl", "label.wrl"})
      app_.Write(scene, std::string("#VRML V2.0 utf8 ") + scene + "\r\n");
    app_.Write("tampon", "PROBLEM 1\r\nPROBLEM 2\r\nPROBLEM 3\r\n");
    DEF_AA& residue = residues_.ResidueAt(residues_.Grow());
    residue.SetNAME("A");
    residue.SetCHAIN("A");
    residue.SetNUM(1);
    residue.SetCA({1, 2, 3});
    request_.appFolder = app_.Path();
    request_.proteinName = "1abc";
    request_.pointChoice = "CA";
    request_.radiusText = "6,5";
    request_.thicknessText = "3,5";
  }

  testing::ScratchFolder app_;
  Residues residues_;
  EnvironmentRequest request_;
};

// Stands in for orvane: writes its outputs into the application folder.
std::function<std::string()> FakeEnvironmentProgram(const testing::ScratchFolder& app) {
  return [&app] {
    app.Write("file_01", app.Read("file_00") + "ATOM  00002  C   XXX &0002     009.000 009.000 009.000\r\n");
    app.Write("environment.wrl", "#VRML V2.0 utf8 environment\r\n");
    return std::string();
  };
}

TEST_F(EnvironmentStep, WithoutEnvironmentFile02IsACopyOfFile00) {
  app_.Write("file_01", "old");
  std::filesystem::create_directory(app_ / "1abc");
  app_.Write("1abc/C1abc", "results of an earlier run");
  request_.withEnvironment = false;
  request_.problemCount = 0;
  const EnvironmentOutcome outcome = RunEnvironmentStep(request_, residues_, {});
  ASSERT_EQ(outcome.failure, "");
  EXPECT_FALSE(app_.Exists("file_01"));
  EXPECT_FALSE(app_.Exists("1abc/C1abc")) << "the results folder starts empty";
  for (const char* scene : {"prot.wrl", "view.wrl", "trace.wrl", "label.wrl"})
    EXPECT_EQ(app_.Read(std::string("1abc/") + scene), app_.Read(scene));
  const std::string file00 = app_.Read("file_00");
  EXPECT_EQ(file00.substr(0, 17), "DEF RSPHERE 6.5\r\n");
  EXPECT_EQ(app_.Read("file_02"), file00) << "the DEF lines come along; the readers skip them";
  EXPECT_EQ(outcome.secondViewScene, app_ / "trace.wrl");
  EXPECT_TRUE(outcome.problemQuestion.empty());
  EXPECT_FALSE(outcome.summary.withEnvironment);
  EXPECT_EQ(outcome.summary.residueCount, 1);
  EXPECT_EQ(outcome.summary.resultsFolder, (app_ / "1abc").string());
}

TEST_F(EnvironmentStep, WithEnvironmentTheProgramsPointsAreKept) {
  request_.keepCopy = true;
  request_.problemCount = 3;
  const EnvironmentOutcome outcome = RunEnvironmentStep(request_, residues_, FakeEnvironmentProgram(app_));
  ASSERT_EQ(outcome.failure, "");
  EXPECT_TRUE(outcome.warnings.empty());
  EXPECT_EQ(app_.Read("file_02"), app_.Read("file_01"));
  EXPECT_EQ(app_.Read("1abc/1abc_envir0"), app_.Read("file_01"));
  EXPECT_EQ(app_.Read("1abc/environment.wrl"), app_.Read("environment.wrl"));
  EXPECT_EQ(outcome.secondViewScene, app_ / "environment.wrl");
  EXPECT_EQ(app_.Read("1abc/1abc_problems"), app_.Read("tampon"));
  EXPECT_EQ(outcome.problemQuestion, "3 problems in 1abc ! Do you want to see 1abc_problems for details ?");
  EXPECT_EQ(outcome.problemReport, app_ / "1abc" / "1abc_problems");
  EXPECT_TRUE(outcome.summary.withEnvironment);
}

TEST_F(EnvironmentStep, AFailedEnvironmentRunStopsBeforeFile02) {
  const EnvironmentOutcome outcome =
      RunEnvironmentStep(request_, residues_, [] { return std::string("orvane ended without completing"); });
  EXPECT_EQ(outcome.failure, "orvane ended without completing");
  EXPECT_FALSE(app_.Exists("file_02"));
}

// A radius or thickness of 0 (within the dialog's range) once gave a protein without any environment point
// while the window said it was in its environment.
TEST_F(EnvironmentStep, AnEnvironmentWithoutAnyPointFailsTheStep) {
  request_.thicknessText = "0";
  const EnvironmentOutcome outcome = RunEnvironmentStep(request_, residues_, [this] {
    app_.Write("file_01", app_.Read("file_00"));
    app_.Write("environment.wrl", "#VRML V2.0 utf8 environment\r\n");
    return std::string();
  });
  EXPECT_EQ(outcome.failure,
            "no environment point around the protein: the radius (6,5) and the thickness (0) must be above 0");
  EXPECT_FALSE(app_.Exists("file_02"));
}

// Equal numbers separated only by residues without a point once lost the second residue without a word.
TEST_F(EnvironmentStep, AResidueHiddenByAnEqualNumberBeforeItIsNamed) {
  for (auto [chain, number, withPoint] : {std::tuple{"A", std::int16_t{2}, false}, std::tuple{"B", std::int16_t{1}, true}}) {
    DEF_AA& residue = residues_.ResidueAt(residues_.Grow());
    residue.SetNAME("G");
    residue.SetCHAIN(chain);
    residue.SetNUM(number);
    if (withPoint) residue.SetCA({5, 6, 7});
  }
  request_.withEnvironment = false;
  const EnvironmentOutcome outcome = RunEnvironmentStep(request_, residues_, {});
  ASSERT_EQ(outcome.failure, "");
  ASSERT_EQ(outcome.warnings.size(), 1u);
  EXPECT_EQ(outcome.warnings[0],
            "residue G 1 B follows A 1 A in file_00 with the same number: the programs keep only the first, so "
            "it has no cell");
}

// The name becomes a folder deleted with its contents: a bad name must never reach the deletion.
TEST_F(EnvironmentStep, AnUnusableNameDeletesNothing) {
  for (const char* name : {"", "..", "../x", "ab/c"}) {
    request_.proteinName = name;
    EXPECT_NE(PrepareEnvironmentRun(request_, residues_), "") << '"' << name << '"';
  }
  EXPECT_TRUE(app_.Exists("prot.wrl"));
  EXPECT_TRUE(app_.Exists("tampon"));
}

TEST_F(EnvironmentStep, AMissingSceneStopsTheStep) {
  std::filesystem::remove(app_ / "label.wrl");
  request_.withEnvironment = false;
  const EnvironmentOutcome outcome = RunEnvironmentStep(request_, residues_, {});
  EXPECT_NE(outcome.failure.find("label.wrl"), std::string::npos) << outcome.failure;
  EXPECT_FALSE(app_.Exists("file_02"));
}

TEST_F(EnvironmentStep, AMissingProblemReportIsOnlyAWarning) {
  std::filesystem::remove(app_ / "tampon");
  request_.withEnvironment = false;
  request_.problemCount = 2;
  const EnvironmentOutcome outcome = RunEnvironmentStep(request_, residues_, {});
  EXPECT_EQ(outcome.failure, "");
  EXPECT_EQ(outcome.warnings.size(), 1u);
  EXPECT_TRUE(outcome.problemQuestion.empty());
  EXPECT_TRUE(app_.Exists("file_02"));
}

// A real protein from its file to file_02: every residue with a CA gets one point, in order, that the
// point-file reader reads back with its residue number.
TEST(EnvironmentStepOnARealProtein, File02HoldsOneCaPointPerResidue) {
  const auto protein = testing::TestProtein("1A8O.pdb");
  if (!protein) return;
  testing::ScratchFolder app;
  const ProteinReading reading = ReadProteinFile(*protein);
  ASSERT_TRUE(reading.Succeeded()) << reading.failure;
  ASSERT_EQ(WriteProteinFiles(reading, app.Path()), "");
  EnvironmentRequest request;
  request.appFolder = app.Path();
  request.proteinName = "1a8o";
  request.pointChoice = "CA";
  request.radiusText = "6,5";
  request.thicknessText = "3,5";
  request.withEnvironment = false;
  request.problemCount = reading.ProblemCount;
  const EnvironmentOutcome outcome = RunEnvironmentStep(request, reading.residues, {});
  ASSERT_EQ(outcome.failure, "");
  std::ifstream in(app / "file_02");
  const PointFile file = ReadPointFile(in);
  std::size_t withCa = 0;
  for (int i = 1; i <= reading.ResidueCount(); ++i) {
    const DEF_AA* residue = reading.residues.Find(i);
    if (residue == nullptr || residue->CA() == PointTriple{}) continue;
    ASSERT_LT(withCa, file.points.size());
    EXPECT_EQ(file.points[withCa].residueNumber, residue->NUM()) << "residue " << i;
    EXPECT_NEAR(file.points[withCa].x, residue->CA()[0], 0.0005) << "residue " << i;
    ++withCa;
  }
  EXPECT_EQ(file.points.size(), withCa);
  EXPECT_GT(withCa, 0u);
  EXPECT_EQ(outcome.problemQuestion.empty(), reading.ProblemCount == 0);
}

}  // namespace
}  // namespace mirelda
