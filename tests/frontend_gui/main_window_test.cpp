// The main window as the user first sees it, and the Open command: the chooser's cancel changes nothing,
// a chosen file disables every command and empties the values before the environment dialog opens.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "mirelda/ui/file_list.h"
#include "mirelda/ui/frm_lecture.h"
#include "mirelda/ui/progress_window.h"
#include "mirelda/ui/progress_note.h"
#include "mirelda/workflow/residue_table.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::workflow;
using namespace mirelda::protocol;
using namespace mirelda::ui;

namespace mirelda {
namespace {

using testing::ScratchFolder;

struct CommandsSeen {
  bool anyEnabled = true;
  bool valuesEmpty = false;
  QString title;
};

CommandsSeen Seen(frmLecture& window) {
  CommandsSeen seen;
  seen.anyEnabled = false;
  for (QPushButton* button :
       {window.cmdRelaxation, window.cmdTessel, window.cmdContact, window.cmdAttribu, window.cmdVisu3D}) {
    seen.anyEnabled = seen.anyEnabled || button->isEnabled();
  }
  seen.valuesEmpty = window.lblPa->text().isEmpty();
  for (QLabel* value : window.dataValues) seen.valuesEmpty = seen.valuesEmpty && value->text().isEmpty();
  seen.title = window.windowTitle();
  return seen;
}

TEST(MainWindow, StartsWithEveryCommandDisabledAndAnEmptyFileList) {
  frmLecture window(DialogLauncher{});
  const std::pair<QPushButton*, const char*> buttons[] = {{window.cmdRelaxation, "Relaxation"},
                                                          {window.cmdTessel, "Tessellation"},
                                                          {window.cmdContact, "Matrix"},
                                                          {window.cmdAttribu, "Assignment"},
                                                          {window.cmdVisu3D, "Visualization"}};
  for (const auto& [button, caption] : buttons) {
    EXPECT_EQ(button->text(), caption);
    EXPECT_FALSE(button->isEnabled()) << caption;
  }
  EXPECT_EQ(window.cmdAttribu->toolTip(), "assignation only with CA and environment");
  EXPECT_EQ(window.mnuOpen->text(), "Open PDB file");
  EXPECT_EQ(window.mnuOpen->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(window.mnuExit->shortcut(), QKeySequence("Ctrl+Q"));
  EXPECT_FALSE(window.filFich1->isEnabled());
  EXPECT_EQ(window.filFich1->count(), 0);
  EXPECT_EQ(window.lblPa->palette().color(QPalette::Window), QColor(255, 255, 192));
  EXPECT_EQ(window.Session().appFolder, DefaultAppFolder());
}

TEST(MainWindow, OpenDisablesTheCommandsAndClearsTheValuesBeforeTheEnvironmentDialog) {
  ScratchFolder folder;
  testing::WriteFileText(folder / "1abc.pdb", "END\n");
  std::filesystem::create_directories(folder / "1abc");
  testing::WriteFileText(folder / "1abc" / "C1abc", "");

  bool cancel = false;
  std::vector<CommandsSeen> atDialog;
  DialogLauncher dialogs;
  dialogs.chooseProteinFile = [&](QWidget*) -> std::optional<std::filesystem::path> {
    if (cancel) return std::nullopt;
    return folder / "1abc.pdb";
  };
  frmLecture* shown = nullptr;
  // Stands for the environment dialog's validation, then a tessellation, so that a second Open has
  // everything enabled to take back.
  dialogs.environment = [&](FrontEndSession& session, FrontEndPlatform& platform, QWidget*) {
    atDialog.push_back(Seen(*shown));
    session.resultsFolder = folder / "1abc";
    session.window.EnvironmentDone({"1abc", (folder / "1abc").string(), "CA", 2, true});
    session.window.TessellationDone(true, 0);
    platform.Refresh();
  };
  frmLecture window(dialogs);
  shown = &window;
  window.Session().appFolder = folder.Path();

  window.mnuOpen_Click();
  ASSERT_EQ(atDialog.size(), 1u);
  EXPECT_FALSE(atDialog[0].anyEnabled);
  EXPECT_EQ(atDialog[0].title, "Mirelda : " + QString::fromStdString((folder / "1abc.pdb").string()));
  EXPECT_EQ(window.Session().proteinFile, folder / "1abc.pdb");
  EXPECT_TRUE(window.cmdTessel->isEnabled());
  EXPECT_TRUE(window.cmdAttribu->isEnabled());
  EXPECT_EQ(window.dataValues[0]->text(), "1abc");
  EXPECT_EQ(window.dataValues[3]->text(), "YES");
  EXPECT_TRUE(window.filFich1->isEnabled());
  ASSERT_EQ(window.filFich1->count(), 1);  // "*.*" shows names without a dot
  EXPECT_EQ(window.filFich1->item(0)->text(), "C1abc");

  // Cancelling the chooser changes nothing.
  cancel = true;
  window.mnuOpen_Click();
  EXPECT_EQ(atDialog.size(), 1u);
  EXPECT_TRUE(window.cmdVisu3D->isEnabled());

  // A second protein takes every command back and empties the values, even those a run had set.
  cancel = false;
  window.mnuOpen_Click();
  ASSERT_EQ(atDialog.size(), 2u);
  EXPECT_FALSE(atDialog[1].anyEnabled);
  EXPECT_TRUE(atDialog[1].valuesEmpty);
}

// A console program that stops early leaves no marker: the wait must end, and the user must be told
// with what the program printed, in a box titled "Warning"; the window takes commands again.
TEST(MainWindow, AProgramEndingWithoutItsMarkerIsToldInAWarning) {
  ScratchFolder app;
  testing::WriteFileText(app / "attribution", "#!/bin/sh\nprintf 'cannot open 1abc/1abc_contact\\n' >&2\n");
  std::filesystem::permissions(app / "attribution", std::filesystem::perms::owner_all);
  frmLecture window(DialogLauncher{});
  window.Session().appFolder = app.Path();
  std::vector<std::pair<QString, QString>> boxes;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxes.emplace_back(box->windowTitle(), box->text());
      box->accept();
    }
  });
  closer.start(20);

