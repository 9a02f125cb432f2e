// The common modified amino acids, each with the standard amino acid it derives from. Coordinate files
// write them inside a chain, as HETATM records (or ATOM ones); the protein reader names them as left out,
// or reads them as their parent when asked.
#pragma once

#include <string_view>

namespace mirelda::model {

struct ModifiedResidue {
  std::string_view name;    // three-letter name of the modified residue ("MSE")
  std::string_view parent;  // three-letter name of its standard parent ("MET")
};

// The entry of a modified residue by its name (trimmed, upper case); nullptr for any other name.
const ModifiedResidue* ModifiedResidueByName(std::string_view name);

// An atom of a modified residue under the name its parent gives the atom in the same place: the selenium
// of a selenomethionine is the parent's SD. Other atoms keep their names.
std::string_view ParentAtomName(const ModifiedResidue& residue, std::string_view atom);

}  // namespace mirelda::model
