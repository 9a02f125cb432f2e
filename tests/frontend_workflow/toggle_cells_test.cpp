// The residue table's toggle columns: clicks, drags and header releases change cells only as the cell
// states allow, and never touch a locked cell.
#include "mirelda/workflow/toggle_cells.h"

#include <gtest/gtest.h>

#include <vector>

using namespace mirelda::workflow;

namespace mirelda {
namespace {

constexpr int kRows = 6;  // header and five residues
constexpr int kCols = 14;
constexpr int kWidth = 300;
constexpr int kLockedRow = 3;

// A residue table after a tessellation: every toggle cell unmarked, except row 3, locked in each column.
GridModel ResultTable() {
  GridModel tab1;
  tab1.SetRows(kRows);
  tab1.SetCols(kCols);
  for (int col = 0; col < kCols; ++col) tab1.SetColWidth(col, kWidth);
  for (int row = 1; row < kRows; ++row) {
    tab1.SetRow(row);
    tab1.SetCol(kColumnFaceLink);
    tab1.SetText("+");
    for (int col = kColumnCell; col <= kColumnTransparency; ++col) {
      tab1.SetCol(col);
      tab1.SetCellForeColor(row == kLockedRow ? kLockedText : kUnmarkedText);
      tab1.SetCellBackColor(kUnmarkedBack);
    }
  }
  return tab1;
}

ToggleState StateAt(const GridModel& tab1, int row, int col) {
  const GridColour fore = tab1.CellAt(row, col).foreColour;
  return fore == kUnmarkedText ? ToggleState::Unmarked
         : fore == kMarkedText ? ToggleState::Marked
                               : ToggleState::Locked;
}

void Click(GridModel& tab1, DragState& drag, int row, int col, const ResidueTableHooks& hooks = {}) {
  tab1.SetRow(row);
  tab1.SetCol(col);
  ClickResidueTable(tab1, drag, hooks);
}

TEST(ToggleCells, ChangeMarksUnmarksAndLeavesLockedCells) {
  GridModel tab1 = ResultTable();
  change(tab1, 1, kColumnCell);
  const GridCell& marked = tab1.CellAt(1, kColumnCell);
  EXPECT_EQ(marked.text, "x");
  EXPECT_EQ(marked.foreColour, kColourBlack);
  EXPECT_EQ(marked.backColour, kColourLightYellow);
  change(tab1, 1, kColumnCell);
  const GridCell& unmarked = tab1.CellAt(1, kColumnCell);
  EXPECT_EQ(unmarked.text, "x") << "unmarking keeps the text";
  EXPECT_EQ(unmarked.foreColour, kSystemWorkspace);
  EXPECT_EQ(unmarked.backColour, kColourLightGrey);

  tab1.SetRow(kLockedRow);
  tab1.SetCol(kColumnCell);
  tab1.SetText("7");
  change(tab1, kLockedRow, kColumnCell);
  EXPECT_EQ(tab1.TextAt(kLockedRow, kColumnCell), "7");
  EXPECT_EQ(StateAt(tab1, kLockedRow, kColumnCell), ToggleState::Locked);
}

TEST(ToggleCells, ClickOnLockedCellDoesNothingInAnyToggleColumn) {
  for (int col : {kColumnCell, kColumnTrace, kColumnAll, kColumnLabel, kColumnTransparency}) {
    GridModel tab1 = ResultTable();
    DragState drag;
    Click(tab1, drag, kLockedRow, col);
    const GridCell& cell = tab1.CellAt(kLockedRow, col);
    EXPECT_EQ(cell.foreColour, kLockedText) << "column " << col;
    EXPECT_EQ(cell.backColour, kUnmarkedBack) << "column " << col;
    EXPECT_TRUE(cell.text.empty()) << "column " << col;
  }
}

TEST(ToggleCells, ClickingTheSameCellTwiceTogglesTwice) {
  GridModel tab1 = ResultTable();
  DragState drag;
  Click(tab1, drag, 2, kColumnTrace);
  EXPECT_EQ(StateAt(tab1, 2, kColumnTrace), ToggleState::Marked);
  EXPECT_EQ(drag.lastRow, kNoDragCell);
  EXPECT_EQ(drag.lastCol, kNoDragCell);
  Click(tab1, drag, 2, kColumnTrace);
  EXPECT_EQ(StateAt(tab1, 2, kColumnTrace), ToggleState::Unmarked);
}

TEST(ToggleCells, ClickOnTheHeaderRowOrAPlainColumnChangesNothing) {
  GridModel tab1 = ResultTable();
  DragState drag{4, 5};
  Click(tab1, drag, 0, kColumnCell);
  EXPECT_EQ(tab1.CellAt(0, kColumnCell).foreColour, 0);
  Click(tab1, drag, 2, 1);
  for (int col = kColumnCell; col <= kColumnTransparency; ++col)
    EXPECT_EQ(StateAt(tab1, 2, col), ToggleState::Unmarked);
}

TEST(ToggleCells, ClickOnTheFacesColumnShowsTheResiduesFaces) {
  GridModel tab1 = ResultTable();
  DragState drag;
  std::vector<int> shown;
  ResidueTableHooks hooks;
  hooks.showFaces = [&](int row) { shown.push_back(row); };
  Click(tab1, drag, 4, kColumnFaceLink, hooks);
  EXPECT_EQ(shown, std::vector<int>{4});
}

TEST(ToggleCells, ClickOnAMarkedColourCellOpensTheChooserAtItsColour) {
  GridModel tab1 = ResultTable();
  DragState drag;
  change(tab1, 2, kColumnColour);
  tab1.SetCellBackColor(0x00123456);
  std::vector<GridColour> offered;
  ResidueTableHooks hooks;
  hooks.chooseColour = [&](GridColour initial) -> std::optional<GridColour> {
    offered.push_back(initial);
    return 0x00ABCDEF;
  };
  Click(tab1, drag, 2, kColumnColour, hooks);
  EXPECT_EQ(offered, std::vector<GridColour>{0x00123456});
  EXPECT_EQ(tab1.CellAt(2, kColumnColour).backColour, 0x00ABCDEF);
  EXPECT_EQ(StateAt(tab1, 2, kColumnColour), ToggleState::Marked)
      << "a click never toggles the colour column";

  // Cancelled: the colour stays. Unmarked: no chooser at all.
  hooks.chooseColour = [&](GridColour initial) -> std::optional<GridColour> {
    offered.push_back(initial);
    return std::nullopt;
  };
  Click(tab1, drag, 2, kColumnColour, hooks);
  EXPECT_EQ(tab1.CellAt(2, kColumnColour).backColour, 0x00ABCDEF);
  Click(tab1, drag, 1, kColumnColour, hooks);
  EXPECT_EQ(offered.size(), 2u);
  EXPECT_EQ(StateAt(tab1, 1, kColumnColour), ToggleState::Unmarked);
}

TEST(ToggleCells, DragTogglesOncePerRowEnteredAndTheEndingClickAddsNothing) {
  GridModel tab1 = ResultTable();
  DragState drag;
  tab1.SetRow(1);  // the button went down on row 1
  tab1.SetCol(kColumnAll);
  for (int row : {1, 1, 2, 2, 3, 4, 4}) {
    tab1.SetSelectionEnd(row, kColumnAll);
    DragOverResidueTable(tab1, drag, kLeftButton);
  }
  EXPECT_EQ(StateAt(tab1, 1, kColumnAll), ToggleState::Marked);
  EXPECT_EQ(StateAt(tab1, 2, kColumnAll), ToggleState::Marked);
  EXPECT_EQ(StateAt(tab1, kLockedRow, kColumnAll), ToggleState::Locked);
  EXPECT_EQ(StateAt(tab1, 4, kColumnAll), ToggleState::Marked);
  EXPECT_EQ(StateAt(tab1, 5, kColumnAll), ToggleState::Unmarked);
  ClickResidueTable(tab1, drag, {});
  EXPECT_EQ(StateAt(tab1, 4, kColumnAll), ToggleState::Marked)
      << "the click ending the drag must not undo it";
  EXPECT_EQ(drag.lastRow, kNoDragCell);
}

TEST(ToggleCells, DragIgnoresOtherButtonsColumnsAndTheHeaderRow) {
  GridModel tab1 = ResultTable();
  DragState drag;
  tab1.SetRow(1);
  tab1.SetCol(kColumnTrace);
  tab1.SetSelectionEnd(2, kColumnTrace);
  DragOverResidueTable(tab1, drag, kRightButton);
  EXPECT_EQ(StateAt(tab1, 2, kColumnTrace), ToggleState::Unmarked);
  tab1.SetSelectionEnd(2, kColumnAll);  // the pointer left the column
  DragOverResidueTable(tab1, drag, kLeftButton);
  EXPECT_EQ(StateAt(tab1, 2, kColumnAll), ToggleState::Unmarked);
  EXPECT_EQ(StateAt(tab1, 2, kColumnTrace), ToggleState::Unmarked);
  tab1.SetRow(1);
  tab1.SetCol(kColumnColour);  // the colour column is chosen, not dragged
  tab1.SetSelectionEnd(2, kColumnColour);
  DragOverResidueTable(tab1, drag, kLeftButton);
  EXPECT_EQ(StateAt(tab1, 2, kColumnColour), ToggleState::Unmarked);
  tab1.SetRow(0);
  tab1.SetCol(kColumnCell);
  tab1.SetSelectionEnd(2, kColumnCell);
  DragOverResidueTable(tab1, drag, kLeftButton);
  EXPECT_EQ(StateAt(tab1, 2, kColumnCell), ToggleState::Unmarked);
}

int HeaderX(int col) { return col * kWidth + kWidth / 2; }

TEST(ToggleCells, HeaderReleaseMarksOrUnmarksAWholeColumn) {
  GridModel tab1 = ResultTable();
  ReleaseOverResidueTable(tab1, kLeftButton, HeaderX(kColumnLabel), 10, {});
  for (int row = 1; row < kRows; ++row)
    EXPECT_EQ(StateAt(tab1, row, kColumnLabel),
              row == kLockedRow ? ToggleState::Locked : ToggleState::Marked);
  EXPECT_EQ(StateAt(tab1, 1, kColumnAll), ToggleState::Unmarked) << "only the hit column changes";
  EXPECT_EQ(tab1.Row(), 0);
  ReleaseOverResidueTable(tab1, kRightButton, HeaderX(kColumnLabel), 10, {});
  for (int row = 1; row < kRows; ++row)
    EXPECT_EQ(StateAt(tab1, row, kColumnLabel),
              row == kLockedRow ? ToggleState::Locked : ToggleState::Unmarked);
}

TEST(ToggleCells, HeaderReleaseOnTheColourColumn) {
  GridModel tab1 = ResultTable();
  int dialogs = 0;
  ResidueTableHooks hooks;
  hooks.openCellColourDialog = [&] { ++dialogs; };
  // Right button: nothing at all.
  ReleaseOverResidueTable(tab1, kRightButton, HeaderX(kColumnColour), 10, hooks);
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(StateAt(tab1, 1, kColumnColour), ToggleState::Unmarked);
  // Left button: the dialog, then every unmarked cell marked.
  ReleaseOverResidueTable(tab1, kLeftButton, HeaderX(kColumnColour), 10, hooks);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(StateAt(tab1, 1, kColumnColour), ToggleState::Marked);
  EXPECT_EQ(StateAt(tab1, 5, kColumnColour), ToggleState::Marked);
}

TEST(ToggleCells, ReleaseBelowTheHeaderRowOrOutsideTheToggleHeadersDoesNothing) {
  GridModel tab1 = ResultTable();
  tab1.SetRowHeight(0, 240);
  ReleaseOverResidueTable(tab1, kLeftButton, HeaderX(kColumnCell), 240, {});
  ReleaseOverResidueTable(tab1, kLeftButton, HeaderX(2), 10, {});
  for (int row = 1; row < kRows; ++row)
    for (int col = kColumnCell; col <= kColumnTransparency; ++col)
      EXPECT_NE(StateAt(tab1, row, col), ToggleState::Marked);
}

// Before any tessellation the table has 3 columns: the header's hit test must not look past them.
TEST(ToggleCells, HeaderReleaseOnAProteinOnlyTableIsHarmless) {
  GridModel tab1;
  tab1.SetRows(3);
  tab1.SetCols(3);
  EXPECT_NO_THROW(ReleaseOverResidueTable(tab1, kLeftButton, 100, 10, {}));
  GridModel empty;
  EXPECT_NO_THROW(ReleaseOverResidueTable(empty, kLeftButton, 100, 10, {}));
}

TEST(ToggleCells, TessellationPreparationCutsTheTableBackToThreeGreyColumns) {
  GridModel tab1 = ResultTable();
  tab1.SetRow(0);
  tab1.SetCol(0);
  tab1.SetText("AA");
  PrepareTessellationTable(tab1);
  EXPECT_EQ(tab1.Cols(), kProteinColumns);
  EXPECT_EQ(tab1.Rows(), kRows);
  for (int row = 1; row < kRows; ++row)
    for (int col = 0; col < kProteinColumns; ++col)
      EXPECT_EQ(tab1.CellAt(row, col).backColour, kColourLightGrey);
  EXPECT_EQ(tab1.CellAt(0, 0).backColour, 0) << "the header row keeps its colours";
  EXPECT_EQ(tab1.TextAt(0, 0), "AA");
}

}  // namespace
}  // namespace mirelda
