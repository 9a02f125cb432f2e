// The logic of the cell colour dialog: one colour swatch per residue type, started from the types'
// current colours, and the validation that stores them as the current colours and paints the results
// table's "col" cells. The dialog window only shows the swatches and asks the colour chooser.
#pragma once

#include <array>
#include <string>

#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::results {

class CellColourChoice {
 public:
  // The swatches of the types in the table's order (A, C, D, ..., U, V, W, Y), painted with `tei`.
  CellColourChoice();

  int Count() const { return model::kResidueTypeCount; }
  // Swatch k (0-based); the colour of a swatch outside 0..Count()-1 reads as 0 and cannot be set.
  workflow::GridColour Swatch(int k) const;
  void SetSwatch(int k, workflow::GridColour colour);  // a colour chosen for one type
  void SetAll(workflow::GridColour colour);            // a colour chosen for all types (the hidden one too)
  void Initialise();                                   // back to every type's default colour `col`

  // The three-letter name of swatch k's type, for its label ("" outside the swatches).
  std::string Name(int k) const;
  // Whether swatch k is shown: the environment type has no cell and its row is hidden.
  static bool IsShown(int k) { return k != model::kEnvironmentTypePosition - 1; }

  // Stores every swatch as its type's `tei`, then gives every row of tab1 whose "col" cell is not locked
  // (text colour 0) the `tei` of its code as background. Rows with an unknown code are left as they are.
  void Validate(workflow::GridModel& tab1) const;

 private:
  std::array<workflow::GridColour, model::kResidueTypeCount> swatches_{};
};

}  // namespace mirelda::results
