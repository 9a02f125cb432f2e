// The main window: the "Data" panel, the five commands of the pipeline, the results folder's file list,
// the residue and face tables and the two 3-D views. It owns the session, implements the platform that
// the dialogs call, and forwards each event to the workflow's rules; it decides nothing itself.
#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/results/face_reader.h"
#include "mirelda/ui/dialog_launcher.h"
#include "mirelda/workflow/toggle_cells.h"

class QAction;
class QLabel;
class QPushButton;

namespace mirelda::ui {

class FileList;
class GridView;
class VrmlView;

class frmLecture : public QMainWindow, public protocol::FrontEndPlatform {
 public:
  explicit frmLecture(DialogLauncher dialogs = DefaultDialogLauncher(), QWidget* parent = nullptr);
  ~frmLecture() override;

  protocol::FrontEndSession& Session() { return session_; }

  // FrontEndPlatform.
  protocol::ConsoleRunResult RunConsoleProgram(const workflow::ConsoleProgram& program,
                                               bool hideMainWindow) override;
  void ShowTextFile(const std::filesystem::path& path) override;
  void LoadSecondView(const std::filesystem::path& scene) override;
  void Refresh() override;

  // The commands and events.
  void mnuOpen_Click();
  void mnuExit_Click();
  void cmdRelaxation_Click();
  void cmdTessel_Click();
  void cmdContact_Click();
  void cmdAttribu_Click();
  void cmdVisu3D_Click();
  void filFich1_DblClick();

  // The controls, for the tests.
  QPushButton* cmdRelaxation = nullptr;
  QPushButton* cmdTessel = nullptr;
  QPushButton* cmdContact = nullptr;
  QPushButton* cmdAttribu = nullptr;
  QPushButton* cmdVisu3D = nullptr;
  QAction* mnuOpen = nullptr;
  QAction* mnuExit = nullptr;
  // lbl02_02 to lbl08_02 in their order: name, points, amino acids, environment, relaxations,
  // ponderation, not in the bulk.
  std::array<QLabel*, 7> dataValues{};
  QLabel* lblPa = nullptr;
  FileList* filFich1 = nullptr;
  GridView* Tab1 = nullptr;
  GridView* Tab2 = nullptr;
  VrmlView* corV1 = nullptr;
  VrmlView* corV2 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildCommands();
  QWidget* BuildDataPanel();
  void BuildMenu();
  void WireResidueTable();
  void NameControls();
  void ShowFaces(int row);

  protocol::FrontEndSession session_;
  DialogLauncher dialogs_;
  workflow::ResidueTableHooks hooks_;
  workflow::DragState drag_;
  results::FaceDisplayState faces_;
};

}  // namespace mirelda::ui
