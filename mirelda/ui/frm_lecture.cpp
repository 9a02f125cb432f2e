#include "mirelda/ui/frm_lecture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>
#include <optional>

#include "mirelda/protocol/pipeline.h"
#include "mirelda/results/cell_colours.h"
#include "mirelda/results/property_colours.h"
#include "mirelda/results/residue_rows.h"
#include "mirelda/results/result_files.h"
#include "mirelda/results/results_table.h"
#include "mirelda/results/scene_composer.h"
#include "mirelda/ui/dialog_prompts.h"
#include "mirelda/ui/file_list.h"
#include "mirelda/ui/grid_table_model.h"
#include "mirelda/ui/grid_view.h"
#include "mirelda/ui/progress_window.h"
#include "mirelda/ui/guide_text.h"
#include "mirelda/ui/progress_note.h"
#include "mirelda/ui/qt_colours.h"
#include "mirelda/ui/result_export.h"
#include "mirelda/ui/sequence_plots.h"
#include "mirelda/workflow/pipeline_files.h"
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


// The face table shows at least this many rows, whatever number of faces it holds.
constexpr int kFaceTableLeastRows = 15;

// The table rows of a grid's selection (current row to the selection end), within 1..last.
std::pair<int, int> SelectedRows(const GridModel& grid, int last) {
  const int first = std::max(1, std::min(grid.Row(), grid.RowSel()));
  return {first, std::min(last, std::max(grid.Row(), grid.RowSel()))};
}

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
  Tab2->SetMinimumRows(kFaceTableLeastRows);
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
                                                    {mnuExportResidues, "mnuExportResidues"},
                                                    {mnuExportFaces, "mnuExportFaces"},
                                                    {mnuExportView, "mnuExportView"},
                                                    {mnuExportMatrix, "mnuExportMatrix"},
                                                    {mnuAbout, "mnuAbout"},
                                                    {mnuGuide, "mnuGuide"},
                                                    {mnuPlots, "mnuPlots"},
                                                    {mnuExportPlots, "mnuExportPlots"},
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
  QMenu* mnuExport = mnuFile->addMenu("Export");
  mnuExport->setObjectName("mnuExport");
  mnuExportResidues =
      mnuExport->addAction("Residue table (CSV)...", this, [this] { ExportResidueTable(); });
  mnuExportFaces = mnuExport->addAction("Face table (CSV)...", this, [this] { ExportFaceTable(); });
  mnuExportView = mnuExport->addAction("3-D view (PNG)...", this, [this] { ExportView(); });
  mnuExportMatrix =
      mnuExport->addAction("Contact matrix (PNG, SVG)...", this, [this] { ExportContactMatrix(); });
  mnuExportPlots = mnuExport->addAction("Plots (PNG, SVG)...", this, [this] { ExportPlots(); });
  mnuExit = mnuFile->addAction("Exit", this, [this] { mnuExit_Click(); });
  mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  QMenu* mnuView = menuBar()->addMenu("&View");
  mnuView->setObjectName("mnuView");
  mnuPlots = mnuView->addAction("Plots along the sequence", this, [this] { ShowPlots(); });
  mnuPlots->setEnabled(false);
  QMenu* mnuHelp = menuBar()->addMenu("&Help");
  mnuHelp->setObjectName("mnuHelp");
  mnuGuide = mnuHelp->addAction("Guide", this, [this] { ShowGuide(); });
  mnuAbout = mnuHelp->addAction("About", this, [this] { ShowAbout(); });
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
  cboColourBy = new QComboBox(box);
  cboColourBy->setObjectName("cboColourBy");
  cboColourBy->setToolTip("what colours the marked cells of Visualization");
  for (const auto& [property, name] : kCellProperties)
    cboColourBy->addItem(QString("colour by %1").arg(name), static_cast<int>(property));
  cboColourBy->setEnabled(false);
  column->addWidget(cboColourBy);
  connect(cboColourBy, &QComboBox::currentIndexChanged, this, [this] { ColourByChanged(); });
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
  hooks_.openCellColourDialog = [this] {
    dialogs_.cellColour(session_, *this, this);
    // The dialog paints the types' colours: the choice says so.
    const QSignalBlocker quiet(cboColourBy);
    cboColourBy->setCurrentIndex(0);
  };
  Tab1->onClick = [this] { ClickResidueTable(session_.tab1, drag_, hooks_); };
  Tab1->onDrag = [this](int buttons) { DragOverResidueTable(session_.tab1, drag_, buttons); };
  Tab1->onRelease = [this](int button, int x, int y) {
    ReleaseOverResidueTable(session_.tab1, button, x, y, hooks_);
  };
  Tab1->onCopy = [this] { CopyResidueRows(); };
  Tab2->onCopy = [this] { CopyFaceRows(); };
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
  cboColourBy->setEnabled(commands.visualization);
  mnuPlots->setEnabled(commands.visualization);
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
  corV2->Clear();  // the previous protein's environment
  faces_ = FaceDisplayState{};
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
  if (session_.window.MainViewOn() && tessellation && tessellation->Ran()) {
    corV1->Load(tessellation->scene);
    // The new table's colours are the types'; the chosen property's are painted again.
    if (cboColourBy->currentIndex() > 0) PaintByProperty();
    ShowLegend();
  }
  UpdatePlots();
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
  UpdatePlots();  // the class band
}

