// The face reader's neighbour lists and the face display in the face table.
#include "mirelda/results/face_reader.h"

#include <gtest/gtest.h>

#include "mirelda/results/cell_reader.h"
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

std::string FaceLine(const char* owner, const char* neighbour) {
  // owner "M    1 A", neighbour "K A    2"
  return std::string(owner) + " V : " + neighbour + "  5   10.250   12.500    3.800\n";
}

TEST(FaceReaderTest, GivesEachResidueItsNeighboursInFileOrder) {
  TableFixture fixture;
  BuildProtein(fixture, FiveResidues());
  const ReadReport report = ReadFaceText(testing::kFaceText, "F1tst", fixture.residues);
  EXPECT_TRUE(report.Clean()) << report.Message();
  EXPECT_EQ(report.linesUsed, 6);
  const std::vector<Voisin>& m1 = fixture.residues.ResidueAt(1).VOIS();
  ASSERT_EQ(m1.size(), 3u);
  EXPECT_EQ(m1[0].NOM, "K");
  EXPECT_EQ(m1[0].CHA, "A");
  EXPECT_EQ(m1[0].NUM, 2);
  EXPECT_EQ(m1[0].NBC, 5);
  EXPECT_DOUBLE_EQ(m1[0].SUR, 10.25);
  EXPECT_DOUBLE_EQ(m1[0].PER, 12.5);
  EXPECT_DOUBLE_EQ(m1[0].DIS, 3.8);
  EXPECT_EQ(m1[2].NOM, "U");
  EXPECT_EQ(m1[2].CHA, "&");
  EXPECT_EQ(m1[2].NUM, 12);
  EXPECT_EQ(fixture.residues.ResidueAt(2).VOIS().size(), 1u);
  EXPECT_TRUE(fixture.residues.ResidueAt(3).VOIS().empty());
  EXPECT_EQ(fixture.residues.ResidueAt(4).VOIS().size(), 2u);  // the last group too
}

// Grouping by number alone would merge the last residue of chain A with the first of chain B.
TEST(FaceReaderTest, TwoChainsMeetingAtOneNumberKeepTheirOwnFaces) {
  TableFixture fixture;
  BuildProtein(fixture, {{"M", 1, "A"}, {"K", 2, "A"}, {"K", 2, "B"}, {"L", 3, "B"}});
  const std::string text = FaceLine("M    1 A", "K A    2") + FaceLine("K    2 A", "M A    1") +
                           FaceLine("K    2 B", "L B    3") + FaceLine("K    2 B", "K A    2") +
                           FaceLine("L    3 B", "K B    2");
  const ReadReport report = ReadFaceText(text, "F1tst", fixture.residues);
  EXPECT_TRUE(report.Clean()) << report.Message();
  ASSERT_EQ(fixture.residues.ResidueAt(2).VOIS().size(), 1u);
  EXPECT_EQ(fixture.residues.ResidueAt(2).VOIS()[0].NOM, "M");
  ASSERT_EQ(fixture.residues.ResidueAt(3).VOIS().size(), 2u);
  EXPECT_EQ(fixture.residues.ResidueAt(3).VOIS()[0].NOM, "L");
  EXPECT_EQ(fixture.residues.ResidueAt(4).VOIS().size(), 1u);
}

// Faces of a residue not found ahead are left out and said so; searching on past the array would crash.
TEST(FaceReaderTest, AnUnknownOrOutOfOrderResidueIsReportedAndTheOthersAttached) {
  TableFixture fixture;
  BuildProtein(fixture, FiveResidues());
  const std::string text = FaceLine("K    2 A", "M A    1") + FaceLine("M    1 A", "K A    2") +
                           FaceLine("W   77 A", "K A    2") + FaceLine("G    4 A", "M A    1");
  const ReadReport report = ReadFaceText(text, "F1tst", fixture.residues);
  ASSERT_EQ(report.problems.size(), 2u) << report.Message();
  EXPECT_NE(report.problems[0].find("F1tst lines 2 to 2"), std::string::npos) << report.problems[0];
  EXPECT_NE(report.problems[1].find("W 77"), std::string::npos) << report.problems[1];
  EXPECT_EQ(fixture.residues.ResidueAt(2).VOIS().size(), 1u);
  EXPECT_TRUE(fixture.residues.ResidueAt(1).VOIS().empty());
  EXPECT_EQ(fixture.residues.ResidueAt(4).VOIS().size(), 1u);
  EXPECT_EQ(report.linesUsed, 2);
}

