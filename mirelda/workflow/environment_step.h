// The environment dialog's validation without widgets: the results folder made afresh with the protein
// scenes, file_00, the environment program's run (supplied by the caller), file_02 for the next steps,
// the copies kept in the results folder, and what the main window must show afterwards.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "mirelda/model/residue_records.h"
#include "mirelda/workflow/main_window_state.h"

namespace mirelda::workflow {

// The choices of a validated environment dialog and what the protein reading left.
struct EnvironmentRequest {
  std::filesystem::path appFolder;
  std::string proteinName;  // four letters or digits
  std::string pointChoice;  // the combo text
  std::string radiusText;
  std::string thicknessText;
  bool withEnvironment = true;
  bool keepCopy = false;  // keep the point file with environment as name + "_envir0"
  int problemCount = 0;   // lines of the problem report
};

struct EnvironmentOutcome {
  // When not empty the step stopped there: the main window keeps its commands as they were.
  std::string failure;
  // Copies that failed without stopping the step (the problem report, the environment scene).
  std::vector<std::string> warnings;
  EnvironmentSummary summary;
  // Not empty when the protein had problems: the Yes/No question, and the report to show on Yes.
  std::string problemQuestion;
  std::filesystem::path problemReport;
  // The scene of the second view: the environment, or the CA trace without environment.
  std::filesystem::path secondViewScene;
};

// The results folder of a protein: application folder + "/" + name.
std::filesystem::path ResultsFolderOf(const std::filesystem::path& appFolder, const std::string& proteinName);

// Before the environment program: deletes file_00 and file_01, deletes and recreates the results folder,
// copies prot.wrl, view.wrl, trace.wrl and label.wrl into it and writes file_00. Returns what failed.
std::string PrepareEnvironmentRun(const EnvironmentRequest& request, const model::Residues& residues);

// After the environment program (or at once without environment): file_01 (with environment) or file_00
// copied to file_02, the "_envir0" copy when asked, the "_problems" copy of the report with its question,
// the environment scene copied into the results folder; a warning for each residue file_00 hides.
EnvironmentOutcome CompleteEnvironmentRun(const EnvironmentRequest& request, const model::Residues& residues);

// The whole validation for a caller that runs the environment program itself: runEnvironment returns
// what went wrong with the run, empty when its marker appeared.
EnvironmentOutcome RunEnvironmentStep(const EnvironmentRequest& request, const model::Residues& residues,
                                      const std::function<std::string()>& runEnvironment);

}  // namespace mirelda::workflow
