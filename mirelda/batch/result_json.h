// The results of one protein as one JSON document, for programs that read a run whole: the run's choices,
// the program's version, the counts, the problem lines of the reading and the per-residue rows.
#pragma once

#include <string>
#include <vector>

#include "mirelda/batch/batch_options.h"
#include "mirelda/batch/result_tables.h"

namespace mirelda::batch {

// What the document says beyond the choices and the rows.
struct RunCounts {
  int residues = 0;
  int problems = 0;   // lines of the problem report
  int notInBulk = 0;  // after the tessellation
  bool assigned = false;
  std::vector<std::string> problemLines;
};

// The version of the system, as the build names it.
std::string ProgramVersion();

// An object with "program", "version", "parameters", "counts", "problems" and "residues": one object a
// row of `residues` (as ResidueRows makes it) with its header's keys, numbers as JSON numbers and NA as
// null. "counts" holds "classes" (a, b, c) when `assigned`, null otherwise. Ends with a line end.
std::string ResultJson(const BatchOptions& options, const RunCounts& counts, const TextTable& residues);

}  // namespace mirelda::batch