TEST(FaceReaderTest, AnEmptyFaceFileChangesNothingAndSaysSo) {
  TableFixture fixture;
  BuildProtein(fixture, FiveResidues());
  fixture.residues.ResidueAt(1).SetVOIS({Voisin{}});
  const ReadReport report = ReadFaceText("", "F1tst", fixture.residues);
  EXPECT_TRUE(report.read);
  EXPECT_EQ(report.problems.size(), 1u);
  EXPECT_EQ(fixture.residues.ResidueAt(1).VOIS().size(), 1u);
}

// A ragged line must not be read past its end.
TEST(FaceReaderTest, ATruncatedLineReadsItsMissingFieldsAsEmpty) {
  TableFixture fixture;
  BuildProtein(fixture, FiveResidues());
  const ReadReport report = ReadFaceText("M    1 A V : K\n", "F1tst", fixture.residues);
  EXPECT_TRUE(report.Clean()) << report.Message();
  ASSERT_EQ(fixture.residues.ResidueAt(1).VOIS().size(), 1u);
  EXPECT_EQ(fixture.residues.ResidueAt(1).VOIS()[0].NOM, "K");
  EXPECT_EQ(fixture.residues.ResidueAt(1).VOIS()[0].CHA, "");
  EXPECT_DOUBLE_EQ(fixture.residues.ResidueAt(1).VOIS()[0].DIS, 0.0);
}

TEST(FaceFileTest, AMissingFaceFileIsReported) {
  TableFixture fixture;
  BuildProtein(fixture, FiveResidues());
  testing::ScratchFolder folder;
  const ReadReport report = lecture_F(folder.Path(), "1tst", fixture.residues);
  EXPECT_FALSE(report.read);
  EXPECT_NE(report.Message().find("F1tst"), std::string::npos);
}

class FaceDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildProtein(fixture_, FiveResidues());
    ReadCellText(testing::kCellText, "C1tst", fixture_.residues, fixture_.tab1, {true, '.', {}});
    ReadFaceText(testing::kFaceText, "F1tst", fixture_.residues);
  }
  FaceDisplay Show(int row, int col = 7) {
    return ShowResidueFaces(fixture_.tab1, fixture_.tab2, fixture_.residues, state_, row, col);
  }
  TableFixture fixture_;
  FaceDisplayState state_;
};

TEST_F(FaceDisplayTest, FillsTheFaceTableWithTheResiduesNeighbours) {
  const FaceDisplay display = Show(1);
  ASSERT_TRUE(display.shown);
  EXPECT_TRUE(display.problem.empty());
  const GridModel& tab2 = fixture_.tab2;
  EXPECT_EQ(tab2.Cols(), 8);
  EXPECT_EQ(tab2.Rows(), 4);
  EXPECT_EQ(tab2.FormatString(), "<N\u00B0 |<AA |<NUM |<CH|<SIDES|<AREA|<PERIM|>DIST");
  EXPECT_EQ(tab2.TextAt(0, 0), "N\u00B0 ");
  const int widths[] = {500, 300, 600, 300, 600, 700, 700, 700};
  for (int c = 0; c < 8; ++c) {
    EXPECT_EQ(tab2.ColWidth(c), widths[c]);
    EXPECT_EQ(tab2.ColAlignment(c), kAlignCentre);
  }
  const char* row1[] = {"1", "K", "2", "A", "5", "10.25", "12.5", "3.8"};
  for (int c = 0; c < 8; ++c) {
    EXPECT_EQ(tab2.TextAt(1, c), row1[c]) << c;
    EXPECT_EQ(tab2.CellAt(1, c).backColour, kColourLightYellow) << c;
    EXPECT_EQ(tab2.CellAt(3, c).backColour, 0) << c;  // the environment neighbour stays plain
  }
  EXPECT_EQ(tab2.TextAt(3, 1), "U");
  EXPECT_EQ(tab2.RowHeight(1), 245);
  EXPECT_EQ(display.size.width, 4500);
  EXPECT_EQ(display.size.height, 3 * 245 + 270);
  EXPECT_EQ(fixture_.tab1.CellAt(1, 7).backColour, kColourOrange);
}

