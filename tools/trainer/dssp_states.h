// The secondary structure of the training chains, from a table of DSSP assignments, reduced to the three
// states of the classifier and aligned to the points of a run by residue number.
#pragma once

#include <istream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::trainer {

// The state given to a residue that has no DSSP entry (no regular structure can be claimed for it) and
// to the window positions that fall outside the chain (they never score: attribution ignores them).
inline constexpr char MissingDsspState = 'c';

struct DsspChain {
  std::string file;
  char chain = ' ';
  std::vector<std::string> residueIds;  // resSeq with its insertion code: "52", "52A", "-3"
  std::string ss8;                      // one of H G I E B T S P '-' per residue
};

// Rows of the table (tab-separated: file, chain, n_residues, residue_ids comma-separated, aa, ss8),
// header skipped; rows whose ids and states differ in number are dropped.
std::vector<DsspChain> ParseDsspTable(std::istream& in);

// 'a' for the helices H G I, 'b' for the strand and bridge E B, 'c' for everything else.
char ThreeState(char ss8);

// The three-state letter by residue number. Residues sharing a number (insertion codes) are read as one
// residue by the protein reader: the first DSSP entry of the number is kept.
std::map<int, char> StatesByNumber(const DsspChain& chain);

struct AlignedStates {
  std::string states;  // character r - 1 for point r
  int missing = 0;     // points without a DSSP entry, given MissingDsspState
};
AlignedStates AlignStates(const std::vector<int>& residueNumbers, const std::map<int, char>& byNumber);

}  // namespace mirelda::trainer
