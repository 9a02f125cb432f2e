// gemmi's reading of a PDB text, for the files of this folder that use gemmi (compiled as C++17).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include <gemmi/pdb.hpp>

namespace mirelda::workflow {

// Older entries keep a serial number in columns 79-80, where the format now has the formal charge, and
// gemmi refuses them ("Wrong format for charge"): such a text is read again without those two columns.
inline gemmi::Structure ReadPdbText(std::string_view text, const std::string& source) {
  try {
    return gemmi::read_pdb_from_memory(text.data(), text.size(), source);
  } catch (const std::runtime_error& error) {
    if (std::string_view(error.what()).find("Wrong format for charge") == std::string_view::npos) throw;
    gemmi::PdbReadOptions withoutCharges;
    withoutCharges.max_line_length = 78;
    return gemmi::read_pdb_from_memory(text.data(), text.size(), source, withoutCharges);
  }
}

}  // namespace mirelda::workflow
