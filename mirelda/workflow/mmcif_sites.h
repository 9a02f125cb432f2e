// The atom sites of an mmCIF file as gemmi reads them, in plain types. Its source is the one file that
// includes gemmi, compiled as C++17: the standard gemmi 0.5's headers are written for (clang cannot
// parse them as C++20).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mirelda::workflow {

// One atom of the first model, with its residue's identity, in the terms of a PDB line.
struct MmcifSite {
  std::string chain;        // the author's chain name, of any length
  std::string residueName;  // as the file has it, of any length
  bool hasNumber = false;   // gemmi reads "?" or "." (and -999) as no number
  int number = 0;
  char insertionCode = ' ';
  bool hetatm = false;   // the file's group_PDB; without it, a ligand, water or branched entity
  std::string atomName;  // as positions 14-16 of a PDB line hold it (see PdbPositionsName)
  char altLoc = ' ';
  double x = 0, y = 0, z = 0;
  double bfactor = 0;  // the file's B-factor (isotropic)
};

struct MmcifStructure {
  std::size_t modelCount = 0;
  std::vector<MmcifSite> firstModel;  // in file order
};

// Reads an mmCIF text; returns gemmi's message when it cannot (`source` names the text in it).
std::string ReadMmcifSites(std::string_view text, const std::string& source, MmcifStructure& structure);
// The same of a PDB text (pdbFormat) or an mmCIF text, as gemmi reads either.
std::string ReadStructureSites(std::string_view text, bool pdbFormat, const std::string& source,
                               MmcifStructure& structure);

}  // namespace mirelda::workflow
