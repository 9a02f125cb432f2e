// A small protein for the result tests: its residues, the residue table as the protein reader leaves it
// and as the Tessellation command cuts it back, and hand-written result texts in brindel's formats.
#pragma once

#include <string>
#include <vector>

#include "mirelda/model/residue_records.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::testing {

struct ResidueEntry {
  const char* code;
  int number;
  const char* chain;
};

struct TableFixture {
  model::Residues residues;
  workflow::GridModel tab1;
  workflow::GridModel tab2;
};

// Residues and a residue table of three columns, every cell on a light grey background.
void BuildProtein(TableFixture& fixture, const std::vector<ResidueEntry>& entries);

// The five residues M1 K2 L3 G4 S5 of chain A.
std::vector<ResidueEntry> FiveResidues();

// Cell file of FiveResidues: M1 (exposure 12.5), K2 (exposure 0), G4 open; L3 and S5 have no line.
extern const char* const kCellText;
// Face file of the same cells: M1 has three faces (K2, G4 and one environment point), K2 one, G4 two.
extern const char* const kFaceText;

// Restores every residue type's current colour to its default (the tables are process-wide).
void ResetTypeColours();

}  // namespace mirelda::testing
