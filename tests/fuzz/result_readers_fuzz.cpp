// The front-end's cell and face readers, and the face display, over a small fixed protein: the input is
// read once as a C file and once as an F file.
#include <string>

#include "mirelda/model/residue_records.h"
#include "mirelda/results/cell_reader.h"
#include "mirelda/results/face_reader.h"
#include "mirelda/workflow/grid_model.h"
#include "mirelda/workflow/residue_table.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda;

namespace {

struct Protein {
  model::Residues residues;
  workflow::GridModel tab1, tab2;
};

void BuildProtein(Protein& protein) {
  struct Entry {
    const char* code;
    int number;
    const char* chain;
  };
  constexpr Entry kEntries[] = {{"M", 1, "A"}, {"K", 2, "A"}, {"L", 3, "A"},  {"G", 4, "A"},
                                {"S", 5, "A"}, {"K", 2, "B"}, {"W", -5, "B"}, {"Y", 9999, "B"}};
  for (const Entry& entry : kEntries) {
    model::DEF_AA& residue = protein.residues.ResidueAt(protein.residues.Grow());
    residue.SetNAME(entry.code);
    residue.SetNUM(static_cast<std::int16_t>(entry.number));
    residue.SetCHAIN(entry.chain);
  }
  workflow::FillResidueTable(protein.tab1, protein.tab2, protein.residues);
}

}  // namespace

MIRELDA_FUZZ_TARGET(result_readers) {
  Protein protein;
  BuildProtein(protein);
  results::ReadCellText(input, "C1fuzz", protein.residues, protein.tab1, {true, '.', {}});
  results::ReadFaceText(input, "F1fuzz", protein.residues);
  results::FaceDisplayState state;
  for (int row = 1; row < protein.tab1.Rows(); ++row)
    for (int col = 0; col < protein.tab1.Cols(); ++col)
      results::ShowResidueFaces(protein.tab1, protein.tab2, protein.residues, state, row, col);
}
