// The relaxation dialog through its widgets: the count box with its cap and up-down, the questions that
// follow it, the validation's message, a run with no relaxation, and a run with a stand-in program.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "mirelda/ui/frm_option_relaxation.h"
#include "mirelda/workflow/pipeline_files.h"
#include "tests/frontend_dialogs/dialog_fixture.h"

using namespace mirelda::workflow;
using namespace mirelda::protocol;
using namespace mirelda::ui;

namespace mirelda {
namespace {

class RelaxationDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.appFolder = app_.Path();
    session_.proteinName = "1abc";
    session_.resultsFolder = app_ / "1abc";
    std::filesystem::create_directory(session_.resultsFolder);
    session_.window.RelaxationDone(std::string("4"), 2);
    dialog_ = std::make_unique<frmOption_Relaxation>(session_, platform_);
    count_ = dialog_->findChild<QLineEdit*>("txtAsk1");
    upDown_ = dialog_->findChild<QSpinBox*>("updAsk1");
    ASSERT_TRUE(count_ && upDown_);
    dialog_->show();
  }
  QString Label(const char* name) const { return dialog_->findChild<QLabel*>(name)->text(); }
  QRadioButton* Option(const char* name) const { return dialog_->findChild<QRadioButton*>(name); }

  testing::ScratchFolder app_;
  FrontEndSession session_;
  testing::FakePlatform platform_{session_};
  testing::CapturedPrompts prompts_;
  std::unique_ptr<frmOption_Relaxation> dialog_;
  QLineEdit* count_ = nullptr;
  QSpinBox* upDown_ = nullptr;
};

TEST_F(RelaxationDialog, TheCountIsCappedAndZeroDisablesTheQuestions) {
  EXPECT_EQ(count_->text(), "9");
  EXPECT_EQ(upDown_->value(), 9);
  EXPECT_EQ(Label("lblAsk4"), "coordinate file for each relaxation ? 1abc_R1 to 1abc_R9");
  count_->clear();
  QTest::keyClicks(count_, "1a,6");  // only digits can be typed; 16 is above the cap
  EXPECT_EQ(count_->text(), "15");
  EXPECT_EQ(upDown_->value(), 15);
  EXPECT_EQ(Label("lblAsk5"), "coordinate file only for the last relaxation ? 1abc_R15");

  upDown_->setValue(0);
  EXPECT_EQ(count_->text(), "0");
  EXPECT_EQ(testing::BaseColour(count_), QColor(0, 0, 255)) << "no relaxation: white on blue";
  EXPECT_EQ(testing::TextColour(count_), QColor(255, 255, 255));
  EXPECT_FALSE(Option("opty4_2")->isEnabled());
  EXPECT_EQ(Label("lblAsk4"), "coordinate file for each relaxation ?");

  testing::Click(dialog_.get(), "cmdValid");
  EXPECT_TRUE(platform_.runs.empty()) << "no relaxation runs nothing";
  EXPECT_FALSE(std::filesystem::exists(app_ / "option.txt"));
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  EXPECT_EQ(session_.window.Labels().notInBulk, "0");
  EXPECT_EQ(session_.window.Labels().relaxations, "4") << "the count of passes shown stays";
  EXPECT_EQ(platform_.refreshes, 1);
}

TEST_F(RelaxationDialog, AnEmptyCountIsRefused) {
  count_->clear();
  testing::Click(dialog_.get(), "cmdValid");
  EXPECT_EQ(prompts_.warnings, std::vector<std::string>{"You must enter a number of relaxation !"});
  EXPECT_EQ(testing::BaseColour(count_), QColor(255, 255, 128));
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_TRUE(platform_.runs.empty());
}

// Run from the modal loop as the main window opens it: the dialog hides itself for the run, whose wait
// runs its own event loop, and the modal loop still ends with the validation's result.
TEST_F(RelaxationDialog, ARunSavesTheLastFileAndAsksAboutTheBulk) {
  bool hiddenDuringRun = false;
  platform_.standIn = [this, &hiddenDuringRun](const ConsoleProgram& program) {
    hiddenDuringRun = !dialog_->isVisible();
    QEventLoop wait;  // as the run protocol's wait does
    QTimer::singleShot(0, &wait, &QEventLoop::quit);
    wait.exec();
    app_.Write("file_02", "relaxed points\r\n");
    app_.Write("1abc/1abc_error", "RELAXATION: 8\r\nK 45 A\r\n");
    app_.Write(program.marker, "");
    ConsoleRunResult result;
    result.outcome = ConsoleRunResult::Outcome::Completed;
    return result;
  };
  prompts_.answers = {true};
  Option("opty4_1")->click();
  Option("opty4_2")->click();
  dialog_->hide();
  QTimer::singleShot(0, dialog_.get(), [this] { testing::Click(dialog_.get(), "cmdValid"); });
  EXPECT_EQ(dialog_->exec(), QDialog::Accepted);
  ASSERT_EQ(platform_.runs, std::vector<std::string>{"relaxation"});
  EXPECT_TRUE(hiddenDuringRun);
  EXPECT_TRUE(platform_.mainWindowHidden.front());
  EXPECT_EQ(app_.Read("option.txt"), "NOM_PROT:1abc\r\nRLX:8\r\nDCUT:16\r\nRCUT:10\r\nERROR\r\n");
  EXPECT_EQ(app_.Read("1abc/1abc_R9"), "relaxed points\r\n");
  EXPECT_EQ(prompts_.questions,
            std::vector<std::string>{
                "1 amino acids are NOT in the bulk ! Do you want to see 1abc_error for details ?"});
  EXPECT_EQ(platform_.textFiles, std::vector<std::filesystem::path>{app_ / "1abc" / "1abc_error"});
  EXPECT_EQ(session_.window.Labels().relaxations, "9");
  EXPECT_EQ(session_.window.Labels().notInBulk, "1");
  EXPECT_FALSE(dialog_->isVisible());
}

// A program that ends without its marker must end the step, not leave the dialog waiting; the platform
// has shown what the program printed, so the dialog adds no second message.
TEST_F(RelaxationDialog, ARunWithoutMarkerEndsTheStepAndChangesNoLabel) {
  platform_.standIn = [](const ConsoleProgram&) {
    ConsoleRunResult result;
    result.outcome = ConsoleRunResult::Outcome::EndedWithoutMarker;
    result.message = "relaxation ended without completing";
    return result;
  };
  testing::Click(dialog_.get(), "cmdValid");
  EXPECT_TRUE(prompts_.warnings.empty());
  EXPECT_EQ(dialog_->result(), QDialog::Rejected);
  EXPECT_EQ(session_.window.Labels().relaxations, "4");
  EXPECT_EQ(platform_.refreshes, 0);
}

}  // namespace
}  // namespace mirelda
