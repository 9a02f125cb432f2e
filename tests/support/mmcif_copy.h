// mmCIF copies of PDB entries for the tests that read both formats, made at run time by gemmi's command
// line (`gemmi convert`), which tools/setup.sh installs.
#pragma once

#include <filesystem>

namespace mirelda::testing {

// Converts `pdb` (a .pdb, plain or gzipped) into `target` (.cif, or .cif.gz for a gzipped copy); fails the
// calling test and returns false when the conversion does not succeed.
bool ConvertToMmcif(const std::filesystem::path& pdb, const std::filesystem::path& target);

}  // namespace mirelda::testing
