// The rows of the tab-separated tables beside the real structures (CHAINS.tsv, DSSP_SS.tsv): the header
// line skipped, "\r\n" line ends accepted, each row split into its fields.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace mirelda::trainer {

// Splits a text at every separator; an empty text gives no field.
std::vector<std::string> SplitFields(const std::string& text, char separator);

// Calls onRow(fields) for every row after the header.
template <typename OnRow>
void ForEachTsvRow(std::istream& in, OnRow&& onRow) {
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (header) {
      header = false;
      continue;
    }
    onRow(SplitFields(line, '\t'));
  }
}

}  // namespace mirelda::trainer
