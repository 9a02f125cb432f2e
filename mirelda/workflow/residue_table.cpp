#include "mirelda/workflow/residue_table.h"

#include "mirelda/model/scene_numbers.h"

using namespace mirelda::model;

namespace mirelda::workflow {

void FillResidueTable(GridModel& tab1, GridModel& tab2, const Residues& residues) {
  constexpr int kColumnWidths[] = {300, 600, 300};
  tab1.Clear();
  tab1.SetCols(0);
  tab2.Clear();
  tab2.SetCols(0);
  const int count = residues.ResidueCount();
  tab1.SetRows(count + 1);
  tab1.SetCols(3);
  tab1.SetWidth(kResidueTableWidth);
  tab1.SetFormatString(kResidueTableFormat);
  for (int c = 0; c < 3; ++c) {
    tab1.SetColAlignment(c, kAlignCentre);
    tab1.SetColWidth(c, kColumnWidths[c]);
  }
  for (int i = 1; i <= count; ++i) {
    static const DEF_AA kEmpty;  // a slot never accessed reads as a fresh record
    const DEF_AA& residue = residues.Find(i) != nullptr ? *residues.Find(i) : kEmpty;
    tab1.SetRowHeight(i, kResidueRowHeight);
    tab1.SetRow(i);
    tab1.SetCol(0);
    tab1.SetText(residue.NAME());
    tab1.SetCol(1);
    tab1.SetText(SignedText(residue.NUM()));
    tab1.SetCol(2);
    tab1.SetText(residue.CHAIN());
  }
}

}  // namespace mirelda::workflow
