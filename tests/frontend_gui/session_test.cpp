// A whole session through the main window and its real dialogs on a sample protein, as a user would run
// it: Open (only the file chooser answered by the test), the environment dialog, a relaxation, the
// tessellation, Assignment, Visualization and the contact matrix. The console programs run in an
// application folder of the test's own; message boxes are answered through the replaceable prompts and
// the modal dialogs are filled in and validated from a timer, by the names of their controls.
// Needs an X display for the 3-D views.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QChartView>
#include <QClipboard>
#include <QLineSeries>
#include <QTabWidget>
#include <QRadioButton>
#include <QTimer>
#include <QXmlStreamReader>
#include <cstdlib>
#include <map>
#include <set>

#include "mirelda/results/property_colours.h"
#include "mirelda/results/result_files.h"
#include "mirelda/ui/dialog_prompts.h"
#include "mirelda/ui/file_list.h"
#include "mirelda/ui/frm_contact.h"
#include "mirelda/ui/frm_lecture.h"
#include "mirelda/ui/grid_view.h"
#include "mirelda/ui/sequence_plots.h"
#include "mirelda/ui/user_locale.h"
#include "mirelda/ui/vrml_view.h"
#include "mirelda/workflow/residue_table_layout.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"
#include "tests/support/vrml_check.h"

using namespace mirelda::workflow;
using namespace mirelda::protocol;
using namespace mirelda::ui;

namespace mirelda {
namespace {

using testing::ScratchFolder;

// The five commands, in the order of the pipeline, as enabled or not.
struct Commands {
  bool relaxation, tessellation, matrix, assignment, visualization;
  bool operator==(const Commands&) const = default;
};

Commands CommandsOf(const frmLecture& window) {
  return {window.cmdRelaxation->isEnabled(), window.cmdTessel->isEnabled(), window.cmdContact->isEnabled(),
          window.cmdAttribu->isEnabled(), window.cmdVisu3D->isEnabled()};
}

std::ostream& operator<<(std::ostream& out, const Commands& c) {
  return out << "relaxation " << c.relaxation << ", tessellation " << c.tessellation << ", matrix "
             << c.matrix << ", assignment " << c.assignment << ", visualization " << c.visualization;
}

std::string Label(const frmLecture& window, int index) {
  return window.dataValues[index]->text().toStdString();
}

// Lit pixels and grey-level variance of an image, sampled every 2 pixels: a blank view (one flat colour)
// has a variance of about 0.
struct ImageSpread {
  int lit = 0;
  double variance = 0;
};

ImageSpread SpreadOf(const QImage& image) {
  ImageSpread spread;
  double sum = 0, squares = 0;
  int count = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) {
      const int grey = qGray(image.pixel(x, y));
      sum += grey;
      squares += double(grey) * grey;
      ++count;
      spread.lit += grey > 20 ? 1 : 0;
    }
  }
  if (count > 0) spread.variance = squares / count - (sum / count) * (sum / count);
  return spread;
}

// With MIRELDA_WINDOW_SNAPSHOT=folder/base.png, saves an image as folder/base_<what>.png, to be looked at.
void SaveSnapshot(const QImage& image, const QString& what) {
  if (const char* out = std::getenv("MIRELDA_WINDOW_SNAPSHOT"))
    image.save(QString(out).remove(".png") + "_" + what + ".png");
}

// The console programs' progress windows, by title.
bool IsProgressWindow(const QWidget& window) {
  const QString title = window.windowTitle();
  return window.isWindow() &&
         (title == "orvane" || title == "relaxation" || title == "brindel" || title == "attribution");
}

// Plays the user in front of each modal dialog once it is shown: one handler per window title, run once
// per dialog instance. Also notes which console programs ran, and during which of them the main window
// was hidden.
class DialogScript : public QObject {
 public:
  using Handler = std::function<void(QDialog&)>;

