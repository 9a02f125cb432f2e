// The per-residue table that mirelda-batch prints: what the results table shows for each residue
// (number, chain, code, volume, area, faces, indicator, exposure, class), then the classes in sequence.
#pragma once

#include <string>

#include "mirelda/model/residue_records.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::batch {

// One line per row of the results table (row r is residue r), under a header; "-" where the table shows
// nothing (a residue without a cell, no exposure without the environment, no class without the
// assignment). The class is the last column when classColumn is true. Numbers carry '.' and the decimals
// of the cell file.
std::string ResidueListing(const workflow::GridModel& tab1, const model::Residues& residues,
                           bool classColumn);

// The classes of the class column: their counts ("a 20, b 11, c 35") and the letters in residue order
// ('-' for a residue without a class). Empty without a class column.
std::string ClassSummary(const workflow::GridModel& tab1, bool classColumn);

}  // namespace mirelda::batch
