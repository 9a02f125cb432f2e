// The face reader: the face file of a tessellation (one line per face) into the neighbour lists of the
// residue records; and the face display, which shows one residue's faces in the face table.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "mirelda/model/residue_records.h"
#include "mirelda/results/read_report.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::results {

// Reads the text of a face file. Consecutive lines of one residue (same code, number and chain) form its
// neighbour list, given to the next residue ahead with that code and number; the search only moves
// forward. The lines of a residue not found ahead are left out and reported; blank lines are skipped.
// Residues without lines keep their earlier lists.
ReadReport ReadFaceText(std::string_view text, std::string_view sourceName, model::Residues& residues,
                        const std::function<void()>& pumpEvents = {});

// What the face display remembers between calls: the last highlighted "+" cell (row 0: none).
struct FaceDisplayState {
  int lastCol = 0;
  int lastRow = 0;
};

// The size the face table takes, in twips (also set as the grid's width and height).
struct FaceTableSize {
  int width = 0;
  int height = 0;
};

struct FaceDisplay {
  bool shown = false;  // false: not a "+" cell, nothing changed
  FaceTableSize size;
  std::string problem;  // set when the row's residue was not found; the face table is then empty
};

// A click on cell (row, col) of the results table: for a "+" cell of column 7, highlights it (giving the
// previous one back its colour) and fills tab2 with the residue's faces. The residue is residue `row`
// when its code, number and chain are those of the row, otherwise the first residue with them.
FaceDisplay ShowResidueFaces(workflow::GridModel& tab1, workflow::GridModel& tab2,
                             const model::Residues& residues, FaceDisplayState& state, int row, int col,
                             char decimalSeparator = '.');

}  // namespace mirelda::results
