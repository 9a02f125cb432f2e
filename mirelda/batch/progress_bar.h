// What mirelda-batch --out tells while proteins run: a bar redrawn in place on a terminal, a line per
// protein where the output is a file or a pipe (logs stay readable), or only the failures when quiet.
#pragma once

#include <ostream>
#include <set>
#include <string>

#include "mirelda/batch/summary_table.h"

namespace mirelda::batch {

enum class ProgressStyle { Bar, Lines, Quiet };

// The bar's one line: "[=====     ] 3/10  2 done  0 skipped  1 failed  running: 1abc 2xyz", at most
// `width` characters (the names of the running ones are cut first).
std::string ProgressBarLine(int finished, int total, int done, int skipped, int failed,
                            const std::set<std::string>& running, std::size_t width);

// The line of one protein that has ended: "1abc done: 66 residues, 6 problems, 12.3 s",
// "1abc failed: MESSAGE", "1abc skipped: MESSAGE".
std::string ProteinLine(const SummaryRow& row);

class ProgressDisplay {
 public:
  ProgressDisplay(ProgressStyle style, int total, std::ostream& out);
  void Started(const std::string& stem);
  void Finished(const SummaryRow& row);
  // Ends the bar's line; nothing more is drawn.
  void Close();

 private:
  void Draw();
  void Print(const std::string& line);

  ProgressStyle style_;
  int total_;
  std::ostream& out_;
  int finished_ = 0, done_ = 0, skipped_ = 0, failed_ = 0;
  std::set<std::string> running_;
  bool drawn_ = false;
};

}  // namespace mirelda::batch
