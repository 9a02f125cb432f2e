// The cell reader: values into the residues, column texts, colours, locks and marks of the results
// table, and the reports on lines it cannot place.
#include "mirelda/results/cell_reader.h"

#include <gtest/gtest.h>

#include "mirelda/model/residue_types.h"
#include "mirelda/results/result_files.h"
#include "mirelda/results/results_table.h"
#include "tests/frontend_results/results_fixture.h"
#include "tests/support/scratch_folder.h"

using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::results;

namespace mirelda {
namespace {

using testing::BuildProtein;
using testing::FiveResidues;
using testing::TableFixture;

class CellReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildProtein(fixture_, FiveResidues()); }
  const GridCell& Cell(int row, int col) const { return fixture_.tab1.CellAt(row, col); }
  ReadReport Read(const char* text, bool environment = true) {
    return ReadCellText(text, "C1tst", fixture_.residues, fixture_.tab1, {environment, '.', {}});
  }
  TableFixture fixture_;
};

TEST_F(CellReaderTest, StoresEveryFieldInTheMatchedResidues) {
  const ReadReport report = Read(testing::kCellText);
  EXPECT_TRUE(report.Clean()) << report.Message();
  EXPECT_EQ(report.linesUsed, 3);
  const DEF_AA& m1 = fixture_.residues.ResidueAt(1);
  EXPECT_DOUBLE_EQ(m1.VOL(), 25.125);
  EXPECT_DOUBLE_EQ(m1.SUR(), 48.25);
  EXPECT_EQ(m1.NBF(), 14);
  EXPECT_EQ(m1.IND(), "V");
  EXPECT_DOUBLE_EQ(m1.EXP(), 12.5);
  EXPECT_EQ(fixture_.residues.ResidueAt(4).IND(), "S");
  EXPECT_DOUBLE_EQ(fixture_.residues.ResidueAt(4).EXP(), 100.0);
  EXPECT_DOUBLE_EQ(fixture_.residues.ResidueAt(3).VOL(), 0.0);  // no line: untouched
}

TEST_F(CellReaderTest, LaysOutTheHeaderWidthsAndColumnsWithTheEnvironment) {
  Read(testing::kCellText);
  const GridModel& tab1 = fixture_.tab1;
  EXPECT_EQ(tab1.Cols(), 15);
  EXPECT_EQ(tab1.FormatString(),
            "<AA|<NUM|<CH|<VOL|<AREA|<FACES|<I|<+|<cell|<trac|<all|<labl|<col|<tra|<EXP");
  EXPECT_EQ(tab1.Width(), 7935);
  EXPECT_EQ(tab1.TextAt(0, 14), "EXP");
  const int widths[] = {300, 600, 300, 1000, 1000, 600, 300, 300, 400, 400, 400, 400, 400, 400, 750};
  for (int c = 0; c < 15; ++c) {
    EXPECT_EQ(tab1.ColWidth(c), widths[c]) << c;
    EXPECT_EQ(tab1.ColAlignment(c), kAlignCentre) << c;
  }
}

TEST_F(CellReaderTest, WithoutTheEnvironmentTheTableHasFourteenColumnsAndNoExposure) {
  Read(testing::kCellText, false);
  EXPECT_EQ(fixture_.tab1.Cols(), 14);
  EXPECT_EQ(fixture_.tab1.Width(), 7185);
  EXPECT_EQ(fixture_.tab1.FormatString(),
            "<AA|<NUM|<CH|<VOL|<AREA|<FACES|<I|<+|<cell|<trac|<all|<labl|<col|<tra");
}

TEST_F(CellReaderTest, AClosedCellGetsItsTextsMarksAndTypeColour) {
  Read(testing::kCellText);
  EXPECT_TRUE(Cell(1, 0).bold);
  EXPECT_EQ(Cell(1, 3).text, "25.125");
  EXPECT_EQ(Cell(1, 4).text, "48.25");
  EXPECT_EQ(Cell(1, 5).text, "14");
  EXPECT_EQ(Cell(1, 6).text, "V");
  EXPECT_EQ(Cell(1, 14).text, "12.5");
  EXPECT_EQ(Cell(1, 14).backColour, kColourLightYellow);
  for (int c = 0; c <= 6; ++c) EXPECT_EQ(Cell(1, c).backColour, kColourLightYellow) << c;
  EXPECT_EQ(Cell(1, 7).text, "+");
  EXPECT_EQ(Cell(1, 7).foreColour, kColourBlack);
  EXPECT_EQ(Cell(1, 7).backColour, kColourLightBlue);
  for (int c : {8, 9, 13}) {  // marked
    EXPECT_EQ(Cell(1, c).text, "x") << c;
    EXPECT_EQ(Cell(1, c).foreColour, kMarkedText) << c;
    EXPECT_EQ(Cell(1, c).backColour, kColourLightYellow) << c;
  }
  for (int c : {10, 11}) {  // unmarked
    EXPECT_EQ(Cell(1, c).text, "x") << c;
    EXPECT_EQ(Cell(1, c).foreColour, static_cast<GridColour>(0x8000000C)) << c;
    EXPECT_EQ(Cell(1, c).backColour, kColourLightGrey) << c;
  }
  EXPECT_EQ(Cell(1, 12).text, "");
  EXPECT_EQ(Cell(1, 12).foreColour, kColourBlack);
  EXPECT_EQ(Cell(1, 12).backColour, ResidueTypeByLetter("M")->col);
}

