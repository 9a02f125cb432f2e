// Fills the residue table after a protein has been read: a header row "AA", "NUM", "CH", then per
// residue its one-letter code, its number as signed text (" 45", "-3") and its chain; empties the face
// table.
#pragma once

#include "mirelda/model/residue_records.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::workflow {

// Layout of the residue table as the reader leaves it, in twips.
inline constexpr int kResidueTableWidth = 1540;
inline constexpr int kResidueRowHeight = 245;
inline constexpr const char* kResidueTableFormat = "<AA|<NUM|>CH";

void FillResidueTable(GridModel& tab1, GridModel& tab2, const model::Residues& residues);

}  // namespace mirelda::workflow
