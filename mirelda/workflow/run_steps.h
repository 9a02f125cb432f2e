// What the tessellation, relaxation and assignment steps do around their console program, without
// widgets: the option files before the run, and after it the error reports counted (an empty one is
// deleted), the saved coordinate file and the class column of the residue table.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mirelda/workflow/grid_model.h"
#include "mirelda/workflow/relaxation_dialog.h"

namespace mirelda::workflow {

// After a tessellation: the count of residues that are not in the bulk (the lines of name + "_error2").
struct TessellationErrors {
  std::string failure;  // the report could not be read; nothing else is meaningful
  int notInBulk = 0;
  // When notInBulk > 0: the Yes/No question and the report to show on Yes. When 0, the report is deleted.
  std::string question;
  std::filesystem::path report;
};
TessellationErrors CheckTessellationErrors(const std::filesystem::path& resultsFolder,
                                           const std::string& proteinName);

// A console program's run as the steps see it: what went wrong, empty when its marker appeared.
using ProgramRunner = std::function<std::string()>;

// The tessellation for a caller without windows: option_bis.txt, the run, the scenes of the results folder
// made to include its own protein scenes (KeepResultScenesLocal), the error report counted.
TessellationErrors RunTessellationStep(const std::filesystem::path& appFolder, const std::string& proteinName,
                                       bool weighted, const ProgramRunner& runTessellation);

// The relaxation's error report: "RELAXATION:" lines give the last pass, every other line is a residue
// that is not in the bulk.
struct RelaxationErrors {
  int notInBulk = 0;
  int lastRelaxation = 0;
};
RelaxationErrors ParseRelaxationErrors(std::string_view text);

struct RelaxationOutcome {
  std::string failure;                // the error report could not be read
  std::vector<std::string> warnings;  // the coordinate file could not be saved
  int notInBulk = 0;
  std::string relaxations;  // "NB OF RELAXATIONS": the last pass + 1
  std::string question;     // as for the tessellation, about name + "_error"
  std::filesystem::path report;
};
// After the relaxation program: saves file_02 as name + "_R" + the count text when asked, reads the error
// report (deleted when it names no residue).
RelaxationOutcome FinishRelaxationRun(const std::filesystem::path& appFolder,
                                      const std::filesystem::path& resultsFolder,
                                      const std::string& proteinName, const RelaxationRequest& request);

// The relaxation for a caller without windows: option.txt, the run, then as FinishRelaxationRun. A request
// of no passes runs nothing and gives a count of 0 and no relaxation count.
RelaxationOutcome RunRelaxationStep(const std::filesystem::path& appFolder, const std::string& proteinName,
                                    const RelaxationRequest& request, const ProgramRunner& runRelaxation);

// The class column of the assignment: a new last column (300 twips, centred; the control 300 twips
// wider), then each trimmed line of the class text on the next row that shows "+" in the faces column,
// and the grid's background light yellow. Returns what went wrong: a table without result columns, or
// more classes than rows with a cell (the rest is not written).
inline constexpr int kClassColumnWidth = 300;
std::string AppendClassColumn(GridModel& tab1, std::string_view classText);
// Reads name + "_resu" of the results folder and appends it; a missing file adds no column.
std::string ShowAssignment(GridModel& tab1, const std::filesystem::path& resultsFolder,
                           const std::string& proteinName);

}  // namespace mirelda::workflow
