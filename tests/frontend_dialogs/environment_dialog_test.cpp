// The environment dialog through its widgets (the reading of the protein, the typed keys, the caps, the
// validation's messages) and the environment and tessellation steps run for real on a sample protein.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "mirelda/ui/frm_option_envir.h"
#include "mirelda/ui/frm_option_tessel.h"
#include "tests/frontend_model/protein_text.h"
#include "tests/frontend_dialogs/dialog_fixture.h"
#include "tests/support/test_paths.h"

using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::protocol;
using namespace mirelda::ui;

namespace mirelda {
namespace {

using testing::BaseColour;

const QColor kMissingYellow(255, 255, 128);


class EnvironmentDialog : public ::testing::Test {
 protected:
  void SetUp() override { session_.appFolder = app_.Path(); }

  template <typename Widget>
  Widget* Find(QWidget* dialog, const char* name) {
    auto* widget = dialog->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Opens the dialog on the protein, types the name, keeps the environment and validates.
  std::unique_ptr<frmOption_envir> ValidateWithEnvironment(const std::filesystem::path& protein) {
    session_.proteinFile = protein;
    auto dialog = std::make_unique<frmOption_envir>(session_, platform_);
    dialog->show();
    QTest::keyClicks(Find<QLineEdit>(dialog.get(), "txtAsk0"), "1a8o");
    QLineEdit* radius = Find<QLineEdit>(dialog.get(), "txtAsk3");
    radius->selectAll();
    QTest::keyClicks(radius, "7.5");
    Find<QRadioButton>(dialog.get(), "optYes1")->click();
    testing::Click(dialog.get(), "cmdValid");
    return dialog;
  }

  testing::ScratchApp app_;
  FrontEndSession session_;
  testing::FakePlatform platform_{session_};
  testing::CapturedPrompts prompts_;
};

TEST_F(EnvironmentDialog, TypedValuesAndTheValidationMessages) {
  app_.Folder().Write("two.pdb", testing::kTwoResidues);
  session_.proteinFile = app_ / "two.pdb";
  frmOption_envir dialog(session_, platform_);
  ASSERT_TRUE(dialog.ProteinRead()) << (prompts_.warnings.empty() ? "" : prompts_.warnings.front());
  dialog.show();
  EXPECT_EQ(session_.residues.ResidueCount(), 2);
  EXPECT_EQ(session_.tab1.Rows(), 3) << "a header row and one row per residue";
  auto* point = Find<QComboBox>(&dialog, "cboDef_point");
  EXPECT_EQ(point->count(), 5);
  EXPECT_EQ(point->currentText(), "CA");

  auto* name = Find<QLineEdit>(&dialog, "txtAsk0");
  auto* radius = Find<QLineEdit>(&dialog, "txtAsk3");
  QTest::keyClicks(name, "1a-8");  // letters and digits only
  EXPECT_EQ(name->text(), "1a8");
  radius->clear();
  testing::Click(&dialog, "cmdValid");
  EXPECT_EQ(prompts_.warnings,
            (std::vector<std::string>{"You must enter a value for the radius",
                                      "You must enter a name (4 characters) for the output files"}));
  EXPECT_EQ(BaseColour(radius), kMissingYellow);
  EXPECT_EQ(BaseColour(name), kMissingYellow);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(platform_.runs.empty());
  EXPECT_FALSE(std::filesystem::exists(app_ / "file_00"));

  QTest::keyClicks(radius, "16");
  EXPECT_EQ(radius->text(), "15");
  radius->clear();
  QTest::keyClicks(radius, "15.5");
  EXPECT_EQ(radius->text(), "15,5") << "the number before the comma is not above the cap";
  EXPECT_EQ(Find<QSpinBox>(&dialog, "updAsk3")->value(), 150) << "the up-down stops at its maximum";
  Find<QSpinBox>(&dialog, "updAsk5")->stepBy(-5);
  EXPECT_EQ(Find<QLineEdit>(&dialog, "txtAsk5")->text(), "3");

  QTest::keyClicks(name, "o");
  EXPECT_NE(BaseColour(name), kMissingYellow) << "a change gives the name its normal background";
  EXPECT_EQ(Find<QLabel>(&dialog, "lblAsk6")->text(), "coordinate file ? 1a8o_envir0");
  Find<QRadioButton>(&dialog, "optSans")->click();
  EXPECT_FALSE(radius->isEnabled());
  testing::Click(&dialog, "cmdInitialisation");
  EXPECT_TRUE(radius->isEnabled());
  EXPECT_EQ(radius->text(), "6,5");
  EXPECT_EQ(name->text(), "");
}

// The reading happens before the dialog is shown: a file that cannot be read must not open a dialog
// whose validation would work on nothing.
TEST_F(EnvironmentDialog, AnUnreadableProteinIsToldAndTheDialogDoesNotOpen) {
  session_.proteinFile = app_ / "missing.pdb";
  frmOption_envir dialog(session_, platform_);
  EXPECT_FALSE(dialog.ProteinRead());
  ASSERT_EQ(prompts_.warnings.size(), 1u);
  EXPECT_NE(prompts_.warnings.front().find("missing.pdb"), std::string::npos) << prompts_.warnings.front();
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(session_.residues.ResidueCount(), 0);
}

TEST_F(EnvironmentDialog, EnvironmentAndTessellationOf1A8O) {
  const auto protein = testing::TestProtein("1A8O.pdb");
  if (!protein) return;
  if (!testing::RequireInput(app_ / "orvane", "the build makes it") ||
      !testing::RequireInput(app_ / "brindel", "the build makes it"))
    return;

  const auto environment = ValidateWithEnvironment(*protein);
  ASSERT_EQ(platform_.runs, std::vector<std::string>{"orvane"})
      << ::testing::PrintToString(prompts_.warnings);
  EXPECT_TRUE(platform_.mainWindowHidden.front());
  EXPECT_EQ(environment->result(), QDialog::Accepted);
  const testing::ScratchFolder& app = app_.Folder();
  EXPECT_EQ(app.Read("file_00").substr(0, 17), "DEF RSPHERE 7.5\r\n") << "files get the point";
  const std::string file02 = app.Read("file_02");
  EXPECT_EQ(file02, app.Read("file_01"));
  EXPECT_NE(file02.find(" XXX &"), std::string::npos) << "environment points follow the protein";
  EXPECT_EQ(app.Read("1a8o/1a8o_envir0"), file02);
  for (const char* scene : {"prot.wrl", "view.wrl", "trace.wrl", "label.wrl", "environment.wrl"})
    EXPECT_TRUE(app.Exists(std::string("1a8o/") + scene)) << scene;
  EXPECT_EQ(platform_.secondViews, std::vector<std::filesystem::path>{app_ / "environment.wrl"});
  EXPECT_EQ(session_.proteinName, "1a8o");
  EXPECT_EQ(session_.resultsFolder, app_ / "1a8o");
  const DataLabels& labels = session_.window.Labels();
  EXPECT_EQ(labels.name, "1a8o");
  EXPECT_EQ(labels.points, "CA");
  EXPECT_EQ(labels.environment, "YES");
  EXPECT_EQ(labels.aminoAcids, std::to_string(session_.residues.ResidueCount()));
  EXPECT_TRUE(session_.window.Commands().tessellation);
  EXPECT_TRUE(session_.window.Commands().relaxation);
  EXPECT_EQ(prompts_.questions.size(), session_.problemCount > 0 ? 1u : 0u);
  EXPECT_TRUE(platform_.textFiles.empty()) << "the problem report is shown only on Yes";

  frmOption_Tessel tessellation(session_, platform_);
  tessellation.show();
  testing::Click(&tessellation, "cmdValid");
  ASSERT_EQ(platform_.runs.back(), "brindel") << ::testing::PrintToString(prompts_.warnings);
  EXPECT_FALSE(platform_.mainWindowHidden.back());
  EXPECT_EQ(tessellation.result(), QDialog::Accepted) << ::testing::PrintToString(prompts_.warnings);
  EXPECT_EQ(labels.ponderation, "NO");
  EXPECT_TRUE(session_.window.Commands().matrix);
  EXPECT_EQ(session_.window.Commands().assignment, labels.notInBulk == "0");
  EXPECT_GT(session_.tab1.Cols(), 3) << "the residue table holds the cell results";
  EXPECT_EQ(tessellation.MainViewScene(), app_ / "1a8o" / "premier.wrl");
  EXPECT_TRUE(std::filesystem::exists(tessellation.MainViewScene()));
}

}  // namespace
}  // namespace mirelda
