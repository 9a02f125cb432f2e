// After the tessellation, relaxation and assignment runs: the error reports counted and dropped when
// empty, the questions in their exact words, the class letters on the rows of residues with a cell.
#include "mirelda/workflow/run_steps.h"

#include <gtest/gtest.h>

#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/toggle_cells.h"
#include "tests/support/scratch_folder.h"

using namespace mirelda::workflow;

namespace mirelda {
namespace {

TEST(CountLines, LineEndsOfEveryKind) {
  EXPECT_EQ(CountLines(""), 0);
  EXPECT_EQ(CountLines("a\nb\n"), 2);
  EXPECT_EQ(CountLines("a\r\nb\r\n"), 2);
  EXPECT_EQ(CountLines("a\r\nb"), 2);
  EXPECT_EQ(CountLines("\n"), 1);
  EXPECT_EQ(CountLines("a\rb\r"), 2);
}

TEST(TessellationErrors, AnEmptyReportIsDeletedAndAsksNothing) {
  testing::ScratchFolder results;
  results.Write("1abc_error2", "");
  const TessellationErrors errors = CheckTessellationErrors(results.Path(), "1abc");
  EXPECT_EQ(errors.failure, "");
  EXPECT_EQ(errors.notInBulk, 0);
  EXPECT_TRUE(errors.question.empty());
  EXPECT_FALSE(results.Exists("1abc_error2"));
}

TEST(TessellationErrors, ResiduesOutsideTheBulkAreCountedAndTheReportKept) {
  testing::ScratchFolder results;
  results.Write("1abc_error2", "A 12 B\nC 14 B\nD 20 B\n");
  const TessellationErrors errors = CheckTessellationErrors(results.Path(), "1abc");
  EXPECT_EQ(errors.notInBulk, 3);
  EXPECT_EQ(errors.question,
            "3 amino acids are NOT in the bulk ! Do you want to see 1abc_error2 for details ?");
  EXPECT_EQ(errors.report, results / "1abc_error2");
  EXPECT_TRUE(results.Exists("1abc_error2"));
}

TEST(TessellationErrors, AMissingReportIsAFailure) {
  testing::ScratchFolder results;
  EXPECT_NE(CheckTessellationErrors(results.Path(), "1abc").failure, "");
}

TEST(RelaxationErrors, PassLinesAreNotResidues) {
  const RelaxationErrors errors = ParseRelaxationErrors("RELAXATION:3\nA 12 B\r\nC 14 B\n");
  EXPECT_EQ(errors.lastRelaxation, 3);
  EXPECT_EQ(errors.notInBulk, 2);
  const RelaxationErrors passesOnly = ParseRelaxationErrors("RELAXATION:0\nRELAXATION: 8 \n");
  EXPECT_EQ(passesOnly.lastRelaxation, 8);
  EXPECT_EQ(passesOnly.notInBulk, 0);
}

TEST(RelaxationRun, OnlyPassLinesDeleteTheReportAndTheLastCoordinatesAreSaved) {
  testing::ScratchFolder app;
  std::filesystem::create_directory(app / "1abc");
  app.Write("file_02", "points after the last pass\r\n");
  app.Write("1abc/1abc_error", "RELAXATION:8\n");
  RelaxationRequest request;
  request.passes = 9;
  request.countText = "9";
  request.lastFile = true;
  const RelaxationOutcome outcome = FinishRelaxationRun(app.Path(), app / "1abc", "1abc", request);
  EXPECT_EQ(outcome.failure, "");
  EXPECT_TRUE(outcome.warnings.empty());
  EXPECT_EQ(outcome.notInBulk, 0);
  EXPECT_EQ(outcome.relaxations, "9");
  EXPECT_TRUE(outcome.question.empty());
  EXPECT_FALSE(app.Exists("1abc/1abc_error"));
  EXPECT_EQ(app.Read("1abc/1abc_R9"), "points after the last pass\r\n");
}

TEST(RelaxationRun, ResiduesOutsideTheBulkAsk) {
  testing::ScratchFolder app;
  std::filesystem::create_directory(app / "1abc");
  app.Write("1abc/1abc_error", "RELAXATION:2\nA 5 B\n");
  RelaxationRequest request;
  request.passes = 3;
  request.countText = "3";
  const RelaxationOutcome outcome = FinishRelaxationRun(app.Path(), app / "1abc", "1abc", request);
  EXPECT_EQ(outcome.notInBulk, 1);
  EXPECT_EQ(outcome.relaxations, "3");
  EXPECT_EQ(outcome.question,
            "1 amino acids are NOT in the bulk ! Do you want to see 1abc_error for details ?");
  EXPECT_TRUE(app.Exists("1abc/1abc_error"));
  EXPECT_FALSE(app.Exists("1abc/1abc_R3"));
}

TEST(TessellationStep, WritesTheOptionsRunsAndCounts) {
  testing::ScratchFolder app;
  std::filesystem::create_directory(app / "1abc");
  bool optionsWritten = false;
  const TessellationErrors errors = RunTessellationStep(app.Path(), "1abc", false, [&] {
    optionsWritten = app.Read("option_bis.txt").rfind("NOM_PROT:1abc\r\n", 0) == 0;
    app.Write("1abc/1abc_error2", "A 1 B\n");
    return std::string();
  });
  EXPECT_TRUE(optionsWritten) << "the options exist before the program starts";
  EXPECT_EQ(errors.failure, "");
  EXPECT_EQ(errors.notInBulk, 1);
  const TessellationErrors failed =
      RunTessellationStep(app.Path(), "1abc", false, [] { return std::string("no marker"); });
  EXPECT_EQ(failed.failure, "no marker");
}

TEST(RelaxationStep, NoPassesRunNothing) {
  testing::ScratchFolder app;
  RelaxationRequest request;
  int runs = 0;
  const RelaxationOutcome outcome = RunRelaxationStep(app.Path(), "1abc", request, [&] {
    ++runs;
    return std::string();
  });
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(outcome.notInBulk, 0);
  EXPECT_TRUE(outcome.relaxations.empty());
  EXPECT_FALSE(app.Exists("option.txt"));

  std::filesystem::create_directory(app / "1abc");
  request.passes = 2;
  request.countText = "2";
  const RelaxationOutcome ran = RunRelaxationStep(app.Path(), "1abc", request, [&] {
    ++runs;
    app.Write("1abc/1abc_error", "RELAXATION:1\n");
    return std::string();
  });
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(ran.relaxations, "2");
  EXPECT_NE(app.Read("option.txt").find("RLX:1\r\n"), std::string::npos);
}

// Rows 2 and 4 have no cell: the classes skip them.
GridModel TessellatedTable() {
  GridModel tab1;
  tab1.SetRows(6);
  tab1.SetCols(14);
  tab1.SetWidth(5000);
  for (int row : {1, 3, 5}) {
    tab1.SetRow(row);
    tab1.SetCol(kColumnFaceLink);
    tab1.SetText("+");
  }
  return tab1;
}

TEST(Assignment, ClassesLandOnTheRowsWithACell) {
  GridModel tab1 = TessellatedTable();
  EXPECT_EQ(AppendClassColumn(tab1, " C \nE\r\nS\n"), "");
  ASSERT_EQ(tab1.Cols(), 15);
  EXPECT_EQ(tab1.Width(), 5300);
  EXPECT_EQ(tab1.ColWidth(14), kClassColumnWidth);
  EXPECT_EQ(tab1.ColAlignment(14), kAlignCentre);
  EXPECT_EQ(tab1.TextAt(1, 14), "C");
  EXPECT_EQ(tab1.TextAt(2, 14), "");
  EXPECT_EQ(tab1.TextAt(3, 14), "E");
  EXPECT_EQ(tab1.TextAt(5, 14), "S");
  EXPECT_EQ(tab1.TextAt(0, 14), "");
  EXPECT_EQ(tab1.BackColor(), kColourLightYellow);
  // A second run adds a second column; the first stays.
  EXPECT_EQ(AppendClassColumn(tab1, "B\nB\nB\n"), "");
  EXPECT_EQ(tab1.Cols(), 16);
  EXPECT_EQ(tab1.TextAt(1, 14), "C");
  EXPECT_EQ(tab1.TextAt(1, 15), "B");
}

// More classes than rows with a cell must not walk past the table's last row.
TEST(Assignment, ExtraClassesAreReportedNotWrittenOffTheTable) {
  GridModel tab1 = TessellatedTable();
  EXPECT_NE(AppendClassColumn(tab1, "A\nB\nC\nD\n"), "");
  EXPECT_EQ(tab1.TextAt(5, 14), "C");
}

TEST(Assignment, NeedsTessellationResultsAndTheClassFile) {
  GridModel proteinOnly;
  proteinOnly.SetRows(3);
  proteinOnly.SetCols(3);
  EXPECT_NE(AppendClassColumn(proteinOnly, "A\n"), "");
  EXPECT_EQ(proteinOnly.Cols(), 3);
  testing::ScratchFolder results;
  GridModel tab1 = TessellatedTable();
  EXPECT_NE(ShowAssignment(tab1, results.Path(), "1abc"), "");
  EXPECT_EQ(tab1.Cols(), 14) << "no empty column for a missing class file";
  results.Write("1abc_resu", "H\n");
  EXPECT_EQ(ShowAssignment(tab1, results.Path(), "1abc"), "");
  EXPECT_EQ(tab1.TextAt(1, 14), "H");
}

}  // namespace
}  // namespace mirelda
