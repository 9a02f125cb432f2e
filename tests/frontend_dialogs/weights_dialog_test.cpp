// The weights and tessellation dialogs through their widgets: typed keys, the 1000 cap, the colour rule,
// the up-down's echo, and the validation's messages.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "mirelda/model/residue_types.h"
#include "mirelda/ui/field_widgets.h"
#include "mirelda/ui/frm_option_tessel.h"
#include "mirelda/ui/frm_poids.h"
#include "tests/frontend_dialogs/dialog_fixture.h"
#include "tests/frontend_workflow/saved_weights.h"

using namespace mirelda::model;
using namespace mirelda::protocol;
using namespace mirelda::ui;

namespace mirelda {
namespace {

using testing::BaseColour;
using testing::TextColour;

const QColor kRed(255, 0, 0), kWhite(255, 255, 255), kMissingYellow(255, 255, 128);

class WeightsDialog : public ::testing::Test {
 protected:
  FrontEndSession session_;
  testing::FakePlatform platform_{session_};
  testing::CapturedPrompts prompts_;
  testing::SavedWeights savedWeights_;
  frmPoids dialog_{session_, platform_};
};

TEST_F(WeightsDialog, TypedKeysAreFilteredAndCapped) {
  QLineEdit* ala = dialog_.WeightBox(0);
  EXPECT_EQ(ala->text(), "91,5");
  EXPECT_EQ(dialog_.WeightUpDown(0)->value(), 915);
  const QColor normalBase = BaseColour(ala);

  ala->clear();
  QTest::keyClicks(ala, "9x7.-5");  // letters and signs are dropped, the point becomes a comma
  EXPECT_EQ(ala->text(), "97,5");
  EXPECT_EQ(dialog_.WeightUpDown(0)->value(), 975);
  EXPECT_EQ(BaseColour(ala), kRed) << "a value other than the default is white on red";
  EXPECT_EQ(TextColour(ala), kWhite);

  ala->clear();
  QTest::keyClicks(ala, "1500");
  EXPECT_EQ(ala->text(), "1000");
  EXPECT_EQ(dialog_.WeightUpDown(0)->value(), 10000);

  ala->selectAll();
  QTest::keyClicks(ala, "91.5");
  EXPECT_EQ(BaseColour(ala), normalBase) << "the default value is drawn in the normal colours";
}

// The up-down writes the text, whose change moves the up-down back: one text change, no loop.
TEST_F(WeightsDialog, TheUpDownWritesTheTextOnce) {
  QLineEdit* his = dialog_.WeightBox(6);
  QSignalSpy changes(his, &QLineEdit::textChanged);
  dialog_.WeightUpDown(6)->setValue(1234);
  EXPECT_EQ(his->text(), "123,4") << "the locale's separator";
  EXPECT_EQ(changes.count(), 1);
  dialog_.WeightUpDown(6)->stepBy(6);
  EXPECT_EQ(his->text(), "124");
  EXPECT_EQ(changes.count(), 2);
}

TEST_F(WeightsDialog, TwoEmptyBoxesGiveTwoMessagesAndTheOthersAreStored) {
  dialog_.show();
  dialog_.WeightBox(0)->clear();
  dialog_.WeightBox(5)->clear();
  dialog_.WeightBox(1)->setText("100,5");
  testing::Click(&dialog_, "cmdValid");
  EXPECT_EQ(prompts_.warnings, (std::vector<std::string>{"You must enter a value for the ALA weight",
                                                         "You must enter a value for the GLY weight"}));
  EXPECT_TRUE(dialog_.isVisible()) << "the dialog stays open";
  EXPECT_EQ(BaseColour(dialog_.WeightBox(0)), kMissingYellow);
  EXPECT_EQ(BaseColour(dialog_.WeightBox(5)), kMissingYellow);
  EXPECT_DOUBLE_EQ(ResidueTypeByLetter("C")->POIDS, 100.5);

  testing::Click(&dialog_, "cmdInitialisation");
  EXPECT_EQ(dialog_.WeightBox(0)->text(), "91,5");
  testing::Click(&dialog_, "cmdValid");
  EXPECT_EQ(prompts_.warnings.size(), 2u);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_DOUBLE_EQ(ResidueTypeByLetter("C")->POIDS, 114.4);
}

TEST(TessellationDialog, TheWeightsButtonFollowsTheAnswer) {
  FrontEndSession session;
  testing::FakePlatform platform(session);
  frmOption_Tessel dialog(session, platform);
  auto* weights = dialog.findChild<QPushButton*>("cmdPoids");
  auto* yes = dialog.findChild<QRadioButton*>("opty3");
  ASSERT_TRUE(weights && yes);
  EXPECT_TRUE(dialog.findChild<QRadioButton*>("optn3")->isChecked());
  EXPECT_FALSE(weights->isEnabled());
  yes->click();
  EXPECT_TRUE(weights->isEnabled());
  testing::Click(&dialog, "cmdInitialisation");
  EXPECT_FALSE(weights->isEnabled());
  EXPECT_FALSE(yes->isChecked());
}

}  // namespace
}  // namespace mirelda
