// The contact pattern of a residue: ten characters describing its contacts with residues i-6 .. i-2 and
// i+2 .. i+6, and which table it is looked up in. Attribution and the training of the tables build every
// residue's pattern with these same functions.
#pragma once

#include <string>

#include "attribution/contact_matrix.h"
#include "attribution/pattern_table.h"

namespace mirelda::attribution {

// The six residues at each chain end use the terminal table, the others the central one.
inline constexpr int TerminalResidues = 6;
// Below this many residues the two chain ends leave no central residue (N >= 13 gives at least one).
inline constexpr int MinResiduesForCentral = 2 * TerminalResidues + 1;

// True when residue i of a protein of n residues uses the terminal table: i = 1 .. 6 or n-5 .. n, and
// every residue of a protein shorter than 13 residues. Short proteins are thus all terminal, each
// residue's pattern built once with the terminal rule: its ranges of chain ends would otherwise overlap
// or reach outside the chain and count residues twice.
bool UsesTerminalTable(int residueCount, int residue);

struct ContactPattern {
  std::string text;       // ten characters, or fewer when the residue's row ends early
  bool terminal = false;  // looked up in the terminal table
  bool Complete() const { return text.size() == PatternLength; }
};

// The pattern of residue i. Central residues take the matrix characters as they stand (so a strong
// contact '2' stays '2'); terminal residues write '1' for a contact, '0' for none and '2' for a residue
// outside 1 .. N. A character missing from a short row ends the text there.
ContactPattern BuildContactPattern(const ContactMatrix& matrix, int residue);

}  // namespace mirelda::attribution
