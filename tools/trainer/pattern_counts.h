// Counting the pattern tables: for every residue's contact pattern (built as attribution builds it), the
// states of the five residues i-2 .. i+2 add one to the count of their combination, central patterns in
// one table and terminal ones in the other.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string_view>

#include "attribution/contact_matrix.h"
#include "attribution/pattern_table.h"

namespace mirelda::trainer {

using WideCounts = std::array<std::int64_t, attribution::CountsPerEntry>;

// The count index of the window around residue i of a chain whose states are given as text (character
// r - 1 for residue r, 'a' 'b' 'c'); positions outside the chain, or with another letter, read as 'c'.
int WindowCountIndex(std::string_view states, int residue);

// Counts scaled so that the largest fits a table field (MaxFieldCount), rounded to the nearest; counts
// that fit already are kept. Scaling keeps the shares of the entry, which is all the scores use.
std::array<std::int32_t, attribution::CountsPerEntry> FitCounts(const WideCounts& counts);

class PatternCounter {
 public:
  // One protein: its contact matrix and its states, one per matrix row. Residues whose pattern is not
  // ten digits '0'-'2' (a short row) are not counted, as they would find no entry.
  void AddProtein(const attribution::ContactMatrix& matrix, std::string_view states);

  attribution::PatternTable CentralTable() const { return ToTable(central_); }
  attribution::PatternTable TerminalTable() const { return ToTable(terminal_); }
  long long CountedResidues() const { return counted_; }
  long long SkippedResidues() const { return skipped_; }

 private:
  static attribution::PatternTable ToTable(const std::map<int, WideCounts>& counts);

  std::map<int, WideCounts> central_, terminal_;
  long long counted_ = 0, skipped_ = 0;
};

}  // namespace mirelda::trainer