// A cell without environment faces starts with its "cell" toggle unmarked: it is hidden in the scene.
TEST_F(CellReaderTest, ZeroExposureLeavesTheCellToggleUnmarked) {
  Read(testing::kCellText);
  EXPECT_EQ(Cell(2, 8).text, "x");
  EXPECT_EQ(Cell(2, 8).foreColour, kUnmarkedText);
  EXPECT_FALSE(Cell(2, 8).backSet);  // background left as it was
  EXPECT_EQ(Cell(2, 13).foreColour, kMarkedText);
}

// An open cell cannot be drawn: locked in cell, col and tra, yet its trace/all/label toggles work.
TEST_F(CellReaderTest, AnOpenCellIsLockedInCellColourAndTransparency) {
  Read(testing::kCellText);
  for (int c : {8, 12, 13}) EXPECT_EQ(Cell(4, c).foreColour, kLockedText) << c;
  EXPECT_EQ(Cell(4, 9).foreColour, kMarkedText);
  EXPECT_EQ(Cell(4, 10).foreColour, kUnmarkedText);
  EXPECT_EQ(Cell(4, 11).foreColour, kUnmarkedText);
  EXPECT_EQ(Cell(4, 7).text, "");  // no face link
  EXPECT_EQ(Cell(4, 8).text, "");
  EXPECT_EQ(Cell(4, 0).backColour, kColourLightGrey);  // no yellow
  EXPECT_EQ(Cell(4, 12).backColour, 0);                // no colour
  EXPECT_EQ(Cell(4, 3).text, "8.5");
}

TEST_F(CellReaderTest, AResidueMissingBetweenTwoLinesIsLockedWithoutFaceLink) {
  Read(testing::kCellText);
  for (int c = 8; c < 15; ++c) EXPECT_EQ(Cell(3, c).foreColour, kLockedText) << c;
  EXPECT_EQ(Cell(3, 7).text, "");
  EXPECT_FALSE(Cell(3, 0).bold);
}

// The last residue has no line: left as it was, its fresh toggle cells would read as marked (text 0).
TEST_F(CellReaderTest, ResiduesAfterTheLastLineAreLockedToo) {
  Read(testing::kCellText);
  for (int c = 8; c < 15; ++c) EXPECT_EQ(Cell(5, c).foreColour, kLockedText) << c;
}

TEST_F(CellReaderTest, ResiduesBeforeTheFirstLineAreLocked) {
  Read("L    3 A   10.000   20.000  5 V   1.0\n");
  for (int r : {1, 2, 4, 5}) EXPECT_EQ(Cell(r, 8).foreColour, kLockedText) << r;
  EXPECT_EQ(Cell(3, 7).text, "+");
}

// One bad line must not cost the table the lines after it.
TEST_F(CellReaderTest, AnUnknownResidueIsReportedWithItsLineAndTheRestIsRead) {
  const ReadReport report = Read(
      "M    1 A   25.125   48.250 14 V  12.5\n"
      "W   99 A    1.000    2.000  3 V   0.0\n"
      "K    2 A   30.000   52.000 15 V   0.0\n");
  EXPECT_TRUE(report.read);
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_NE(report.problems[0].find("C1tst line 2"), std::string::npos) << report.problems[0];
  EXPECT_NE(report.problems[0].find("W 99"), std::string::npos) << report.problems[0];
  EXPECT_EQ(report.linesUsed, 2);
  EXPECT_EQ(Cell(2, 7).text, "+");
}

