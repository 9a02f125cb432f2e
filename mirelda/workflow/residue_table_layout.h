// The columns of the residue table once it holds the cell results, and the three states of its toggle
// columns, carried by a cell's text colour: what the table's mouse rules change and what the scene
// composer and the colour dialog read back.
#pragma once

#include "mirelda/workflow/grid_model.h"

namespace mirelda::workflow {

// Columns of the results table (row 0 is the header, row r is residue r); 8 to 13 are the toggle
// columns "cell", "trac", "all", "labl", "col", "tra", and 12 ("col") carries a colour in its background.
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

// The states of a toggle cell: marked is "x", black on light yellow; unmarked is workspace-coloured text on
// light grey (the text stays); locked is green text.
inline constexpr const char* kMarkText = "x";
inline constexpr GridColour kMarkedText = kColourBlack;
inline constexpr GridColour kUnmarkedText = kSystemWorkspace;
inline constexpr GridColour kLockedText = kColourGreen;
inline constexpr GridColour kMarkedBack = kColourLightYellow;
inline constexpr GridColour kUnmarkedBack = kColourLightGrey;

}  // namespace mirelda::workflow
