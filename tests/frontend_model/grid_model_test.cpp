// The grid model behind the residue and face tables, and the residue table after a reading.
#include "mirelda/workflow/grid_model.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "mirelda/model/protein_reader.h"
#include "mirelda/workflow/residue_table.h"
#include "tests/frontend_model/protein_text.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda {
namespace {

TEST(GridModel, FreshCellsReadBackDefaults) {
  GridModel grid;
  EXPECT_EQ(grid.Rows(), 0);
  EXPECT_EQ(grid.Cols(), 0);
  grid.SetRows(3);
  grid.SetCols(2);
  grid.SetRow(2);
  grid.SetCol(1);
  EXPECT_EQ(grid.Text(), "");
  EXPECT_EQ(grid.CellForeColor(), 0);
  EXPECT_EQ(grid.CellBackColor(), 0);
  EXPECT_FALSE(grid.CellFontBold());
  EXPECT_EQ(grid.BackColor(), kSystemWindowBackground);
  EXPECT_EQ(grid.ColWidth(1), kDefaultColumnWidth);
  EXPECT_EQ(grid.RowHeight(0), kDefaultRowHeight);
  EXPECT_EQ(grid.ColAlignment(0), kAlignGeneral);
}

// Toggle cells carry their state in their colours: a system colour must come back unchanged.
TEST(GridModel, CellPropertiesReadBackExactlyAsSet) {
  GridModel grid;
  grid.SetRows(2);
  grid.SetCols(14);
  grid.SetRow(1);
  grid.SetCol(10);
  grid.SetText("x");
  grid.SetCellForeColor(kSystemWorkspace);
  grid.SetCellBackColor(kColourLightGrey);
  grid.SetCellFontBold(true);
  grid.SetCol(9);
  grid.SetCellForeColor(kColourBlack);
  grid.SetCol(10);
  EXPECT_EQ(grid.Text(), "x");
  EXPECT_EQ(grid.CellForeColor(), static_cast<GridColour>(0x8000000Cu));
  EXPECT_TRUE(IsSystemColour(grid.CellForeColor()));
  EXPECT_EQ(grid.CellBackColor(), 0x00E0E0E0);
  EXPECT_TRUE(grid.CellFontBold());
  EXPECT_EQ(grid.CellAt(1, 9).foreColour, 0);
  EXPECT_TRUE(grid.CellAt(1, 9).foreSet) << "an explicit black is told apart from the default";
  EXPECT_FALSE(grid.CellAt(1, 8).foreSet);
  grid.SetBackColor(kColourLightYellow);
  EXPECT_EQ(grid.BackColor(), 0x00C0FFFF);
  grid.SetWidth(4755);
  grid.SetHeight(2260);
  EXPECT_EQ(grid.Width(), 4755);
  EXPECT_EQ(grid.Height(), 2260);
}

TEST(GridModel, InvalidCurrentCellThrows) {
  GridModel grid;
  EXPECT_THROW(grid.Text(), std::out_of_range) << "a grid without cells has no current cell";
  grid.SetRows(3);
  grid.SetCols(3);
  EXPECT_THROW(grid.SetRow(3), std::out_of_range);
  EXPECT_THROW(grid.SetCol(-1), std::out_of_range);
  EXPECT_THROW(grid.ColWidth(3), std::out_of_range);
}

TEST(GridModel, FormatStringSetsHeaderTitlesAndAlignments) {
  GridModel grid;
  grid.SetCols(8);
  grid.SetFormatString("<N° |<AA |<NUM |<CH|<SIDES|<AREA|<PERIM|>DIST");
  EXPECT_EQ(grid.Rows(), 1) << "the header row is made when missing";
  EXPECT_EQ(grid.TextAt(0, 0), "N° ");
  EXPECT_EQ(grid.TextAt(0, 7), "DIST");
  EXPECT_EQ(grid.HeaderAlignmentOf(0), HeaderAlignment::Left);
  EXPECT_EQ(grid.HeaderAlignmentOf(7), HeaderAlignment::Right);
  GridModel narrow;
  narrow.SetRows(2);
  narrow.SetFormatString("<A|^B|C");
  EXPECT_EQ(narrow.Cols(), 3);
  EXPECT_EQ(narrow.HeaderAlignmentOf(1), HeaderAlignment::Centre);
  EXPECT_EQ(narrow.TextAt(0, 2), "C");
}

// The header release hit test uses left edges and widths.
TEST(GridModel, ColumnLeftEdges) {
  GridModel grid;
  grid.SetCols(3);
  grid.SetColWidth(0, 300);
  grid.SetColWidth(1, 600);
  grid.SetColWidth(2, 300);
  EXPECT_EQ(grid.ColPos(0), 0);
  EXPECT_EQ(grid.ColPos(2), 900);
}

TEST(GridModel, SettingTheCurrentCellCollapsesTheSelection) {
  GridModel grid;
  grid.SetRows(10);
  grid.SetCols(14);
  grid.SetRow(2);
  grid.SetCol(9);
  grid.SetSelectionEnd(5, 9);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.RowSel(), 5);
  EXPECT_EQ(grid.ColSel(), 9);
  grid.SetRow(5);
  EXPECT_EQ(grid.RowSel(), 5);
  grid.SetRow(1);
  EXPECT_EQ(grid.RowSel(), 1);
}

