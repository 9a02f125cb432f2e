// A whole session through the main window on a real protein, the console programs run by the window's
// platform in an application folder of the test's own: Open, environment (in a modal dialog, the main
// window hidden meanwhile), tessellation, assignment and Visualization. Stand-ins take the place of the
// option dialogs and do what their validation does. Needs an X display for the 3-D views.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "environment_step.h"
#include "file_list.h"
#include "frm_lecture.h"
#include "grid_view.h"
#include "protein_files.h"
#include "residue_table.h"
#include "residue_table_layout.h"
#include "result_files.h"
#include "run_steps.h"
#include "scratch_folder.h"
#include "test_paths.h"
#include "vrml_view.h"

namespace mirelda {
namespace {

using testing::ScratchFolder;

constexpr const char* kName = "1a8o";

// A program's run through the platform, as a step's runner.
std::function<std::string()> Runner(FrontEndPlatform& platform, const ConsoleProgram& program, bool hide) {
  return [&platform, program, hide] {
    const ConsoleRunResult run = platform.RunConsoleProgram(program, hide);
    return run.Completed() ? std::string() : run.message;
  };
}

// What the environment dialog's validation does, from inside a modal dialog as the real one runs.
void EnvironmentStandIn(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent,
                        bool& hiddenDuringRun, bool& progressShown, int& dialogResult) {
  ProteinReading reading = ReadProteinFile(session.proteinFile);
  ASSERT_TRUE(reading.Succeeded()) << reading.failure;
  ASSERT_EQ(WriteProteinFiles(reading, session.appFolder), "");
  session.residues = std::move(reading.residues);
  FillResidueTable(session.tab1, session.tab2, session.residues);
  QDialog dialog(parent);
  QTimer::singleShot(0, &dialog, [&] {
    EnvironmentRequest request{session.appFolder, kName, "CA", "6.5", "3.5", true, false, 0};
    const EnvironmentOutcome outcome = RunEnvironmentStep(request, session.residues, [&] {
      // Fires inside the run's wait, after the window was hidden.
      QTimer::singleShot(0, parent, [parent, &hiddenDuringRun, &progressShown] {
        hiddenDuringRun = !parent->isVisible();
        for (QWidget* window : QApplication::topLevelWidgets()) {
          if (window->windowTitle() == "orvane") progressShown = window->isVisible();
        }
      });
      return Runner(platform, kEnvironmentProgram, true)();
    });
    EXPECT_EQ(outcome.failure, "");
    session.proteinName = kName;
    session.resultsFolder = ResultsFolderOf(session.appFolder, kName);
    session.withEnvironment = true;
    session.window.EnvironmentDone(outcome.summary);
    platform.LoadSecondView(outcome.secondViewScene);
    platform.Refresh();
    dialog.accept();
  });
  dialogResult = dialog.exec();
}

void TessellationStandIn(FrontEndSession& session, FrontEndPlatform& platform) {
  const TessellationErrors errors = RunTessellationStep(session.appFolder, session.proteinName, true,
                                                        Runner(platform, kTessellationProgram, false));
  ASSERT_EQ(errors.failure, "");
  CellReadOptions options;
  options.environmentOn = true;
  EXPECT_TRUE(
      lecture_C(session.resultsFolder, session.proteinName, session.residues, session.tab1, options).read);
  EXPECT_TRUE(lecture_F(session.resultsFolder, session.proteinName, session.residues).read);
  session.window.TessellationDone(true, errors.notInBulk);
  platform.Refresh();
}

TEST(MainWindowSession, OpenEnvironmentTessellationAssignmentAndVisualization) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') GTEST_SKIP() << "no X display (run under xvfb-run -a)";
  const auto protein = testing::SampleProtein("1A8O.pdb");
  if (!protein) GTEST_SKIP() << "1A8O.pdb is absent: run tools/fetch-samples.sh";
  ScratchFolder app;
  for (const char* name : {"orvane", "brindel", "attribution", "spherepack_1.txt", "Tab_cen_2", "Tab_ext_2"})
    std::filesystem::create_symlink(testing::AppDir() / name, app / name);