void frmLecture::ColourByChanged() {
  PaintByProperty();
  // A composed scene shown follows at once.
  if (corV1->File().filename() == results::kComposedSceneFile) cmdVisu3D_Click();
}

void frmLecture::PaintByProperty() {
  const auto property = static_cast<CellProperty>(cboColourBy->currentData().toInt());
  if (property == CellProperty::ResidueType) {
    CellColourChoice().Validate(session_.tab1);  // the types' current colours, as the colour dialog leaves them
    return;
  }
  PaintColourColumn(session_.tab1, ColourByProperty(session_.tab1, session_.residues, property));
}

void frmLecture::ShowLegend() {
  const auto property = static_cast<CellProperty>(cboColourBy->currentData().toInt());
  const bool composed = corV1->File().filename() == results::kComposedSceneFile;
  if (property == CellProperty::ResidueType || !composed) return corV1->SetLegend({}, {});
  const PropertyColouring colouring = ColourByProperty(session_.tab1, session_.residues, property);
  std::vector<std::pair<QColor, QString>> legend;
  for (const LegendEntry& entry : colouring.legend)
    legend.emplace_back(ToQColor(entry.colour), QString::fromStdString(entry.label));
  corV1->SetLegend(QString::fromStdString(colouring.title), legend);
}

void frmLecture::ShowPlots() {
  if (plots == nullptr) {
    plots = new SequencePlots(this);
    plots->onPick = [this](int row) { PickResidue(row); };
  }
  plots->Update(session_.tab1, session_.residues);
  plots->show();
  plots->raise();
}

void frmLecture::UpdatePlots() {
  if (plots != nullptr && plots->isVisible()) plots->Update(session_.tab1, session_.residues);
}

void frmLecture::PickResidue(int row) {
  if (row < 1 || row >= session_.tab1.Rows()) return;
  session_.tab1.SetRow(row);
  Tab1->scrollTo(Tab1->model()->index(GridTableModel::QtRow(row), kColumnFaceLink));
  if (session_.tab1.Cols() > kColumnFaceLink) ShowFaces(row);
}

void frmLecture::cmdVisu3D_Click() {
  // Pending events other than the user's run while a long composition goes on: the window stays drawn,
  // and no command starts in the middle of it.
  ProgressNote note("Composing the scene", this, kProgressNoteDelay, QEventLoop::ExcludeUserInputEvents);
  const SceneWriting scene =
      visualisation(session_.resultsFolder, session_.proteinName, session_.tab1, [&note] { note.Step(); });
  if (!scene.Message().empty()) ShowWarning(this, scene.Message());
  if (!scene.written) return;
  corV1->Load(scene.path);
  ShowLegend();
  session_.window.SceneShown();
  Refresh();
}

void frmLecture::filFich1_DblClick() {
  const QListWidgetItem* item = filFich1->currentItem();
  if (item) ShowTextFile(filFich1->Folder() / item->text().toStdString());
}

std::optional<std::filesystem::path> frmLecture::ChooseExport(const QString& caption, const QString& filter,
                                                              const std::string& suggestedName) {
  if (!dialogs_.chooseExportFile) return std::nullopt;
  const std::filesystem::path folder =
      session_.resultsFolder.empty() ? std::filesystem::current_path() : session_.resultsFolder;
  return dialogs_.chooseExportFile(this, caption, filter, QString::fromStdString((folder / suggestedName).string()));
}

void frmLecture::TellExport(const std::string& problem) {
  if (!problem.empty()) ShowWarning(this, problem);
}

namespace {

std::string ExportName(const std::string& proteinName, const std::string& what) {
  return (proteinName.empty() ? std::string("protein") : proteinName) + what;
}

// The per-residue rows of the session, with the table row of each.
std::vector<TextRow> SessionResidueRows(const FrontEndSession& session, std::vector<int>& tableRows) {
  return ResidueRows(session.tab1, session.residues, session.window.Labels().points,
                     session.tab1.Cols() > kResultsColumnsWithEnvironment, &tableRows);
}

// The residue whose faces the face table shows, or nullptr.
const model::DEF_AA* FacesShown(const FrontEndSession& session, const FaceDisplayState& faces) {
  if (faces.lastRow <= 0 || session.tab2.Rows() < 2) return nullptr;
  return session.residues.Find(faces.lastRow);
}

}  // namespace

