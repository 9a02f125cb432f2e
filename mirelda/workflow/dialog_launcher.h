// Where the main window opens its dialogs and common choosers: one function each, gathered in a
// DialogLauncher that the window is given, so that a test can put its own in their place. Each option
// dialog is created anew with the session and the platform and shown modally.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "front_end_session.h"
#include "grid_model.h"

class QWidget;

namespace mirelda {

using SessionDialog = std::function<void(FrontEndSession&, FrontEndPlatform&, QWidget* parent)>;

struct DialogLauncher {
  // The open-file chooser with the protein files' filter; nullopt when cancelled.
  std::function<std::optional<std::filesystem::path>(QWidget* parent)> chooseProteinFile;
  // The colour chooser started from a colour; nullopt when cancelled.
  std::function<std::optional<GridColour>(QWidget* parent, GridColour initial)> chooseColour;
  SessionDialog environment;    // frmOption_envir
  SessionDialog relaxation;     // frmOption_Relaxation
  SessionDialog tessellation;   // frmOption_Tessel
  SessionDialog contactMatrix;  // frmContact
  SessionDialog cellColour;     // frmColor
};

// The launcher of the application: the functions below.
DialogLauncher DefaultDialogLauncher();

std::optional<std::filesystem::path> ChooseProteinFile(QWidget* parent);
void OpenEnvironmentDialog(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent);
void OpenRelaxationDialog(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent);
void OpenTessellationDialog(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent);
void OpenContactMatrix(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent);
void OpenCellColourDialog(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent);

}  // namespace mirelda