  bool hiddenDuringRun = false;
  bool progressShown = false;
  int dialogResult = -1;
  DialogLauncher dialogs;
  dialogs.chooseProteinFile = [&](QWidget*) { return std::optional<std::filesystem::path>(*protein); };
  dialogs.environment = [&](FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent) {
    EnvironmentStandIn(session, platform, parent, hiddenDuringRun, progressShown, dialogResult);
  };
  dialogs.tessellation = [](FrontEndSession& session, FrontEndPlatform& platform, QWidget*) {
    TessellationStandIn(session, platform);
  };
  frmLecture window(dialogs);
  window.Session().appFolder = app.Path();
  // A message box would wait for a click that never comes: note it and close it.
  std::vector<QString> boxes;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxes.push_back(box->text());
      box->reject();
    }
  });
  closer.start(200);
  window.show();

  window.mnuOpen_Click();
  EXPECT_EQ(dialogResult, QDialog::Accepted) << "hiding the main window ended the dialog";
  EXPECT_TRUE(hiddenDuringRun);
  EXPECT_TRUE(progressShown) << "the progress window went with the main window";
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.cmdTessel->isEnabled());
  EXPECT_TRUE(window.cmdRelaxation->isEnabled());
  EXPECT_EQ(window.corV2->File(), app / "environment.wrl");
  EXPECT_GT(window.filFich1->count(), 3);

  window.cmdTessel->click();
  ASSERT_TRUE(window.cmdAttribu->isEnabled()) << "assignment needs every residue in the bulk";
  const std::filesystem::path results = app / kName;
  EXPECT_EQ(window.corV1->File(), results / "premier.wrl");
  EXPECT_TRUE(window.corV1->DisplayOn());
  EXPECT_EQ(window.corV1->Problems(), "");  // its Inline "../trace.wrl" is the application folder's

  // A click on a residue's "+" shows its faces in the face table, sized as the grid says.
  GridView* tab1 = window.Tab1;
  const QRect plus = tab1->visualRect(tab1->model()->index(0, kColumnFaceLink));
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, QPointF(plus.center()), tab1->viewport()->mapToGlobal(QPointF(plus.center())),
                      Qt::LeftButton, type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(tab1->viewport(), &event);
  }
  EXPECT_GT(window.Session().tab2.Rows(), 5);
  QApplication::processEvents();
  EXPECT_EQ(window.Tab2->width(), window.Session().tab2.Width() / 15);

  // A double click on a file of the results folder shows it in a text window.
  const auto files = window.filFich1->findItems("C1a8o", Qt::MatchExactly);
  ASSERT_EQ(files.size(), 1);
  window.filFich1->setCurrentItem(files[0]);
  window.filFich1_DblClick();
  const auto texts = window.findChildren<QPlainTextEdit*>("text");
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts[0]->toPlainText().startsWith(
      QString::fromStdString(testing::ReadFileText(results / "C1a8o")).left(20)));
  texts[0]->window()->close();

  const int columns = window.Session().tab1.Cols();
  window.cmdAttribu->click();
  EXPECT_EQ(window.Session().tab1.Cols(), columns + 1);
  EXPECT_TRUE(std::filesystem::exists(results / "1a8o_resu"));

  window.cmdVisu3D->click();
  EXPECT_EQ(window.corV1->File(), results / "resultat.wrl");
  EXPECT_EQ(window.corV1->Problems(), "");
  QApplication::processEvents();
  const QImage view = window.corV1->Snapshot();
  int lit = 0;
  for (int y = 0; y < view.height(); y += 4)
    for (int x = 0; x < view.width(); x += 4) lit += qGray(view.pixel(x, y)) > 20 ? 1 : 0;
  EXPECT_GT(lit, 20) << "the composed scene drew nothing";
  if (const char* out = std::getenv("MIRELDA_WINDOW_SNAPSHOT")) window.grab().save(out);
  EXPECT_TRUE(boxes.empty()) << "a message box was shown: " << boxes.front().toStdString();
}

}  // namespace
}  // namespace mirelda