void frmLecture::ExportResidueTable() {
  std::vector<int> tableRows;
  const std::vector<TextRow> rows = SessionResidueRows(session_, tableRows);
  if (rows.empty()) return ShowWarning(this, "there is no residue table to export");
  const auto path = ChooseExport("Export residue table", "CSV files (*.csv)",
                                 ExportName(session_.proteinName, ".residues.csv"));
  if (!path) return;
  TellExport(WriteExportText(*path, DelimitedText(HeaderOf(kResidueColumns), rows, ',')));
}

void frmLecture::ExportFaceTable() {
  const model::DEF_AA* residue = FacesShown(session_, faces_);
  if (residue == nullptr) return ShowWarning(this, "there is no face table to export: click a \"+\" first");
  std::string suffix = ".";
  suffix += residue->NAME();
  suffix += std::to_string(residue->NUM());
  suffix += ".faces.csv";
  const auto path = ChooseExport("Export face table", "CSV files (*.csv)", ExportName(session_.proteinName, suffix));
  if (!path) return;
  TellExport(WriteExportText(*path, DelimitedText(HeaderOf(kFaceRowColumns), FaceRows(*residue), ',')));
}

void frmLecture::ExportView() {
  if (corV1->File().empty()) return ShowWarning(this, "the 3-D view shows nothing to export");
  if (!dialogs_.chooseImageSize) return;
  const std::optional<QSize> size = dialogs_.chooseImageSize(this, corV1->size() * corV1->devicePixelRatio());
  if (!size) return;
  const auto path = ChooseExport("Export 3-D view", "PNG pictures (*.png)",
                                 ExportName(session_.proteinName, ".view.png"));
  if (!path) return;
  const QImage picture = corV1->Render(*size);
  if (picture.isNull()) return ShowWarning(this, "the 3-D view could not be drawn off the screen");
  TellExport(WritePicture(picture, *path));
}

void frmLecture::ExportContactMatrix() {
  const ContactDrawing drawing = Dessine(ContactFilePath(session_.resultsFolder, session_.proteinName));
  if (drawing.Rows() == 0) return ShowWarning(this, "there is no contact matrix to export: run Tessellation first");
  const auto path = ChooseExport("Export contact matrix", "PNG pictures (*.png);;SVG drawings (*.svg)",
                                 ExportName(session_.proteinName, ".contacts.png"));
  if (!path) return;
  TellExport(WriteContactMatrix(drawing, *path, AxisMarksOf(session_.residues, drawing.Rows())));
}

void frmLecture::ExportPlots() {
  if (plots == nullptr || !plots->isVisible()) return ShowWarning(this, "open View > Plots along the sequence first");
  const auto path = ChooseExport("Export plots", "PNG pictures (*.png);;SVG drawings (*.svg)",
                                 ExportName(session_.proteinName, ".plots.png"));
  if (!path) return;
  TellExport(IsSvg(*path) ? plots->WriteSvg(*path) : WritePicture(plots->Picture(), *path));
}

void frmLecture::CopyResidueRows() {
  std::vector<int> tableRows;
  const std::vector<TextRow> rows = SessionResidueRows(session_, tableRows);
  const auto [first, last] = SelectedRows(session_.tab1, session_.tab1.Rows() - 1);
  std::vector<TextRow> selected;
  for (std::size_t k = 0; k < rows.size(); ++k)
    if (tableRows[k] >= first && tableRows[k] <= last) selected.push_back(rows[k]);
  if (selected.empty()) return;
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(DelimitedText(HeaderOf(kResidueColumns), selected, '\t')));
}

void frmLecture::CopyFaceRows() {
  const model::DEF_AA* residue = FacesShown(session_, faces_);
  if (residue == nullptr) return;
  const std::vector<TextRow> rows = FaceRows(*residue);
  const auto [first, last] = SelectedRows(session_.tab2, static_cast<int>(rows.size()));
  if (first > last) return;
  const std::vector<TextRow> selected(rows.begin() + (first - 1), rows.begin() + last);
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(DelimitedText(HeaderOf(kFaceRowColumns), selected, '\t')));
}

void frmLecture::ShowAbout() {
  QString text = QString("Mirelda %1\n\nApplication folder: %2\n\nData files in use:\n")
                     .arg(kMireldaVersion, QString::fromStdString(session_.appFolder.string()));
  for (const char* name : workflow::kDataFiles) {
    const std::filesystem::path file = session_.appFolder / name;
    std::error_code error;
    const auto bytes = std::filesystem::file_size(file, error);
    text += QString("  %1  %2\n")
                .arg(QString::fromStdString(file.string()),
                     error ? QString("(missing)") : QString("(%1 bytes)").arg(bytes));
  }
  ShowTextWindow("About Mirelda", text, this)->setObjectName("frmAbout");
}

void frmLecture::ShowGuide() { ShowTextWindow("Mirelda guide", kGuideText, this)->setObjectName("frmGuide"); }

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