TEST_F(FaceDisplayTest, ANewPlusRestoresThePreviousOneToLightBlue) {
  Show(1);
  Show(2);
  EXPECT_EQ(fixture_.tab1.CellAt(1, 7).backColour, kColourLightBlue);
  EXPECT_EQ(fixture_.tab1.CellAt(2, 7).backColour, kColourOrange);
  EXPECT_EQ(fixture_.tab2.Rows(), 2);
  EXPECT_EQ(state_.lastRow, 2);
}

TEST_F(FaceDisplayTest, OnlyAPlusOfColumnSevenShowsFaces) {
  EXPECT_FALSE(Show(1, 8).shown);
  EXPECT_FALSE(Show(3).shown);   // locked row, no "+"
  EXPECT_FALSE(Show(0).shown);   // header
  EXPECT_FALSE(Show(99).shown);  // outside the table
  EXPECT_EQ(fixture_.tab2.Cols(), 0);
}

TEST_F(FaceDisplayTest, NineNeighboursGiveAFixedScrollingTable) {
  std::vector<Voisin> many(9);
  fixture_.residues.ResidueAt(1).SetVOIS(many);
  const FaceDisplay display = Show(1);
  EXPECT_EQ(display.size.width, 4755);
  EXPECT_EQ(display.size.height, 2260);
  EXPECT_EQ(fixture_.tab2.Width(), 4755);
  EXPECT_EQ(fixture_.tab2.Height(), 2260);
  EXPECT_EQ(fixture_.tab2.Rows(), 10);
}

TEST_F(FaceDisplayTest, EightNeighboursGiveATableAsHighAsItsRows) {
  fixture_.residues.ResidueAt(1).SetVOIS(std::vector<Voisin>(8));
  EXPECT_EQ(Show(1).size.height, 8 * 245 + 270);
}

// Matching by number and code alone would show chain A's faces on the chain B row of a homodimer.
TEST(FaceDisplayChainTest, AHomodimerRowShowsItsOwnChainsFaces) {
  TableFixture fixture;
  BuildProtein(fixture, {{"M", 1, "A"}, {"K", 2, "A"}, {"M", 1, "B"}, {"K", 2, "B"}});
  ReadCellText(
      "M    1 A   25.125   48.250 14 V  12.5\nK    2 A   30.000   52.000 15 V   0.0\n"
      "M    1 B   25.125   48.250 14 V  12.5\nK    2 B   30.000   52.000 15 V   0.0\n",
      "C1tst", fixture.residues, fixture.tab1, {true, '.', {}});
  const std::string text = FaceLine("M    1 A", "K A    2") + FaceLine("K    2 A", "M A    1") +
                           FaceLine("M    1 B", "K B    2") + FaceLine("M    1 B", "M A    1") +
                           FaceLine("K    2 B", "M B    1");
  ASSERT_TRUE(ReadFaceText(text, "F1tst", fixture.residues).Clean());
  FaceDisplayState state;
  ShowResidueFaces(fixture.tab1, fixture.tab2, fixture.residues, state, 3, 7);
  ASSERT_EQ(fixture.tab2.Rows(), 3);
  EXPECT_EQ(fixture.tab2.TextAt(1, 3), "B");
}

}  // namespace
}  // namespace mirelda
