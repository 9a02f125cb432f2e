#include "mirelda/workflow/toggle_cells.h"

#include <array>

namespace mirelda::workflow {
namespace {

bool IsDragColumn(int col) {
  return col == kColumnCell || col == kColumnTrace || col == kColumnAll || col == kColumnLabel ||
         col == kColumnTransparency;
}

// The header's hit test walks the columns in this order and keeps the last hit, as the window always did.
constexpr std::array<int, 6> kHeaderHitOrder{kColumnAll,  kColumnTrace,  kColumnLabel,
                                             kColumnCell, kColumnColour, kColumnTransparency};

std::optional<int> HeaderColumnAt(const GridModel& tab1, int x) {
  std::optional<int> hit;
  for (int col : kHeaderHitOrder) {
    if (col >= tab1.Cols()) continue;  // a table without result columns has no toggle headers
    const int left = tab1.ColPos(col);
    if (left <= x && x < left + tab1.ColWidth(col)) hit = col;
  }
  return hit;
}

}  // namespace

ToggleState CurrentToggleState(const GridModel& tab1) {
  const GridColour fore = tab1.CellForeColor();
  if (fore == kUnmarkedText) return ToggleState::Unmarked;
  if (fore == kMarkedText) return ToggleState::Marked;
  return ToggleState::Locked;
}

void change(GridModel& tab1, int row, int col) {
  tab1.SetRow(row);
  tab1.SetCol(col);
  switch (CurrentToggleState(tab1)) {
    case ToggleState::Unmarked:
      tab1.SetText(kMarkText);
      tab1.SetCellForeColor(kMarkedText);
      tab1.SetCellBackColor(kMarkedBack);
      break;
    case ToggleState::Marked:
      tab1.SetCellForeColor(kUnmarkedText);
      tab1.SetCellBackColor(kUnmarkedBack);
      break;
    case ToggleState::Locked:
      break;
  }
}

void ClickResidueTable(GridModel& tab1, DragState& drag, const ResidueTableHooks& hooks) {
  const int row = tab1.Row();
  const int col = tab1.Col();
  if (row == 0) return;
  if (col == kColumnFaceLink && hooks.showFaces) hooks.showFaces(row);
  // A cell a drag has just toggled is not toggled back by the click that ends the drag.
  const bool newCell = row != drag.lastRow || col != drag.lastCol;
  const bool locked = CurrentToggleState(tab1) == ToggleState::Locked;
  const bool toggles = ((col == kColumnCell || col == kColumnTransparency) && !locked) ||
                       col == kColumnTrace || col == kColumnAll || col == kColumnLabel;
  if (newCell && toggles) change(tab1, row, col);
  if (col == kColumnColour && CurrentToggleState(tab1) == ToggleState::Marked && hooks.chooseColour) {
    if (const auto chosen = hooks.chooseColour(tab1.CellBackColor())) tab1.SetCellBackColor(*chosen);
  }
  drag = DragState{};
}

void DragOverResidueTable(GridModel& tab1, DragState& drag, int button) {
  if (button != kLeftButton || tab1.Row() == 0) return;
  const int endRow = tab1.RowSel();
  const int endCol = tab1.ColSel();
  const int col = tab1.Col();
  if (endCol == col && endRow != drag.lastRow && IsDragColumn(col)) {
    tab1.SetRow(endRow);
    if (CurrentToggleState(tab1) != ToggleState::Locked) change(tab1, endRow, col);
  }
  drag.lastRow = static_cast<std::int16_t>(endRow);
  drag.lastCol = static_cast<std::int16_t>(endCol);
}

void ReleaseOverResidueTable(GridModel& tab1, int button, int x, int y, const ResidueTableHooks& hooks) {
  if (tab1.Rows() == 0 || y >= tab1.RowHeight(0)) return;
  const std::optional<int> hit = HeaderColumnAt(tab1, x);
  if (!hit) return;
  const int col = *hit;
  if (button == kLeftButton && col == kColumnColour && hooks.openCellColourDialog)
    hooks.openCellColourDialog();
  tab1.SetCol(col);
  const int lastRow = tab1.Rows() - 1;
  if (button == kRightButton && col != kColumnColour) {
    for (int row = 1; row <= lastRow; ++row) {
      tab1.SetRow(row);
      if (CurrentToggleState(tab1) == ToggleState::Marked) change(tab1, row, col);
    }
  } else if (button == kLeftButton) {
    for (int row = 1; row <= lastRow; ++row) {
      tab1.SetRow(row);
      if (CurrentToggleState(tab1) == ToggleState::Unmarked) change(tab1, row, col);
    }
  }
  tab1.SetRow(0);
}

void PrepareTessellationTable(GridModel& tab1) {
  if (tab1.Cols() != kProteinColumns) tab1.SetCols(kProteinColumns);
  for (int row = 1; row < tab1.Rows(); ++row) {
    for (int col = 0; col < tab1.Cols(); ++col) {
      tab1.SetRow(row);
      tab1.SetCol(col);
      tab1.SetCellBackColor(kColourLightGrey);
    }
  }
}

}  // namespace mirelda::workflow
