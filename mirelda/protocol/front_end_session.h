// The working state that the front-end's windows share, and what they ask of the platform around them.
// The main window owns one FrontEndSession and implements FrontEndPlatform; every dialog receives both
// by reference when it is created, changes the session through the pipeline's steps (pipeline.h) and
// calls the platform, and holds nothing else. mirelda-batch runs the same steps on a session of its own.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "mirelda/model/residue_records.h"
#include "mirelda/protocol/console_run.h"
#include "mirelda/protocol/step_result.h"
#include "mirelda/workflow/grid_model.h"
#include "mirelda/workflow/main_window_state.h"
#include "mirelda/workflow/pipeline_files.h"

namespace mirelda::protocol {

struct FrontEndSession {
  std::filesystem::path appFolder;  // where the programs and data files are: the working folder of every run
  std::filesystem::path proteinFile;  // the protein file chosen with Open

  // What the last reading of the protein left (the environment dialog reads it when it opens).
  model::Residues residues;
  int problemCount = 0;
  bool caOnly = false;

  std::string proteinName;              // the four characters typed in the environment dialog
  std::filesystem::path resultsFolder;  // appFolder / proteinName
  bool withEnvironment = false;
  bool weighted = true;  // the last tessellation used the weights

  workflow::GridModel tab1;  // the residue table
  workflow::GridModel tab2;  // the face table
  workflow::MainWindowState window;

  // What the tessellation step of the current Tessellation command did; none while it has not been
  // asked (the dialog cancelled). The main view loads the first-layer scene of a tessellation that ran.
  std::optional<StepResult> lastTessellation;
};

class FrontEndPlatform {
 public:
  virtual ~FrontEndPlatform() = default;

  // Runs a console program of the application folder by the run protocol, its output shown live in a
  // progress window; the main window is hidden meanwhile when asked. Returns when the run has ended; a
  // program that ended without its marker has already been reported to the user with what it printed.
  virtual ConsoleRunResult RunConsoleProgram(const workflow::ConsoleProgram& program,
                                             bool hideMainWindow) = 0;

  // Shows a text file in a read-only window (the report of residue problems, a result file).
  virtual void ShowTextFile(const std::filesystem::path& path) = 0;

  // Loads a scene file into the second 3-D view.
  virtual void LoadSecondView(const std::filesystem::path& scene) = 0;

  // Refreshes the main window from the session: labels, commands, grids, file list.
  virtual void Refresh() = 0;
};

}  // namespace mirelda::protocol
