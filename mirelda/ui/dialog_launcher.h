// Where the main window opens its dialogs and common choosers: one function each, gathered in a
// DialogLauncher that the window is given, so that a test can put its own in their place. Each option
// dialog is created anew with the session and the platform and shown modally.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/workflow/grid_model.h"

#include <QSize>
#include <QString>

class QWidget;

namespace mirelda::ui {

using SessionDialog =
    std::function<void(protocol::FrontEndSession&, protocol::FrontEndPlatform&, QWidget* parent)>;

struct DialogLauncher {
  // The open-file chooser with the protein files' filter; nullopt when cancelled.
  std::function<std::optional<std::filesystem::path>(QWidget* parent)> chooseProteinFile;
  // The colour chooser started from a colour; nullopt when cancelled.
  std::function<std::optional<workflow::GridColour>(QWidget* parent, workflow::GridColour initial)>
      chooseColour;
  SessionDialog environment;    // frmOption_envir
  SessionDialog relaxation;     // frmOption_Relaxation
  SessionDialog tessellation;   // frmOption_Tessel
  SessionDialog contactMatrix;  // frmContact
  SessionDialog cellColour;     // frmColor
  // The save-file chooser of File > Export, with a caption, a filter ("CSV files (*.csv)") and a suggested
  // path; nullopt when cancelled.
  std::function<std::optional<std::filesystem::path>(QWidget* parent, const QString& caption,
                                                     const QString& filter, const QString& suggested)>
      chooseExportFile;
  // The size of an exported picture, started from a size; nullopt when cancelled.
  std::function<std::optional<QSize>(QWidget* parent, QSize initial)> chooseImageSize;
};

// The launcher of the application: the functions below.
DialogLauncher DefaultDialogLauncher();

std::optional<std::filesystem::path> ChooseProteinFile(QWidget* parent);
std::optional<std::filesystem::path> ChooseExportFile(QWidget* parent, const QString& caption,
                                                      const QString& filter, const QString& suggested);
std::optional<QSize> ChooseImageSize(QWidget* parent, QSize initial);
void OpenEnvironmentDialog(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
                           QWidget* parent);
void OpenRelaxationDialog(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
                          QWidget* parent);
void OpenTessellationDialog(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
                            QWidget* parent);
void OpenContactMatrix(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
                       QWidget* parent);
void OpenCellColourDialog(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
                          QWidget* parent);

}  // namespace mirelda::ui