  const ConsoleRunResult run = window.RunConsoleProgram(kAttributionProgram, false);
  EXPECT_EQ(run.outcome, ConsoleRunResult::Outcome::EndedWithoutMarker);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, "Warning");
  EXPECT_TRUE(boxes[0].second.contains("cannot open 1abc/1abc_contact")) << boxes[0].second.toStdString();
  EXPECT_TRUE(window.isEnabled());
}

// A program that never ends once kept the main window waiting, hidden, for good: the progress window's
// Cancel stops it, and the user is told.
TEST(MainWindow, CancelInTheProgressWindowStopsAProgramThatNeverEnds) {
  ScratchFolder app;
  testing::WriteFileText(app / "attribution", "#!/bin/sh\nexec sleep 60\n");
  std::filesystem::permissions(app / "attribution", std::filesystem::perms::owner_all);
  frmLecture window(DialogLauncher{});
  window.Session().appFolder = app.Path();
  std::vector<QString> warnings;
  bool cancelled = false;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      warnings.push_back(box->text());
      box->accept();
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* progress = dynamic_cast<ProgressWindow*>(top);
      if (progress != nullptr && progress->isVisible() && !cancelled) {
        cancelled = true;
        progress->CancelButton()->click();
      }
    }
  });
  user.start(50);

  const ConsoleRunResult run = window.RunConsoleProgram(kAttributionProgram, false);
  EXPECT_EQ(run.outcome, ConsoleRunResult::Outcome::Stopped);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(warnings[0].contains("attribution was stopped by the user")) << warnings[0].toStdString();
  EXPECT_TRUE(window.isEnabled());
}

// A long step says what it does once it has lasted a moment; a quick one shows nothing.
TEST(ProgressNote, AppearsOnlyAfterItsDelayAndGoesWithTheStep) {
  QWidget owner;
  QPointer<QWidget> shown;
  {
    ProgressNote quick("Reading the protein", &owner, 60'000);
    quick.Step("5000 lines");
    EXPECT_FALSE(quick.Window()->isVisible());
    ProgressNote slow("Filling the tables", &owner, 0);
    slow.Step("10000 lines");
    shown = slow.Window();
    ASSERT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->findChild<QLabel*>("lblStep")->text(), "Filling the tables");
    EXPECT_EQ(shown->findChild<QLabel*>("lblDetail")->text(), "10000 lines");
  }
  EXPECT_TRUE(shown.isNull()) << "the note outlived its step";
}

}  // namespace
}  // namespace mirelda
