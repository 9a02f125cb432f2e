// A protein file rewritten by gemmi with other numbers in the B-factor column, as mmCIF and as PDB, for
// viewers to colour by. Its source includes gemmi and is compiled as C++17, as mmcif_sites.cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mirelda/workflow/mmcif_sites.h"

namespace mirelda::workflow {

// What gemmi wrote; `pdb` is empty when the PDB format cannot hold the structure, and pdbProblem says why.
struct BfactorTexts {
  std::string failure;  // gemmi's message when the text cannot be read or written at all
  std::string mmcif;
  std::string pdb;
  std::string pdbProblem;
};

// The structure of a PDB (pdbFormat) or mmCIF text with the B-factor of the k-th atom site of the first
// model (in the order of ReadStructureSites) set to firstModelValues[k] and of every atom of later models
// to 0, written by gemmi as mmCIF and as PDB.
BfactorTexts WriteStructureWithBfactors(std::string_view text, bool pdbFormat, const std::string& source,
                                        const std::vector<double>& firstModelValues);

}  // namespace mirelda::workflow