// The search only moves forward: a line behind the last match is left out, not written on another row.
TEST_F(CellReaderTest, AnOutOfOrderLineIsLeftOutAndItsResidueStaysLocked) {
  const ReadReport report = Read(
      "M    1 A   25.125   48.250 14 V  12.5\n"
      "G    4 A    8.500   20.000  9 V   1.0\n"
      "K    2 A   30.000   52.000 15 V   0.0\n");
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_NE(report.problems[0].find("line 3"), std::string::npos);
  EXPECT_EQ(Cell(2, 8).foreColour, kLockedText);
  EXPECT_DOUBLE_EQ(fixture_.residues.ResidueAt(2).VOL(), 0.0);
}

// The code takes part in the match: number 2 with another code is not residue K2.
TEST_F(CellReaderTest, ALineWithTheRightNumberButAnotherCodeDoesNotMatch) {
  const ReadReport report = Read("A    2 A   30.000   52.000 15 V   0.0\n");
  EXPECT_EQ(report.problems.size(), 1u);
  EXPECT_EQ(report.linesUsed, 0);
}

// The chain takes no part in the match (brindel's chains come from the point file).
TEST_F(CellReaderTest, TheChainOfALineIsNotCompared) {
  const ReadReport report = Read("M    1 Z   25.125   48.250 14 V  12.5\n");
  EXPECT_TRUE(report.Clean()) << report.Message();
  EXPECT_EQ(Cell(1, 7).text, "+");
}

TEST_F(CellReaderTest, AnEmptyCellFileLocksEveryResidueAndSaysSo) {
  const ReadReport report = Read("");
  EXPECT_TRUE(report.read);
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_NE(report.problems[0].find("no cell line"), std::string::npos);
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(Cell(r, 8).foreColour, kLockedText) << r;
}

TEST_F(CellReaderTest, CarriageReturnsAndBlankLinesAreAccepted) {
  const ReadReport report = Read(
      "M    1 A   25.125   48.250 14 V  12.5\r\n"
      "\r\n"
      "K    2 A   30.000   52.000 15 V   0.0\r\n");
  EXPECT_TRUE(report.Clean()) << report.Message();
  EXPECT_EQ(report.linesUsed, 2);
  EXPECT_DOUBLE_EQ(fixture_.residues.ResidueAt(2).EXP(), 0.0);
}

// A truncated line reads its missing fields as 0 instead of indexing past its end.
TEST_F(CellReaderTest, AShortLineReadsItsMissingFieldsAsZero) {
  const ReadReport report = Read("M    1 A   25.125\n");
  EXPECT_TRUE(report.Clean()) << report.Message();
  EXPECT_DOUBLE_EQ(fixture_.residues.ResidueAt(1).VOL(), 25.125);
  EXPECT_DOUBLE_EQ(fixture_.residues.ResidueAt(1).SUR(), 0.0);
  EXPECT_EQ(Cell(1, 8).foreColour, kUnmarkedText);  // exposure 0
}

TEST_F(CellReaderTest, TableNumbersFollowTheGivenSeparator) {
  ReadCellText(testing::kCellText, "C1tst", fixture_.residues, fixture_.tab1, {true, ',', {}});
  EXPECT_EQ(Cell(1, 3).text, "25,125");
  EXPECT_EQ(Cell(1, 14).text, "12,5");
  EXPECT_EQ(Cell(2, 3).text, "30");
}

// The results reader always paints the default colours, whatever the colour dialog stored.
TEST_F(CellReaderTest, TheColourColumnUsesTheDefaultColourNotTheCurrentOne) {
  ResidueTypeByLetter("M")->tei = 0x00123456;
  Read(testing::kCellText);
  EXPECT_EQ(Cell(1, 12).backColour, ResidueTypeByLetter("M")->col);
  testing::ResetTypeColours();
}

TEST(CellFileTest, AMissingFileIsReportedAndLeavesTheTableAlone) {
  TableFixture fixture;
  BuildProtein(fixture, FiveResidues());
  testing::ScratchFolder folder;
  const ReadReport report = lecture_C(folder.Path(), "1tst", fixture.residues, fixture.tab1);
  EXPECT_FALSE(report.read);
  EXPECT_NE(report.Message().find("cannot open"), std::string::npos);
  EXPECT_EQ(fixture.tab1.Cols(), 3);
}

TEST(CellFileTest, ReadsTheCellFileOfTheResultsFolder) {
  TableFixture fixture;
  BuildProtein(fixture, FiveResidues());
  testing::ScratchFolder folder;
  folder.Write("C1tst", testing::kCellText);
  const ReadReport report = lecture_C(folder.Path(), "1tst", fixture.residues, fixture.tab1, {true, '.', {}});
  EXPECT_TRUE(report.Clean()) << report.Message();
  EXPECT_EQ(fixture.tab1.TextAt(1, 3), "25.125");
}

}  // namespace
}  // namespace mirelda
