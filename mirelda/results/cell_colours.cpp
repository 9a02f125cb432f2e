#include "mirelda/results/cell_colours.h"

#include "brindel/exchange/text_lines.h"
#include "mirelda/results/result_numbers.h"
#include "mirelda/results/results_table.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::results {

CellColourChoice::CellColourChoice() {
  for (int k = 0; k < Count(); ++k)
    if (const DEF_RESIDU* type = ResidueTypesByLetter().At(k + 1))
      swatches_[static_cast<std::size_t>(k)] = type->tei;
}

GridColour CellColourChoice::Swatch(int k) const {
  return k >= 0 && k < Count() ? swatches_[static_cast<std::size_t>(k)] : 0;
}

void CellColourChoice::SetSwatch(int k, GridColour colour) {
  if (k >= 0 && k < Count()) swatches_[static_cast<std::size_t>(k)] = colour;
}

void CellColourChoice::SetAll(GridColour colour) { swatches_.fill(colour); }

void CellColourChoice::Initialise() {
  for (int k = 0; k < Count(); ++k)
    if (const DEF_RESIDU* type = ResidueTypesByLetter().At(k + 1))
      swatches_[static_cast<std::size_t>(k)] = type->col;
}

std::string CellColourChoice::Name(int k) const {
  const DEF_RESIDU* type = ResidueTypesByLetter().At(k + 1);
  return type ? type->R1 : std::string();
}

void CellColourChoice::Validate(GridModel& tab1) const {
  for (int k = 0; k < Count(); ++k)
    if (DEF_RESIDU* type = ResidueTypesByLetter().At(k + 1))
      type->tei = swatches_[static_cast<std::size_t>(k)];
  if (tab1.Cols() <= kColumnColour) return;  // no results table yet
  for (int r = 1; r < tab1.Rows(); ++r) {
    if (tab1.CellAt(r, kColumnColour).foreColour != kColourBlack) continue;  // locked
    const DEF_RESIDU* type = ResidueTypeByLetter(TrimBlanks(tab1.TextAt(r, kColumnCode)));
    if (!type) continue;
    tab1.SetRow(r);
    tab1.SetCol(kColumnColour);
    tab1.SetCellBackColor(type->tei);
  }
}

}  // namespace mirelda::results
