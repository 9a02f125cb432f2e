#include "mirelda/ui/frm_lecture.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>
#include <optional>

#include "mirelda/protocol/pipeline.h"
#include "mirelda/results/result_files.h"
#include "mirelda/ui/dialog_prompts.h"
#include "mirelda/ui/file_list.h"
#include "mirelda/ui/grid_view.h"
#include "mirelda/ui/progress_window.h"
#include "mirelda/ui/qt_colours.h"
#include "mirelda/ui/text_window.h"
#include "mirelda/ui/user_locale.h"
#include "mirelda/ui/vrml_view.h"

using namespace mirelda::workflow;
using namespace mirelda::results;
using namespace mirelda::protocol;

namespace mirelda::ui {
namespace {

// The panel of the values, the commands and the file list, in pixels; the views take what is left.
constexpr int kLeftPanelWidth = 260;
constexpr const char* kDataCaptions[7] = {
    "NAME",        "POINTS OF REPRESENTATION", "NB AMINO ACIDS", "ENVIRONMENT", "NB OF RELAXATIONS",
    "PONDERATION", "NB AA NOT IN THE BULK"};

// Lets pending events other than the user's run while a long composition goes on: the window stays
// drawn, and no command starts in the middle of it.
void PumpEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

QPushButton* CommandButton(const char* caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setEnabled(false);
  return button;
}

}  // namespace

frmLecture::frmLecture(DialogLauncher dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(std::move(dialogs)) {
  session_.appFolder = DefaultAppFolder();
  BuildMenu();

  Tab1 = new GridView(session_.tab1, this);
  Tab2 = new GridView(session_.tab2, this);
  corV1 = new VrmlView(this);
  corV2 = new VrmlView(this);
  auto* tables = new QVBoxLayout;
  tables->addWidget(Tab1, 3);
  tables->addWidget(Tab2, 1);
  auto* views = new QSplitter(Qt::Vertical, this);
  views->addWidget(corV1);
  views->addWidget(corV2);
  views->setStretchFactor(0, 3);
  views->setStretchFactor(1, 1);

  auto* leftPanel = new QWidget(this);
  leftPanel->setFixedWidth(kLeftPanelWidth);
  auto* left = new QVBoxLayout(leftPanel);
  left->setContentsMargins(0, 0, 0, 0);
  left->addWidget(BuildDataPanel());
  left->addWidget(BuildCommands());
  lblPa = new QLabel(this);
  lblPa->setAutoFillBackground(true);
  QPalette yellow = lblPa->palette();
  yellow.setColor(QPalette::Window, ToQColor(kColourLightYellow, yellow));
  lblPa->setPalette(yellow);
  lblPa->setWordWrap(true);
  left->addWidget(lblPa);
  filFich1 = new FileList(this);
  filFich1->SetPattern(kEmptyFileListPattern);
  filFich1->setEnabled(false);
  connect(filFich1, &QListWidget::itemDoubleClicked, this, [this] { filFich1_DblClick(); });
  left->addWidget(filFich1, 1);

  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->addWidget(leftPanel, 0);
  layout->addLayout(tables, 0);
  layout->addWidget(views, 1);
  setCentralWidget(central);
  WireResidueTable();
  NameControls();
  resize(1280, 820);
  Refresh();
}

// The controls carry their names, as the dialogs and the tests know them.
void frmLecture::NameControls() {
  setObjectName("frmLecture");
  const std::pair<QObject*, const char*> names[] = {{cmdRelaxation, "cmdRelaxation"},
                                                    {cmdTessel, "cmdTessel"},
                                                    {cmdContact, "cmdContact"},
                                                    {cmdAttribu, "cmdAttribu"},
                                                    {cmdVisu3D, "cmdVisu3D"},
                                                    {mnuOpen, "mnuOpen"},
                                                    {mnuExit, "mnuExit"},
                                                    {lblPa, "lblPa"},
                                                    {filFich1, "filFich1"},
                                                    {Tab1, "Tab1"},
                                                    {Tab2, "Tab2"},
                                                    {corV1, "corV1"},
                                                    {corV2, "corV2"}};
  for (const auto& [control, name] : names) control->setObjectName(name);
}

frmLecture::~frmLecture() {
  session_.residues.Clear();
  // The grid views listen to the session's grids: they go first, while the grids still exist.
  delete takeCentralWidget();
}

void frmLecture::BuildMenu() {
  QMenu* mnuFile = menuBar()->addMenu("&File");
  mnuFile->setObjectName("mnuFile");
  mnuOpen = mnuFile->addAction("Open PDB file", this, [this] { mnuOpen_Click(); });
  mnuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  mnuExit = mnuFile->addAction("Exit", this, [this] { mnuExit_Click(); });
  mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

QWidget* frmLecture::BuildDataPanel() {
  auto* frame = new QGroupBox("Data", this);
  frame->setObjectName("frmDonnees");
  auto* grid = new QGridLayout(frame);
  for (int i = 0; i < 7; ++i) {
    grid->addWidget(new QLabel(kDataCaptions[i], frame), i, 0);
    dataValues[i] = new QLabel(frame);
    dataValues[i]->setObjectName(QString("lbl%1_02").arg(i + 2, 2, 10, QChar('0')));
    grid->addWidget(dataValues[i], i, 1);
  }
  return frame;
}

QWidget* frmLecture::BuildCommands() {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  cmdRelaxation = CommandButton("Relaxation", box);
  cmdTessel = CommandButton("Tessellation", box);
  cmdContact = CommandButton("Matrix", box);
  cmdAttribu = CommandButton("Assignment", box);
  cmdAttribu->setToolTip(kAssignmentTooltip);
  cmdVisu3D = CommandButton("Visualization", box);
  for (QPushButton* button : {cmdRelaxation, cmdTessel, cmdContact, cmdAttribu, cmdVisu3D})
    column->addWidget(button);
  connect(cmdRelaxation, &QPushButton::clicked, this, [this] { cmdRelaxation_Click(); });
  connect(cmdTessel, &QPushButton::clicked, this, [this] { cmdTessel_Click(); });
  connect(cmdContact, &QPushButton::clicked, this, [this] { cmdContact_Click(); });
  connect(cmdAttribu, &QPushButton::clicked, this, [this] { cmdAttribu_Click(); });
  connect(cmdVisu3D, &QPushButton::clicked, this, [this] { cmdVisu3D_Click(); });
  return box;
}

void frmLecture::WireResidueTable() {
  hooks_.showFaces = [this](int row) { ShowFaces(row); };
  hooks_.chooseColour = [this](GridColour initial) { return dialogs_.chooseColour(this, initial); };
  hooks_.openCellColourDialog = [this] { dialogs_.cellColour(session_, *this, this); };
  Tab1->onClick = [this] { ClickResidueTable(session_.tab1, drag_, hooks_); };
  Tab1->onDrag = [this](int buttons) { DragOverResidueTable(session_.tab1, drag_, buttons); };
  Tab1->onRelease = [this](int button, int x, int y) {
    ReleaseOverResidueTable(session_.tab1, button, x, y, hooks_);
  };
}

void frmLecture::ShowFaces(int row) {
  const FaceDisplay display = ShowResidueFaces(session_.tab1, session_.tab2, session_.residues, faces_, row,
                                               kColumnFaceLink, UserDecimalSeparator());
  if (!display.problem.empty()) ShowWarning(this, display.problem);
}

void frmLecture::Refresh() {
  const MainWindowState& state = session_.window;
  setWindowTitle(QString::fromStdString(state.Title()));
  const DataLabels& labels = state.Labels();
  const std::string* values[7] = {&labels.name,        &labels.points,      &labels.aminoAcids,
                                  &labels.environment, &labels.relaxations, &labels.ponderation,
                                  &labels.notInBulk};
  for (int i = 0; i < 7; ++i) dataValues[i]->setText(QString::fromStdString(*values[i]));
  // A long folder wraps after any '/', '_' or '.' (a zero-width space there), not only at blanks, so that
  // no part of it is cut off at the panel's edge.
  QString folder = QString::fromStdString(labels.resultsFolder);
  for (const QChar breakAfter : {QChar('/'), QChar('_'), QChar('.')})
    folder.replace(breakAfter, QString(breakAfter) + QChar(0x200B));
  lblPa->setText(folder);
  // The panel's width is fixed: the label takes the height its wrapped lines need (the main window's
  // layout does not pass heights for widths down to it).
  lblPa->setMinimumHeight(std::max(0, lblPa->heightForWidth(kLeftPanelWidth)));  // -1: no text
  lblPa->setToolTip(QString::fromStdString(labels.resultsFolder));
  const CommandStates& commands = state.Commands();
  cmdRelaxation->setEnabled(commands.relaxation);
  cmdTessel->setEnabled(commands.tessellation);
  cmdContact->setEnabled(commands.matrix);
  cmdAttribu->setEnabled(commands.assignment);
  cmdVisu3D->setEnabled(commands.visualization);
  filFich1->setEnabled(commands.fileList);
  if (commands.fileList) {
    filFich1->SetFolder(session_.resultsFolder);
    filFich1->SetPattern(kResultsFileListPattern);
  } else {
    filFich1->SetPattern(kEmptyFileListPattern);
  }
  corV1->SetDisplayOn(state.MainViewOn());
}

void frmLecture::mnuOpen_Click() {
  const std::optional<std::filesystem::path> path = dialogs_.chooseProteinFile(this);
  if (!path) return;  // cancelled: nothing changes
  session_.window.OpenProtein(path->string());
  session_.proteinFile = *path;
  Refresh();
  if (!std::ifstream(*path)) {
    ShowWarning(this, "cannot open " + path->string());
    return;
  }
  dialogs_.environment(session_, *this, this);
  Refresh();
}

void frmLecture::mnuExit_Click() { QApplication::quit(); }

void frmLecture::cmdRelaxation_Click() {
  dialogs_.relaxation(session_, *this, this);
  Refresh();
}

void frmLecture::cmdTessel_Click() {
  PrepareTessellation(session_);
  dialogs_.tessellation(session_, *this, this);
  // A tessellation that ran leaves its first-layer scene for the main view; a cancel or a failure none.
  const std::optional<StepResult>& tessellation = session_.lastTessellation;
  if (session_.window.MainViewOn() && tessellation && tessellation->Ran()) corV1->Load(tessellation->scene);
  Refresh();
}

void frmLecture::cmdContact_Click() { dialogs_.contactMatrix(session_, *this, this); }

void frmLecture::cmdAttribu_Click() {
  const StepResult result = RunAssignment(
      session_, [this](const ConsoleProgram& program) { return RunConsoleProgram(program, false); });
  // A failed run has been told with what the program printed.
  if (!result.ProgramFailed() && !result.message.empty()) ShowWarning(this, result.message);
  for (const std::string& warning : result.warnings) ShowWarning(this, warning);
  filFich1->Refresh();
}

void frmLecture::cmdVisu3D_Click() {
  const SceneWriting scene =
      visualisation(session_.resultsFolder, session_.proteinName, session_.tab1, PumpEvents);
  if (!scene.Message().empty()) ShowWarning(this, scene.Message());
  if (!scene.written) return;
  corV1->Load(scene.path);
  session_.window.SceneShown();
  Refresh();
}

void frmLecture::filFich1_DblClick() {
  const QListWidgetItem* item = filFich1->currentItem();
  if (item) ShowTextFile(filFich1->Folder() / item->text().toStdString());
}

ConsoleRunResult frmLecture::RunConsoleProgram(const ConsoleProgram& program, bool hideMainWindow) {
  // A window of its own, without a parent: it stays shown while the main window is hidden, and its Cancel
  // stays usable while the main window is disabled.
  ProgressWindow progress(program.program, nullptr);
  ConsoleRun run(session_.appFolder, program);
  run.SetOutputHandler([&progress](std::string_view chunk) { progress.Append(chunk); });
  progress.SetCancelHandler([&run] { run.Cancel(); });
  progress.show();
  // The window takes no command while a program runs (none may start beside it).
  setEnabled(false);
  if (hideMainWindow) hide();
  run.Start();
  ConsoleRunResult result = run.Wait();
  progress.SetCancelHandler({});
  if (hideMainWindow) show();
  setEnabled(true);
  progress.close();
  if (!result.Completed()) ShowWarning(this, result.message);
  return result;
}

void frmLecture::ShowTextFile(const std::filesystem::path& path) { ShowTextFileWindow(path, this); }

void frmLecture::LoadSecondView(const std::filesystem::path& scene) {
  corV2->Load(scene);
  corV2->SetDisplayOn(true);
}

void frmLecture::closeEvent(QCloseEvent* event) {
  session_.residues.Clear();
  QMainWindow::closeEvent(event);
}

}  // namespace mirelda::ui
