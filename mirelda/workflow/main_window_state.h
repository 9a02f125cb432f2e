// What the main window shows besides its grids and views: the "Data" values, which of the five commands
// and the file list are available, and the rules that change them as the pipeline advances.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mirelda::workflow {

// The value labels of the "Data" panel and the label above the file list.
struct DataLabels {
  std::string name;           // "NAME": the protein name
  std::string points;         // "POINTS OF REPRESENTATION": e.g. "CA"
  std::string aminoAcids;     // "NB AMINO ACIDS"
  std::string environment;    // "ENVIRONMENT": "YES" or "NO"
  std::string relaxations;    // "NB OF RELAXATIONS"
  std::string ponderation;    // "PONDERATION": "YES" or "NO"
  std::string notInBulk;      // "NB AA NOT IN THE BULK"
  std::string resultsFolder;  // above the file list: the results folder followed by " :"
};

// The commands of the main window; all start disabled and open in the order of the pipeline.
struct CommandStates {
  bool relaxation = false;
  bool tessellation = false;
  bool matrix = false;
  bool assignment = false;
  bool visualization = false;
  bool fileList = false;
};

inline constexpr const char* kAssignmentTooltip = "assignation only with CA and environment";
// The open-file chooser's filter: pairs of a description and its patterns, each part followed by "|". The
// first pair lists every name the reader knows (kProteinFileExtensions, each also gzipped).
inline constexpr const char* kProteinFileFilter =
    "protein files|*.pdb;*.ent;*.cif;*.mmcif;*.pdb.gz;*.ent.gz;*.cif.gz;*.mmcif.gz|"
    "PDB|*.pdb;*.ent;*.pdb.gz;*.ent.gz|mmCIF|*.cif;*.mmcif;*.cif.gz;*.mmcif.gz|all files (*.*)|*.*|";
// The file list's pattern before any results folder exists (it matches no result file), and after.
inline constexpr const char* kEmptyFileListPattern = "montoto.x";
inline constexpr const char* kResultsFileListPattern = "*.*";

// What the environment step hands back to the main window.
struct EnvironmentSummary {
  std::string proteinName;
  std::string resultsFolder;  // as shown to the user
  std::string points;         // the representative point chosen (the combo text)
  int residueCount = 0;
  bool withEnvironment = false;
};

class MainWindowState {
 public:
  const DataLabels& Labels() const { return labels_; }
  const CommandStates& Commands() const { return commands_; }
  bool MainViewOn() const { return mainViewOn_; }
  const std::string& Title() const { return title_; }

  // A protein file was chosen: every command disabled, the view off, the title names the file and the
  // values are emptied.
  void OpenProtein(std::string_view path);
  // The environment dialog's validation: labels of the protein, the file list on the results folder,
  // Tessellation enabled, Relaxation only when environment points exist; the commands that read the
  // former results disabled (as TessellationStarted).
  void EnvironmentDone(const EnvironmentSummary& summary);
  // A relaxation run (or a validation with no relaxation, which passes no count): the counts of passes
  // and of residues that are not in the bulk.
  void RelaxationDone(const std::optional<std::string>& relaxations, int notInBulk);
  // A tessellation is about to rewrite the results: Matrix, Visualization and Assignment, which read them,
  // are disabled until it has succeeded (a failed run leaves half-written files).
  void TessellationStarted();
  // A tessellation run: ponderation and bulk count shown; Matrix and Visualization enabled, Assignment
  // when AssignmentAllowed() holds afterwards; the main view shows the first cell scene.
  void TessellationDone(bool weighted, int notInBulk);
  // The scene composed by Visualization was loaded.
  void SceneShown() { mainViewOn_ = true; }

  // The assignment needs CA points, environment points and no residue outside the bulk, read from the
  // shown values with blanks trimmed.
  bool AssignmentAllowed() const;

 private:
  DataLabels labels_;
  CommandStates commands_;
  bool mainViewOn_ = false;
  std::string title_ = "Mirelda";
};

}  // namespace mirelda::workflow
