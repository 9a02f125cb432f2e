// The toggle columns of the residue table: the three cell states carried by a cell's text colour, the
// toggle of one cell, and what a click, a drag down a column and a button released on the header do.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "mirelda/workflow/grid_model.h"
#include "mirelda/workflow/residue_table_layout.h"

namespace mirelda::workflow {

enum class ToggleState { Marked, Unmarked, Locked };

// The columns a tessellation leaves behind are cut back to the three of the protein.
inline constexpr int kProteinColumns = 3;

// "No cell handled by a drag yet": both fields start here and return here after each click.
inline constexpr std::int16_t kNoDragCell = 99;

// Mouse buttons as the grid reports them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

// The state of the current cell, read from its text colour.
ToggleState CurrentToggleState(const GridModel& tab1);

// Makes (row, col) current and toggles it: unmarked becomes marked, marked becomes unmarked (its text
// stays), a locked cell is left as it is.
void change(GridModel& tab1, int row, int col);

// What the window supplies to the table's rules: the face table of a residue, the colour chooser
// (started from the given colour; nullopt when the user cancels) and the global cell-colour dialog.
struct ResidueTableHooks {
  std::function<void(int row)> showFaces;
  std::function<std::optional<GridColour>(GridColour initial)> chooseColour;
  std::function<void()> openCellColourDialog;
};

// The last row and column handled by a drag, which keep a drag from toggling a cell twice.
struct DragState {
  std::int16_t lastRow = kNoDragCell;
  std::int16_t lastCol = kNoDragCell;
};

// A click: the current cell of the grid is the clicked cell.
void ClickResidueTable(GridModel& tab1, DragState& drag, const ResidueTableHooks& hooks);

// The pointer moved with a button held (button 1 = left): the grid's selection end is where the pointer
// is. Toggles each row entered down a toggle column, once.
void DragOverResidueTable(GridModel& tab1, DragState& drag, int button);

// A button released at (x, y), in the grid's units: on the header of a toggle column, the right button
// unmarks every marked cell of the column and the left button marks every unmarked one (on "col" after
// the global colour dialog; the right button does nothing there).
void ReleaseOverResidueTable(GridModel& tab1, int button, int x, int y, const ResidueTableHooks& hooks);

// Before the tessellation dialog: the table is cut back to the protein's columns and every cell below
// the header turns light grey.
void PrepareTessellationTable(GridModel& tab1);

}  // namespace mirelda::workflow
