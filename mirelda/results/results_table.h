// The layout of the residue table once it holds the cell results: its columns, headers and widths, the
// face table's layout, and the toggle-cell states that the scene composer and the colour dialog read back.
#pragma once

#include "mirelda/workflow/grid_model.h"
#include "mirelda/workflow/residue_table_layout.h"

namespace mirelda::results {

inline constexpr int kResultsColumnsWithoutEnvironment = 14;
inline constexpr int kResultsColumnsWithEnvironment = 15;
inline constexpr int kResultsWidthWithEnvironment = 7935;  // twips
inline constexpr int kResultsWidthWithoutEnvironment = 7185;
inline constexpr const char* kResultsFormatWithEnvironment =
    "<AA|<NUM|<CH|<VOL|<AREA|<FACES|<I|<+|<cell|<trac|<all|<labl|<col|<tra|<EXP";
inline constexpr const char* kResultsFormatWithoutEnvironment =
    "<AA|<NUM|<CH|<VOL|<AREA|<FACES|<I|<+|<cell|<trac|<all|<labl|<col|<tra";
inline constexpr int kResultsColumnWidths[kResultsColumnsWithEnvironment] = {
    300, 600, 300, 1000, 1000, 600, 300, 300, 400, 400, 400, 400, 400, 400, 750};

// The face table (Tab2).
inline constexpr int kFaceColumns = 8;
inline constexpr const char* kFaceTableFormat = "<N\u00B0 |<AA |<NUM |<CH|<SIDES|<AREA|<PERIM|>DIST";
inline constexpr int kFaceColumnWidths[kFaceColumns] = {500, 300, 600, 300, 600, 700, 700, 700};
inline constexpr int kFaceRowHeight = 245;          // twips, every data row
inline constexpr int kFaceTableScrollRows = 8;      // more neighbours than this and the table scrolls
inline constexpr int kFaceTableScrollWidth = 4755;  // with a scroll bar
inline constexpr int kFaceTableScrollHeight = 2260;
inline constexpr int kFaceTableWidth = 4500;
inline constexpr int kFaceTableHeaderHeight = 270;  // header row plus borders

// The backgrounds of the face link column.
inline constexpr workflow::GridColour kHighlightBack =
    workflow::kColourOrange;  // the "+" whose faces are shown
inline constexpr workflow::GridColour kFaceLinkBack = workflow::kColourLightBlue;

// A marked toggle cell, as the scene composer reads it: its background is the marked one. False for a
// cell outside the grid.
bool HasMarkedBackground(const workflow::GridModel& grid, int row, int col);

// A row's cell as its indicator column tells it: "V" in the bulk, "S" outside it, anything else no cell.
struct RowCell {
  bool exists = false;
  bool inBulk = false;
};
RowCell CellOfRow(const workflow::GridModel& tab1, int row);

// The class a row was given ('a', 'b' or 'c'), or 0 when the table has no class column or the row no
// class.
char ClassOfRow(const workflow::GridModel& tab1, int row);

}  // namespace mirelda::results
