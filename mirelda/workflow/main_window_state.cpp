#include "mirelda/workflow/main_window_state.h"
#include "brindel/exchange/text_lines.h"

#include <string>

using namespace mirelda::exchange;

namespace mirelda::workflow {
void MainWindowState::OpenProtein(std::string_view path) {
  commands_ = CommandStates{};
  mainViewOn_ = false;
  title_ = "Mirelda : " + std::string(path);
  labels_ = DataLabels{};
}

void MainWindowState::EnvironmentDone(const EnvironmentSummary& summary) {
  labels_.aminoAcids = std::to_string(summary.residueCount);
  labels_.name = summary.proteinName;
  labels_.points = summary.points;
  labels_.resultsFolder = summary.resultsFolder + " :";
  labels_.environment = summary.withEnvironment ? "YES" : "NO";
  labels_.relaxations = "0";  // none yet, said rather than left blank
  commands_.fileList = true;
  // The results folder was made anew and file_02 rewritten: what read the former ones goes.
  commands_.relaxation = summary.withEnvironment;
  commands_.tessellation = true;
  TessellationStarted();
}

void MainWindowState::TessellationStarted() {
  commands_.matrix = false;
  commands_.visualization = false;
  commands_.assignment = false;
}

void MainWindowState::RelaxationDone(const std::optional<std::string>& relaxations, int notInBulk) {
  if (relaxations) labels_.relaxations = *relaxations;
  labels_.notInBulk = std::to_string(notInBulk);
}

void MainWindowState::TessellationDone(bool weighted, int notInBulk) {
  labels_.ponderation = weighted ? "YES" : "NO";
  labels_.notInBulk = std::to_string(notInBulk);
  if (AssignmentAllowed()) commands_.assignment = true;
  mainViewOn_ = true;
  commands_.matrix = true;
  commands_.visualization = true;
}

bool MainWindowState::AssignmentAllowed() const {
  return TrimBlanks(labels_.points) == "CA" && TrimBlanks(labels_.environment) == "YES" &&
         TrimBlanks(labels_.notInBulk) == "0";
}

}  // namespace mirelda::workflow
