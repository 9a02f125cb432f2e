#include "mirelda/model/modified_residues.h"

#include <algorithm>
#include <array>

namespace mirelda::model {
namespace {

// Single-residue modifications met in deposited protein chains, with the parent of the chemical component
// dictionary. Chromophores and other residues made of several amino acids are not in it.
constexpr std::array<ModifiedResidue, 40> kModifiedResidues{{
    {"AGM", "ARG"}, {"ALY", "LYS"}, {"CAF", "CYS"}, {"CAS", "CYS"}, {"CGU", "GLU"}, {"CIR", "ARG"},
    {"CME", "CYS"}, {"CSD", "CYS"}, {"CSO", "CYS"}, {"CSS", "CYS"}, {"CSX", "CYS"}, {"CXM", "MET"},
    {"FME", "MET"}, {"HIC", "HIS"}, {"HYP", "PRO"}, {"KCX", "LYS"}, {"KPI", "LYS"}, {"LLP", "LYS"},
    {"M3L", "LYS"}, {"MEN", "ASN"}, {"MEQ", "GLN"}, {"MHO", "MET"}, {"MHS", "HIS"}, {"MLE", "LEU"},
    {"MLY", "LYS"}, {"MLZ", "LYS"}, {"MSE", "MET"}, {"MVA", "VAL"}, {"NEP", "HIS"}, {"NLE", "LEU"},
    {"OCS", "CYS"}, {"PCA", "GLU"}, {"PTR", "TYR"}, {"SCH", "CYS"}, {"SCY", "CYS"}, {"SEP", "SER"},
    {"SMC", "CYS"}, {"SME", "MET"}, {"TPO", "THR"}, {"TYS", "TYR"},
}};

static_assert(std::ranges::is_sorted(kModifiedResidues, {}, &ModifiedResidue::name), "searched by halves");

}  // namespace

// Every atom record asks, so the sorted table is searched by halves.
const ModifiedResidue* ModifiedResidueByName(std::string_view name) {
  const auto found = std::ranges::lower_bound(kModifiedResidues, name, {}, &ModifiedResidue::name);
  return found == kModifiedResidues.end() || found->name != name ? nullptr : &*found;
}

std::string_view ParentAtomName(const ModifiedResidue& residue, std::string_view atom) {
  // The selenium starts in column 13 as a two-letter element, so positions 14-16 read only "E".
  if (residue.name == "MSE" && (atom == "SE" || atom == "E")) return "SD";
  return atom;
}

}  // namespace mirelda::model
