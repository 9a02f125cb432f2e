// The layout of the residue table once it holds the cell results: its columns, headers and widths, the
// face table's layout, and the toggle-cell states that the scene composer and the colour dialog read back.
#pragma once

#include "grid_model.h"

namespace mirelda {

// Columns of the results table (row 0 is the header, row r is residue r).
inline constexpr int kColumnCode = 0;
inline constexpr int kColumnNumber = 1;
inline constexpr int kColumnChain = 2;
inline constexpr int kColumnVolume = 3;
inline constexpr int kColumnArea = 4;
inline constexpr int kColumnFaces = 5;
inline constexpr int kColumnIndicator = 6;
inline constexpr int kColumnFaceLink = 7;  // "+": shows the residue's faces
inline constexpr int kColumnCell = 8;
inline constexpr int kColumnTrace = 9;
inline constexpr int kColumnAll = 10;
inline constexpr int kColumnLabel = 11;
inline constexpr int kColumnColour = 12;
inline constexpr int kColumnTransparency = 13;
inline constexpr int kColumnExposure = 14;  // only with the environment

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

// The text colours that carry a toggle cell's state, and the backgrounds that go with them.
inline constexpr GridColour kMarkedText = kColourBlack;
inline constexpr GridColour kUnmarkedText = kSystemWorkspace;
inline constexpr GridColour kLockedText = kColourGreen;
inline constexpr GridColour kMarkedBack = kColourLightYellow;
inline constexpr GridColour kUnmarkedBack = kColourLightGrey;
inline constexpr GridColour kHighlightBack = kColourOrange;  // the "+" whose faces are shown
inline constexpr GridColour kFaceLinkBack = kColourLightBlue;

// A marked toggle cell, as the scene composer reads it: its background is the marked one. False for a
// cell outside the grid.
bool HasMarkedBackground(const GridModel& grid, int row, int col);

}  // namespace mirelda