// The tessellation cuts the table back to three columns: the result columns must come back fresh.
TEST(GridModel, ShrinkingDropsColumnsAndGrowingGivesFreshCells) {
  GridModel grid;
  grid.SetRows(2);
  grid.SetCols(14);
  grid.SetRow(1);
  grid.SetCol(2);
  grid.SetText("A");
  grid.SetCol(12);
  grid.SetCellBackColor(kColourLightYellow);
  grid.SetCols(3);
  EXPECT_EQ(grid.Col(), 2) << "the current column stays inside the grid";
  grid.SetCols(14);
  EXPECT_EQ(grid.TextAt(1, 2), "A");
  EXPECT_EQ(grid.CellAt(1, 12).backColour, 0);
  grid.Clear();
  EXPECT_EQ(grid.Rows(), 2);
  EXPECT_EQ(grid.TextAt(1, 2), "");
}

TEST(GridModel, ListenerHearsChanges) {
  struct Recorder : GridListener {
    int resets = 0, aboutToReset = 0, cells = 0, columns = 0, rows = 0, lastRow = -1, lastCol = -1;
    void GridAboutToReset() override { ++aboutToReset; }
    void GridReset() override { ++resets; }
    void CellChanged(int row, int col) override {
      ++cells;
      lastRow = row;
      lastCol = col;
    }
    void ColumnChanged(int) override { ++columns; }
    void RowChanged(int) override { ++rows; }
  } recorder;
  GridModel grid;
  grid.SetListener(&recorder);
  grid.SetRows(4);
  grid.SetCols(3);
  EXPECT_EQ(recorder.aboutToReset, 2);
  EXPECT_EQ(recorder.resets, 2);
  grid.SetRow(3);
  grid.SetCol(2);
  grid.SetText("x");
  grid.SetCellForeColor(0);
  EXPECT_EQ(recorder.cells, 2);
  EXPECT_EQ(recorder.lastRow, 3);
  EXPECT_EQ(recorder.lastCol, 2);
  grid.SetColWidth(1, 400);
  grid.SetRowHeight(1, 245);
  EXPECT_EQ(recorder.columns, 1);
  EXPECT_EQ(recorder.rows, 1);
}

TEST(ResidueTable, FilledFromAReading) {
  std::string text = testing::Alanine(-3) + testing::CaOnlyResidue("GLY", 12, 'B');
  ProteinReading reading = ReadProtein(text);
  ASSERT_TRUE(reading.Succeeded());
  GridModel tab1, tab2;
  tab2.SetRows(5);
  tab2.SetCols(8);
  FillResidueTable(tab1, tab2, reading.residues);
  EXPECT_EQ(tab2.Cols(), 0);
  EXPECT_EQ(tab1.Rows(), 3);
  EXPECT_EQ(tab1.Cols(), 3);
  EXPECT_EQ(tab1.Width(), 1540);
  EXPECT_EQ(tab1.FormatString(), "<AA|<NUM|>CH");
  EXPECT_EQ(tab1.TextAt(0, 0), "AA");
  EXPECT_EQ(tab1.TextAt(0, 1), "NUM");
  EXPECT_EQ(tab1.TextAt(0, 2), "CH");
  for (int c = 0; c < 3; ++c) EXPECT_EQ(tab1.ColAlignment(c), kAlignCentre);
  EXPECT_EQ(tab1.ColWidth(0), 300);
  EXPECT_EQ(tab1.ColWidth(1), 600);
  EXPECT_EQ(tab1.ColWidth(2), 300);
  EXPECT_EQ(tab1.RowHeight(1), 245);
  EXPECT_EQ(tab1.RowHeight(2), 245);
  EXPECT_EQ(tab1.TextAt(1, 0), "A");
  EXPECT_EQ(tab1.TextAt(1, 1), "-3");
  EXPECT_EQ(tab1.TextAt(2, 1), " 12") << "a blank before a non-negative number";
  EXPECT_EQ(tab1.TextAt(2, 2), "B");
}

}  // namespace
}  // namespace mirelda
