// The protein file with a number of each residue in the B-factor column of its atoms, as mmCIF and PDB
// files, for the viewers that colour by B-factor.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mirelda::workflow {

// A residue as the protein reader took it (chain character, the file's number and insertion code) and the
// number to show on its atoms.
struct ResidueValue {
  char chain = ' ';
  int number = 0;
  char insertionCode = ' ';
  double value = 0;
};

struct BfactorWriting {
  std::string failure;  // nothing was written
  std::string pdbProblem;  // only the mmCIF file was written: why the PDB format could not hold it
};

// Reads the protein file with gemmi and writes it to cifPath (mmCIF) and pdbPath (PDB, when the format
// holds the structure and the values) with each atom's B-factor the value of its residue, 0 for atoms of
// residues without a value (ligands, water, residues left out) and for models after the first.
BfactorWriting WriteBfactorFiles(const std::filesystem::path& proteinFile, const std::vector<ResidueValue>& values,
                                 const std::filesystem::path& cifPath, const std::filesystem::path& pdbPath);

}  // namespace mirelda::workflow
