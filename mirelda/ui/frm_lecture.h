// The main window: the "Data" panel, the five commands of the pipeline, the results folder's file list,
// the residue and face tables and the two 3-D views. It owns the session, implements the platform that
// the dialogs call, and forwards each event to the workflow's rules; it decides nothing itself.
#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <optional>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/results/face_reader.h"
#include "mirelda/ui/dialog_launcher.h"
#include "mirelda/workflow/toggle_cells.h"

class QAction;
class QComboBox;
class QLabel;
class QPushButton;

namespace mirelda::ui {

class FileList;
class GridView;
class SequencePlots;
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
  // Beside the pipeline: exports, the clipboard and help.
  void ExportResidueTable();
  void ExportFaceTable();
  void ExportView();
  void ExportContactMatrix();
  void CopyResidueRows();
  void CopyFaceRows();
  void ColourByChanged();
  void ShowPlots();
  void ExportPlots();
  // A residue picked elsewhere (a plot): its row becomes current and its faces are shown.
  void PickResidue(int row);
  void ShowAbout();
  void ShowGuide();

  // The controls, for the tests.
  QPushButton* cmdRelaxation = nullptr;
  QPushButton* cmdTessel = nullptr;
  QPushButton* cmdContact = nullptr;
  QPushButton* cmdAttribu = nullptr;
  QPushButton* cmdVisu3D = nullptr;
  QAction* mnuOpen = nullptr;
  QAction* mnuExit = nullptr;
  QAction* mnuExportResidues = nullptr;
  QAction* mnuExportFaces = nullptr;
  QAction* mnuExportView = nullptr;
  QAction* mnuExportMatrix = nullptr;
  QAction* mnuExportPlots = nullptr;
  QAction* mnuPlots = nullptr;
  SequencePlots* plots = nullptr;  // created at its first showing
  QAction* mnuAbout = nullptr;
  QAction* mnuGuide = nullptr;
  // lbl02_02 to lbl08_02 in their order: name, points, amino acids, environment, relaxations,
  // ponderation, not in the bulk.
  std::array<QLabel*, 7> dataValues{};
  QLabel* lblPa = nullptr;
  QComboBox* cboColourBy = nullptr;  // the property the marked cells are coloured by
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
  // The export file chosen for a caption and filter, with a suggested name in the results folder.
  std::optional<std::filesystem::path> ChooseExport(const QString& caption, const QString& filter,
                                                    const std::string& suggestedName);
  void TellExport(const std::string& problem);
  // Paints the marked "col" cells by the chosen property (or the types' colours) and shows its legend
  // over a composed scene.
  void PaintByProperty();
  void ShowLegend();
  void UpdatePlots();

  protocol::FrontEndSession session_;
  DialogLauncher dialogs_;
  workflow::ResidueTableHooks hooks_;
  workflow::DragState drag_;
  results::FaceDisplayState faces_;
};

}  // namespace mirelda::ui
