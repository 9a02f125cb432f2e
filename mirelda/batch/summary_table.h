// DIR/summary.tsv of mirelda-batch --out: one row per protein with its counts, its time and how its run
// ended, tab-separated with a header line and '.' decimals. A protein's own row is also the content of
// its folder's completion mark, read back when a complete result is skipped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::batch {

struct SummaryRow {
  std::string stem;
  // Unknown (NA) when the run stopped before it knew them.
  std::optional<int> residues;
  std::optional<int> problems;
  std::optional<int> notInBulk;
  std::optional<int> classesGiven;  // residues given a class a, b or c; 0 when the assignment did not run
  double seconds = 0;
  std::string status;   // kDone, kSkipped or kFailed
  std::string message;  // why it failed or was skipped; one line, no tab

  bool Failed() const { return status == kFailed; }

  static constexpr const char* kDone = "done";
  static constexpr const char* kSkipped = "skipped";
  static constexpr const char* kFailed = "failed";
};

// "stem residues problems not_in_bulk classes_given seconds status message".
std::string SummaryHeader();

// One row with its line end; tabs and line ends in the message become spaces.
std::string SummaryLine(const SummaryRow& row);

// The header and every row.
std::string SummaryTsv(const std::vector<SummaryRow>& rows);

// A row written by SummaryLine (its line end optional); nullopt when the text is not one.
std::optional<SummaryRow> ParseSummaryLine(std::string_view line);

}  // namespace mirelda::batch
