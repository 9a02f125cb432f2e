// What a result reader tells its caller: whether the file could be read and which lines it had to leave
// out, each problem with its file and line. The readers never stop on bad input; the window shows this.
#pragma once

#include <string>
#include <vector>

namespace mirelda::results {

struct ReadReport {
  bool read = false;  // the file was opened and its text parsed (even if some lines were left out)
  int linesUsed = 0;  // lines whose values reached the residues
  std::vector<std::string> problems;

  bool Clean() const { return read && problems.empty(); }
  // The problems, one a line; empty when there is nothing to tell.
  std::string Message() const;
};

}  // namespace mirelda::results
