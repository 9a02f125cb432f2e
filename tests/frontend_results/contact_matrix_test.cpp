// The contact matrix picture: cell colours and sizes, the two green diagonals, ragged and empty files,
// and the window geometry around it.
#include "mirelda/results/contact_matrix.h"

#include <gtest/gtest.h>

#include "mirelda/results/result_files.h"
#include "tests/frontend_results/results_fixture.h"
#include "tests/support/scratch_folder.h"

using namespace mirelda::workflow;
using namespace mirelda::results;

namespace mirelda {
namespace {

constexpr GridColour kBlack = 0x00000000;
constexpr GridColour kRed = 0x000000FF;
constexpr GridColour kYellow = 0x0000FFFF;
constexpr GridColour kGreen = 0x0000FF00;

GridColour ColourAt(const ContactDrawing& drawing, int row, int col) {
  for (const ContactCell& cell : drawing.Cells())
    if (cell.row == row && cell.col == col) return cell.colour;
  return -1;  // not drawn
}

TEST(ContactMatrixTest, ColoursFollowTheDigitsAndTheSequenceNeighboursAreGreen) {
  const ContactDrawing drawing = DrawContactMatrix("0120\n1000\n2150\n0001\n");
  EXPECT_EQ(drawing.Rows(), 4);
  EXPECT_EQ(drawing.Cols(), 4);
  EXPECT_EQ(ColourAt(drawing, 0, 0), kBlack);  // main diagonal: the file's digit
  EXPECT_EQ(ColourAt(drawing, 3, 3), kRed);
  EXPECT_EQ(ColourAt(drawing, 0, 1), kGreen);  // '1' in the file, green all the same
  EXPECT_EQ(ColourAt(drawing, 1, 0), kGreen);
  EXPECT_EQ(ColourAt(drawing, 2, 1), kGreen);
  EXPECT_EQ(ColourAt(drawing, 0, 2), kYellow);
  EXPECT_EQ(ColourAt(drawing, 2, 0), kYellow);
  EXPECT_EQ(ColourAt(drawing, 2, 2), -1);  // '5' draws nothing
  EXPECT_EQ(drawing.Cells().size(), 15u);
}

TEST(ContactMatrixTest, CellsAreSquaresWithAOnePixelGap) {
  const ContactDrawing drawing = DrawContactMatrix("000\n000\n000\n", 489);
  EXPECT_EQ(drawing.CellSize(), 163);
  for (const ContactCell& cell : drawing.Cells()) {
    EXPECT_EQ(cell.rect.x, cell.col * 163);
    EXPECT_EQ(cell.rect.y, cell.row * 163);
    EXPECT_EQ(cell.rect.width, 162);
    EXPECT_EQ(cell.rect.height, 162);
  }
  int row = -1, col = -1;
  EXPECT_TRUE(drawing.PairAt(170, 10, row, col));
  EXPECT_EQ(row, 0);
  EXPECT_EQ(col, 1);
  EXPECT_FALSE(drawing.PairAt(162, 10, row, col));  // on the gap
}

// The cell size is the integer part of the area over N: an empty strip may remain.
TEST(ContactMatrixTest, TheCellSizeIsTheIntegerPartOfTheAreaOverTheLineCount) {
  std::string text;
  for (int i = 0; i < 7; ++i) text += "0000000\n";
  EXPECT_EQ(DrawContactMatrix(text).CellSize(), 489 / 7);
}

// Short rows draw their missing cells black, long rows are cut, stray characters read as 0.
TEST(ContactMatrixTest, RaggedRowsNeverReachPastTheirEnd) {
  const ContactDrawing drawing = DrawContactMatrix("02222\n2\n22x2222222\n\n");
  EXPECT_EQ(drawing.Rows(), 4);
  EXPECT_EQ(drawing.Cols(), 5);
  EXPECT_EQ(ColourAt(drawing, 1, 4), kBlack);  // beyond the short line
  EXPECT_EQ(ColourAt(drawing, 2, 0), kYellow);
  EXPECT_EQ(ColourAt(drawing, 2, 2), kBlack);  // 'x'
  EXPECT_EQ(ColourAt(drawing, 3, 0), kBlack);  // an empty line
  EXPECT_EQ(ColourAt(drawing, 3, 2), kGreen);
  EXPECT_EQ(drawing.Cells().size(), 20u);
  EXPECT_EQ(drawing.DigitAt(2, 9), kNotDrawn);  // cut
}

TEST(ContactMatrixTest, AnEmptyFileOrFirstLineDrawsNothing) {
  EXPECT_TRUE(DrawContactMatrix("").Cells().empty());
  EXPECT_TRUE(DrawContactMatrix("\n0000\n").Cells().empty());
}

// A 400 KB file of one long line over many empty ones once asked for 40 GB: the pairs drawn never
// outnumber the characters of the file.
TEST(ContactMatrixTest, ALongFirstLineOverManyEmptyLinesIsNotDrawn) {
  const std::string text = std::string(200000, '1') + std::string(200000, '\n');
  const ContactDrawing drawing = DrawContactMatrix(text);
  EXPECT_TRUE(drawing.Cells().empty());
  EXPECT_EQ(drawing.Rows(), 0);
  EXPECT_NE(drawing.problem.find("200000 lines"), std::string::npos) << drawing.problem;
}

// More residues than pixels: one pixel a pair without gap instead of cells of size zero.
TEST(ContactMatrixTest, ALargeProteinGetsOnePixelCells) {
  std::string line(600, '0');
  std::string text;
  for (int i = 0; i < 600; ++i) text += line + "\n";
  const ContactDrawing drawing = DrawContactMatrix(text);
  EXPECT_EQ(drawing.CellSize(), 1);
  EXPECT_EQ(drawing.Gap(), 0);
  int count = 0;
  drawing.ForEachCell([&](const ContactCell& cell) {
    if (cell.rect.width != 1) ADD_FAILURE() << "cell width " << cell.rect.width;
    ++count;
  });
  EXPECT_EQ(count, 600 * 600);
}

TEST(ContactMatrixTest, AMissingFileDrawsNothingAndSaysWhyQuietly) {
  testing::ScratchFolder folder;
  const ContactDrawing drawing = Dessine(ContactFilePath(folder.Path(), "1tst"));
  EXPECT_EQ(drawing.Rows(), 0);
  EXPECT_NE(drawing.problem.find("cannot open"), std::string::npos);
  folder.Write("1tst_contact", "0110\r\n1011\r\n1101\r\n0110\r\n");
  const ContactDrawing read = Dessine(ContactFilePath(folder.Path(), "1tst"));
  EXPECT_EQ(read.Rows(), 4);
  EXPECT_EQ(read.Cols(), 4);  // the CR is not a column
  EXPECT_TRUE(read.problem.empty());
}

TEST(ContactMatrixTest, PairLabelsNameBothResidues) {
  testing::TableFixture fixture;
  testing::BuildProtein(fixture, testing::FiveResidues());
  EXPECT_EQ(ContactPairLabel(fixture.residues, 0, 4), "M1A / S5A");
  EXPECT_EQ(ContactPairLabel(fixture.residues, 0, 5), "");
}

TEST(ContactWindowTest, LabelsLinesAndLegendSurroundThePicture) {
  const ContactWindowLayout layout = LayOutContactWindow();
  EXPECT_EQ(layout.caption, "Matrice");
  EXPECT_EQ(layout.picture.width, 7335 / 15);
  EXPECT_EQ(layout.picture.height, 7335 / 15);
  EXPECT_EQ(layout.nter.text, "Nter");
  EXPECT_LE(layout.nter.rect.x + layout.nter.rect.width, layout.picture.x);  // at the top-left corner
  EXPECT_LE(layout.nter.rect.y + layout.nter.rect.height, layout.picture.y);
  EXPECT_EQ(layout.cter.text, "Cter");
  EXPECT_GE(layout.cter.rect.x, layout.picture.x + layout.picture.width);  // at the bottom-right corner
  EXPECT_GE(layout.cter.rect.y, layout.picture.y + layout.picture.height);
  EXPECT_EQ(layout.topLine.y1, layout.topLine.y2);  // horizontal, along the top
  EXPECT_EQ(layout.topLine.x2 - layout.topLine.x1, layout.picture.width);
  EXPECT_EQ(layout.leftLine.x1, layout.leftLine.x2);  // vertical, along the left side
  ASSERT_EQ(layout.legend.size(), 4u);
  const GridColour order[] = {kBlack, kGreen, kYellow, kRed};
  const char* texts[] = {"no contact", "contact with D=1", "strong contacts with 1<D<7",
                         "contacts with D>6 or small contacts with 1<D<7"};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(layout.legend[k].colour, order[k]);
    EXPECT_EQ(layout.legend[k].label.text, texts[k]);
    EXPECT_GE(layout.legend[k].sample.y, layout.picture.y + layout.picture.height);
    if (k > 0) {
      EXPECT_GT(layout.legend[k].sample.y, layout.legend[k - 1].sample.y);
    }
  }
  EXPECT_EQ(layout.closeText, "Close");
  EXPECT_LE(layout.closeButton.y + layout.closeButton.height, layout.height);
  EXPECT_LE(layout.cter.rect.x + layout.cter.rect.width, layout.width);
}

}  // namespace
}  // namespace mirelda

namespace mirelda {
namespace {

TEST(ContactAxisMarks, TicksEveryTenthResidueNumberAndLinesWhereAChainBegins) {
  testing::TableFixture fixture;
  testing::BuildProtein(fixture, {{"M", 9, "A"}, {"K", 10, "A"}, {"L", 11, "A"}, {"G", 10, "B"}, {"S", 20, "B"},
                                  {"A", 30, "C"}});
  const results::ContactAxisMarks marks = results::AxisMarksOf(fixture.residues, 6);
  const std::vector<std::pair<int, std::string>> ticks = {{1, "10"}, {3, "10"}, {4, "20"}, {5, "30"}};
  EXPECT_EQ(marks.ticks, ticks);
  EXPECT_EQ(marks.chainStarts, (std::vector<int>{3, 5}));
  EXPECT_TRUE(results::AxisMarksOf(fixture.residues, 3).chainStarts.empty());  // positions beyond are left
}

}  // namespace
}  // namespace mirelda