  explicit DialogScript(QWidget& mainWindow) : mainWindow_(mainWindow) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(50);
    qApp->installEventFilter(this);
  }
  ~DialogScript() override { qApp->removeEventFilter(this); }

  void On(const QString& title, Handler handler) { handlers_[title] = std::move(handler); }
  int Handled(const QString& title) const { return counts_.count(title) ? counts_.at(title) : 0; }
  // A dialog shown again from the same call lies at the same address: forget the ones answered.
  void ForgetAnswered() { handledDialogs_.clear(); }
  std::set<QString> ran;           // programs whose progress window was shown
  std::set<QString> hiddenDuring;  // programs whose progress window was up when the main window hid

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    if (event->type() == QEvent::Show && IsProgressWindow(*widget)) ran.insert(widget->windowTitle());
    if (event->type() == QEvent::Hide && widget == &mainWindow_) {
      for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && IsProgressWindow(*window)) hiddenDuring.insert(window->windowTitle());
    }
    return false;
  }

 private:
  void Poll() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible() || handledDialogs_.count(dialog)) return;
    handledDialogs_.insert(dialog);
    const auto handler = handlers_.find(dialog->windowTitle());
    if (handler == handlers_.end()) {
      // Nobody would ever close it: the session would wait for good.
      ADD_FAILURE() << "an unexpected dialog was shown: " << dialog->windowTitle().toStdString();
      dialog->reject();
      return;
    }
    ++counts_[dialog->windowTitle()];
    SaveSnapshot(dialog->grab().toImage(), dialog->windowTitle().replace(' ', '_'));
    // Played from a timer of its own: a timer is not re-entered while its handler runs, and a handler
    // may open a nested dialog that this poll must answer.
    QTimer::singleShot(0, dialog, [dialog, play = handler->second] { play(*dialog); });
  }

  QWidget& mainWindow_;
  QTimer timer_;
  std::map<QString, Handler> handlers_;
  std::map<QString, int> counts_;
  std::set<QDialog*> handledDialogs_;
};

template <typename T>
T* Control(QDialog& dialog, const char* name) {
  T* control = dialog.findChild<T*>(name);
  if (control == nullptr) ADD_FAILURE() << dialog.windowTitle().toStdString() << " has no " << name;
  return control;
}

// Types into a box through its key filter, as a user does.
void Type(QLineEdit* box, const QString& text) {
  box->setFocus();
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
  }
}

void Click(QDialog& dialog, const char* name) {
  if (auto* button = Control<QAbstractButton>(dialog, name)) button->click();
}

struct SessionCase {
  const char* file;
  const char* name;
};

void PrintTo(const SessionCase& session, std::ostream* out) { *out << session.file; }

class RealDialogSession : public ::testing::TestWithParam<SessionCase> {};

std::vector<QStringList> ReadCsv(const std::filesystem::path& file) {
  std::vector<QStringList> rows;
  for (const QString& line : QString::fromStdString(testing::ReadFileText(file)).split('\n', Qt::SkipEmptyParts))
    rows.push_back(line.split(','));
  return rows;
}

// The top window that the last Help command opened, by its object name.
QWidget* TopWindow(const char* name) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == name && window->isVisible()) return window;
  return nullptr;
}

