// The cell reader: the cell file of a tessellation (one line per amino-acid cell) into the residue
// records and into the residue table, which it turns into the results table with its toggle columns.
#pragma once

#include <functional>
#include <string_view>

#include "mirelda/model/residue_records.h"
#include "mirelda/results/read_report.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::results {

struct CellReadOptions {
  bool environmentOn = false;        // the "ENVIRONMENT" value of the main window is "YES": adds "EXP"
  char decimalSeparator = '.';       // of the numbers shown in the table (the user's locale)
  std::function<void()> pumpEvents;  // called after each line, so the window stays responsive
};

// Lays out tab1 as the results table (columns, header, widths, centring; total width).
void LayOutResultsTable(workflow::GridModel& tab1, bool environmentOn);

// Reads the text of a cell file. Lines are matched in order to residues by one-letter code and number
// (not chain), only forward; residues between two matches have no cell and are locked, and so are the
// residues before the first and after the last match. A line that matches no residue ahead (unknown, or
// out of order) is left out and reported with its line number; blank lines are skipped. sourceName
// names the file in the problems.
ReadReport ReadCellText(std::string_view text, std::string_view sourceName, model::Residues& residues,
                        workflow::GridModel& tab1, const CellReadOptions& options = {});

}  // namespace mirelda::results