TEST_P(RealDialogSession, OpenEnvironmentRelaxationTessellationAssignmentVisualizationMatrix) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') GTEST_SKIP() << "no X display (run under xvfb-run -a)";
  const SessionCase param = GetParam();
  const auto protein = testing::TestProtein(param.file);
  if (!protein) return;
  const QString name = param.name;
  ScratchFolder app;
  for (const char* file :
       {"orvane", "relaxation", "brindel", "attribution", "spherepack_1.txt", "Tab_cen_2", "Tab_ext_2"})
    std::filesystem::create_symlink(testing::AppDir() / file, app / file);

  // Every message box, in order; the question about reading problems is answered Yes, the others No.
  std::vector<std::string> boxes;
  DialogPrompts prompts;
  prompts.warn = [&](QWidget*, const std::string& text) { boxes.push_back("warn: " + text); };
  prompts.ask = [&](QWidget*, const std::string& text) {
    boxes.push_back("ask: " + text);
    return text.find(" problems in ") != std::string::npos;
  };
  const DialogPrompts previous = SetDialogPrompts(prompts);

  DialogLauncher dialogs = DefaultDialogLauncher();
  dialogs.chooseProteinFile = [&](QWidget*) { return std::optional<std::filesystem::path>(*protein); };
  std::filesystem::path exportTo;  // where the next export goes
  dialogs.chooseExportFile = [&](QWidget*, const QString&, const QString&, const QString&) {
    return std::optional<std::filesystem::path>(exportTo);
  };
  dialogs.chooseImageSize = [](QWidget*, QSize) { return std::optional<QSize>(QSize(640, 400)); };
  frmLecture window(dialogs);
  window.Session().appFolder = app.Path();
  window.show();
  DialogScript script(window);

  // Before anything: every command disabled, the file list too.
  EXPECT_EQ(CommandsOf(window), (Commands{false, false, false, false, false}));
  EXPECT_FALSE(window.filFich1->isEnabled());

  script.On("Environment option", [&](QDialog& dialog) {
    auto* txtAsk0 = Control<QLineEdit>(dialog, "txtAsk0");
    auto* cboDef_point = Control<QComboBox>(dialog, "cboDef_point");
    auto* txtAsk3 = Control<QLineEdit>(dialog, "txtAsk3");
    auto* txtAsk5 = Control<QLineEdit>(dialog, "txtAsk5");
    auto* optAvec = Control<QRadioButton>(dialog, "optAvec");
    if (!txtAsk0 || !cboDef_point || !txtAsk3 || !txtAsk5 || !optAvec) return dialog.reject();
    EXPECT_EQ(cboDef_point->currentText(), "CA");
    // The defaults are shown with the locale's separator from the first display.
    const bool comma = UserDecimalSeparator() == ',';
    EXPECT_EQ(txtAsk3->text(), comma ? "6,5" : "6.5");
    EXPECT_EQ(txtAsk5->text(), comma ? "3,5" : "3.5");
    EXPECT_TRUE(optAvec->isChecked());
    Type(txtAsk0, name);
    EXPECT_EQ(txtAsk0->text(), name);
    Click(dialog, "cmdValid");
  });
  window.mnuOpen->trigger();
  ASSERT_EQ(script.Handled("Environment option"), 1) << "the environment dialog was not shown";
  EXPECT_TRUE(script.hiddenDuring.count("orvane")) << "the main window stays shown during orvane";
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle().toStdString(), "Mirelda : " + protein->string());
  EXPECT_EQ(CommandsOf(window), (Commands{true, true, false, false, false}));
  EXPECT_TRUE(window.filFich1->isEnabled());
  EXPECT_EQ(Label(window, 0), name.toStdString());
  EXPECT_EQ(Label(window, 1), "CA");
  const int residues = std::stoi(Label(window, 2));
  EXPECT_GT(residues, 50);
  EXPECT_EQ(Label(window, 3), "YES");
  EXPECT_EQ(Label(window, 4), "0") << "no relaxation yet";
  const std::filesystem::path results = app / name.toStdString();
  EXPECT_EQ(window.lblPa->toolTip().toStdString(), results.string() + " :");
  EXPECT_EQ(window.corV2->File(), app / "environment.wrl");
  EXPECT_TRUE(std::filesystem::exists(results / "environment.wrl"));
  // The Yes to the problems question showed the report, copied into the results folder.
  const std::filesystem::path problems = results / (name.toStdString() + "_problems");
  if (std::filesystem::exists(problems)) {
    const auto reports = window.findChildren<QPlainTextEdit*>("text");
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0]->window()->windowTitle().toStdString(), problems.string());
    reports[0]->window()->close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QApplication::processEvents();
  SaveSnapshot(window.grab().toImage(), name + "_environment");

  script.On("Relaxation Option", [&](QDialog& dialog) {
    auto* txtAsk1 = Control<QLineEdit>(dialog, "txtAsk1");
    if (txtAsk1 == nullptr) return dialog.reject();
    txtAsk1->selectAll();
    Type(txtAsk1, "2");
    EXPECT_EQ(txtAsk1->text(), "2");
    Click(dialog, "cmdValid");
  });
  window.cmdRelaxation->click();
  ASSERT_EQ(script.Handled("Relaxation Option"), 1);
  EXPECT_TRUE(script.ran.count("relaxation"));
  EXPECT_TRUE(script.hiddenDuring.count("relaxation")) << "the main window stays shown during relaxation";
  EXPECT_EQ(CommandsOf(window), (Commands{true, true, false, false, false}));
  EXPECT_EQ(Label(window, 4), "2");
  EXPECT_FALSE(Label(window, 6).empty());

  script.On("Weights", [&](QDialog& dialog) { Click(dialog, "cmdAnnulation"); });
  script.On("Tessellation option", [&](QDialog& dialog) {
    auto* optn3 = Control<QRadioButton>(dialog, "optn3");
    auto* cmdPoids = Control<QPushButton>(dialog, "cmdPoids");
    if (!optn3 || !cmdPoids) return dialog.reject();
    // The command cut the residue table back to its three columns and greyed it before the dialog.
    EXPECT_EQ(window.Session().tab1.Cols(), 3);
    EXPECT_EQ(window.Session().tab1.CellAt(1, 0).backColour, kColourLightGrey);
    EXPECT_TRUE(optn3->isChecked());
    EXPECT_FALSE(cmdPoids->isEnabled());
    // A look at the weights, cancelled: the run stays unweighted.
    Click(dialog, "opty3");
    EXPECT_TRUE(cmdPoids->isEnabled());
    cmdPoids->click();
    Click(dialog, "optn3");
    Click(dialog, "cmdValid");
  });
  window.cmdTessel->click();
  ASSERT_EQ(script.Handled("Tessellation option"), 1);
  EXPECT_EQ(script.Handled("Weights"), 1);
  EXPECT_TRUE(script.ran.count("brindel"));
  EXPECT_FALSE(script.hiddenDuring.count("brindel")) << "the tessellation hid the main window";
  EXPECT_EQ(Label(window, 5), "NO");
  const int notInBulk = std::stoi(Label(window, 6));
  EXPECT_EQ(CommandsOf(window), (Commands{true, true, true, notInBulk == 0, true}));
  EXPECT_EQ(window.Session().tab1.Cols(), kColumnExposure + 1);
  EXPECT_EQ(window.corV1->File(), results / "premier.wrl");
  EXPECT_TRUE(window.corV1->DisplayOn());
  EXPECT_EQ(window.corV1->Problems(), "");
  QApplication::processEvents();
  const QImage firstLayer = window.corV1->Snapshot();
  const ImageSpread firstSpread = SpreadOf(firstLayer);
  EXPECT_GT(firstSpread.lit, 200) << "the first-layer scene drew nothing";
  EXPECT_GT(firstSpread.variance, 50.0) << "the first-layer view is one flat colour";
  SaveSnapshot(firstLayer, name + "_premier");

  // A click on a residue's "+" shows its faces in the face table.
  GridView* tab1 = window.Tab1;
  const QRect plus = tab1->visualRect(tab1->model()->index(1, kColumnFaceLink));
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, QPointF(plus.center()), tab1->viewport()->mapToGlobal(QPointF(plus.center())),
                      Qt::LeftButton, type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(tab1->viewport(), &event);
  }
  EXPECT_GT(window.Session().tab2.Rows(), 3);
  QApplication::processEvents();
  EXPECT_GE(window.Tab2->height(), window.Tab2->horizontalHeader()->height() + 15 * window.Tab2->rowHeight(0))
      << "the face table shows fewer than 15 rows";

  // A double click on a file of the results folder shows it in a text window.
  const auto files = window.filFich1->findItems("C" + name, Qt::MatchExactly);
  ASSERT_EQ(files.size(), 1);
  window.filFich1->setCurrentItem(files[0]);
  window.filFich1_DblClick();
  const auto texts = window.findChildren<QPlainTextEdit*>("text");
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts[0]->toPlainText().startsWith(
      QString::fromStdString(testing::ReadFileText(results / ("C" + name.toStdString()))).left(20)));
  texts[0]->window()->close();

  if (notInBulk == 0) {
    const int columns = window.Session().tab1.Cols();
    window.cmdAttribu->click();
    EXPECT_EQ(window.Session().tab1.Cols(), columns + 1);
    EXPECT_TRUE(std::filesystem::exists(results / (name.toStdString() + "_resu")));
  }

  // A left-button release on the "col" header opens the cell colour dialog, then marks the column.
  script.On("Cell Color", [&](QDialog& dialog) { Click(dialog, "cmdValid"); });
  QHeaderView* header = tab1->horizontalHeader();
  const QPoint colHeader(header->sectionViewportPosition(kColumnColour) + 5, header->height() / 2);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(colHeader),
                      header->viewport()->mapToGlobal(QPointF(colHeader)), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(header->viewport(), &release);
  EXPECT_EQ(script.Handled("Cell Color"), 1);
  const GridModel& table = window.Session().tab1;
  for (int row = 1; row < table.Rows(); ++row) {
    const GridCell& cell = table.CellAt(row, kColumnColour);
    if (cell.text.empty()) continue;  // a residue without a cell has no toggles
    ASSERT_NE(cell.foreColour, kUnmarkedText) << "row " << row << " of the colour column stayed unmarked";
  }

  window.cmdVisu3D->click();
  EXPECT_EQ(window.corV1->File(), results / "resultat.wrl");
  EXPECT_EQ(window.corV1->Problems(), "");
  QApplication::processEvents();
  const ImageSpread composed = SpreadOf(window.corV1->Snapshot());
  EXPECT_GT(composed.lit, 200) << "the composed scene drew nothing";

  // Coloured by volume: the marked cells take the scale's colours, the legend names it, and the
  // composed scene stays valid VRML 2.0.
  EXPECT_FALSE(window.corV1->Legend()->isVisible()) << "no legend for the amino-acid types";
  window.cboColourBy->setCurrentIndex(window.cboColourBy->findText("colour by volume"));
  const results::PropertyColouring byVolume =
      results::ColourByProperty(window.Session().tab1, window.Session().residues, results::CellProperty::Volume);
  for (const auto& [row, colour] : byVolume.rows) {
    if (window.Session().tab1.CellAt(row, kColumnColour).foreColour != kMarkedText) continue;
    ASSERT_EQ(window.Session().tab1.CellAt(row, kColumnColour).backColour, colour) << "row " << row;
  }
  EXPECT_TRUE(window.corV1->Legend()->isVisible());
  EXPECT_TRUE(window.corV1->Legend()->text().contains("volume"));
  EXPECT_TRUE(window.corV1->Legend()->text().contains(QString::fromStdString(byVolume.legend.front().label)));
  const testing::VrmlCheck recoloured = testing::ParseVrmlFile(results / "resultat.wrl");
  EXPECT_TRUE(recoloured.parsed) << recoloured.errors;
  QApplication::processEvents();
  SaveSnapshot(window.corV1->Snapshot(), name + "_by_volume");
  window.cboColourBy->setCurrentIndex(window.cboColourBy->findText("colour by class"));
  SaveSnapshot(window.corV1->Snapshot(), name + "_by_class");
  window.cboColourBy->setCurrentIndex(0);
  EXPECT_FALSE(window.corV1->Legend()->isVisible());

  script.On("Matrice", [&](QDialog& dialog) {
    // The matrix numbers every tenth residue and draws a line where each chain begins.
    const mirelda::results::ContactDrawing drawing =
        mirelda::results::Dessine(mirelda::results::ContactFilePath(results, name.toStdString()));
    const mirelda::results::ContactAxisMarks marks =
        mirelda::results::AxisMarksOf(window.Session().residues, drawing.Rows());
    EXPECT_FALSE(marks.ticks.empty());
    const QImage picture = static_cast<frmContact&>(dialog).Picture()->grab().toImage();
    const int middle = drawing.Rows() * drawing.CellSize() / 2;
    for (const int start : marks.chainStarts)
      EXPECT_EQ(picture.pixelColor(start * drawing.CellSize() - 1, middle), QColor(255, 0, 255)) << start;
    Click(dialog, "cmdQuit");
  });
  window.cmdContact->click();
  EXPECT_EQ(script.Handled("Matrice"), 1);
  EXPECT_EQ(CommandsOf(window), (Commands{true, true, true, notInBulk == 0, true}));
  QApplication::processEvents();
  SaveSnapshot(window.grab().toImage(), name);

  // The exports, each read back by its reader.
  const std::filesystem::path exports = app / "exports";
  std::filesystem::create_directories(exports);
  exportTo = exports / "residues.csv";
  window.mnuExportResidues->trigger();
  const std::vector<QStringList> residueCsv = ReadCsv(exportTo);
  ASSERT_FALSE(residueCsv.empty());
  EXPECT_EQ(residueCsv[0].join(' '), "chain resSeq iCode resName aa x y z volume area faces closed exposure bulk class");
  EXPECT_EQ(static_cast<int>(residueCsv.size()) - 1, residues);
  for (const QStringList& row : residueCsv) EXPECT_EQ(row.size(), 15) << row.join(',').toStdString();
  exportTo = exports / "faces.csv";
  window.mnuExportFaces->trigger();
  const std::vector<QStringList> faceCsv = ReadCsv(exportTo);
  ASSERT_FALSE(faceCsv.empty());
  EXPECT_EQ(faceCsv[0].join(' '), "n aa resSeq chain sides area perimeter distance");
  EXPECT_EQ(static_cast<int>(faceCsv.size()), window.Session().tab2.Rows());
  exportTo = exports / "view.png";
  window.mnuExportView->trigger();
  const QImage view(QString::fromStdString(exportTo.string()));
  EXPECT_EQ(view.size(), QSize(640, 400));
  EXPECT_GT(SpreadOf(view).lit, 200) << "the exported view is blank";
  SaveSnapshot(view, name + "_export_view");
  exportTo = exports / "contacts.png";
  window.mnuExportMatrix->trigger();
  const QImage matrix(QString::fromStdString(exportTo.string()));
  const results::ContactDrawing drawing = results::Dessine(results::ContactFilePath(results, name.toStdString()));
  EXPECT_EQ(matrix.size(), QSize(drawing.Cols(), drawing.Rows()) * std::max(drawing.CellSize(), 1));
  EXPECT_GT(SpreadOf(matrix).variance, 50.0);
  exportTo = exports / "contacts.svg";
  window.mnuExportMatrix->trigger();
  QXmlStreamReader svg(QString::fromStdString(testing::ReadFileText(exportTo)));
  int rects = 0;
  while (!svg.atEnd())
    if (svg.readNext() == QXmlStreamReader::StartElement && svg.name() == QLatin1String("rect")) ++rects;
  EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
  EXPECT_GT(rects, residues);

  // The plots along the sequence: the volumes of the cell file, and a click that picks a residue.
  window.mnuPlots->trigger();
  ASSERT_NE(window.plots, nullptr);
  QApplication::processEvents();
  EXPECT_EQ(window.plots->Tabs()->count(), static_cast<int>(window.plots->Profiles().size()));
  auto* volumeView =
      static_cast<QChartView*>(window.plots->PlotView(0, results::ProfileMeasure::Volume));
  ASSERT_NE(volumeView, nullptr);
  auto* volumes = static_cast<QLineSeries*>(volumeView->chart()->series().at(0));
  const results::ChainProfile& firstChain = window.plots->Profiles().front();
  int withCell = 0;
  for (const results::ProfilePoint& point : firstChain.points) {
    if (!point.hasCell) continue;
    ASSERT_LT(withCell, volumes->count());
    EXPECT_EQ(volumes->at(withCell).y(), window.Session().residues.Find(point.tableRow)->VOL());
    ++withCell;
  }
  EXPECT_EQ(volumes->count(), withCell);
  const results::ProfilePoint& picked = firstChain.points.at(firstChain.points.size() / 2);
  const QPoint at = volumeView->mapFromScene(
      volumeView->chart()->mapToPosition(QPointF(picked.resSeq, volumes->at(0).y())));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), volumeView->viewport()->mapToGlobal(QPointF(at)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(volumeView->viewport(), &press);
  EXPECT_EQ(window.Session().tab1.Row(), picked.tableRow);
  EXPECT_EQ(window.Session().tab1.CellAt(picked.tableRow, kColumnFaceLink).backColour, kColourOrange)
      << "the picked residue's faces are not shown";
  SaveSnapshot(window.plots->grab().toImage(), name + "_plots");
  exportTo = exports / "plots.png";
  window.mnuExportPlots->trigger();
  EXPECT_FALSE(QImage(QString::fromStdString(exportTo.string())).isNull());
  exportTo = exports / "plots.svg";
  window.mnuExportPlots->trigger();
  QXmlStreamReader plotSvg(QString::fromStdString(testing::ReadFileText(exportTo)));
  while (!plotSvg.atEnd()) plotSvg.readNext();
  EXPECT_FALSE(plotSvg.hasError()) << plotSvg.errorString().toStdString();
  window.plots->close();

  // Ctrl+C over the residue table copies the selected rows with a header.
  window.Session().tab1.SetRow(1);
  window.Session().tab1.SetSelectionEnd(3, 0);
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QApplication::sendEvent(window.Tab1, &copy);
  const QStringList copied = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(copied.size(), 4);
  EXPECT_TRUE(copied[0].startsWith("chain\tresSeq\t"));
  for (const QString& line : copied) EXPECT_EQ(line.split('\t').size(), 15) << line.toStdString();

  // The view opens fitted; a zoom is undone by Home and by the Fit button.
  const QImage fitted = window.corV1->Snapshot();
  QWheelEvent wheel(QPointF(50, 50), window.corV1->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 480),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(window.corV1, &wheel);
  EXPECT_NE(window.corV1->Snapshot(), fitted);
  QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
  QApplication::sendEvent(window.corV1, &home);
  EXPECT_EQ(window.corV1->Snapshot(), fitted);
  QApplication::sendEvent(window.corV1, &wheel);
  static_cast<QAbstractButton*>(window.corV1->FitButton())->click();
  EXPECT_EQ(window.corV1->Snapshot(), fitted);

  // Help: the guide shows the typical session, About the version and the data files.
  window.mnuGuide->trigger();
  QWidget* guide = TopWindow("frmGuide");
  ASSERT_NE(guide, nullptr);
  EXPECT_TRUE(guide->findChild<QPlainTextEdit*>("text")->toPlainText().startsWith("A typical session"));
  SaveSnapshot(guide->grab().toImage(), "guide");
  guide->close();
  window.mnuAbout->trigger();
  QWidget* about = TopWindow("frmAbout");
  ASSERT_NE(about, nullptr);
  const QString aboutText = about->findChild<QPlainTextEdit*>("text")->toPlainText();
  EXPECT_TRUE(aboutText.startsWith("Mirelda 0.")) << aboutText.toStdString();
  for (const char* data : {"spherepack_1.txt", "Tab_cen_2", "Tab_ext_2"}) EXPECT_TRUE(aboutText.contains(data));
  EXPECT_FALSE(aboutText.contains("missing"));
  SaveSnapshot(about->grab().toImage(), "about");
  about->close();

  // The boxes a session shows, in order: only questions about reports.
  std::string told;
  for (const std::string& box : boxes) told += box + "\n";
  for (const std::string& box : boxes) EXPECT_EQ(box.rfind("ask: ", 0), 0u) << told;
  if (name == "1a8o") {
    ASSERT_FALSE(boxes.empty());
    // Its four selenomethionines, left out and named, and the two gaps where they stand.
    EXPECT_EQ(boxes.front(), "ask: 6 problems in 1a8o ! Do you want to see 1a8o_problems for details ?");
  }
  // A new Open, cancelled in the environment dialog, leaves no environment of the previous protein.
  script.On("Environment option", [&](QDialog& dialog) { dialog.reject(); });  // closed unanswered
  script.ForgetAnswered();
  window.mnuOpen->trigger();
  EXPECT_EQ(script.Handled("Environment option"), 2);
  EXPECT_TRUE(window.corV2->File().empty());

  std::cout << "[ session  ] " << param.file << ": " << residues << " residues, " << notInBulk
            << " not in the bulk, assignment " << (notInBulk == 0 ? "offered" : "not offered") << "; boxes:\n"
            << told;
  SetDialogPrompts(previous);
}

INSTANTIATE_TEST_SUITE_P(TestProteins, RealDialogSession,
                         ::testing::Values(SessionCase{"1A8O.pdb", "1a8o"}, SessionCase{"2XHE.pdb", "2xhe"}),
                         [](const ::testing::TestParamInfo<SessionCase>& test) {
                           return std::string(test.param.name);
                         });

}  // namespace
}  // namespace mirelda
