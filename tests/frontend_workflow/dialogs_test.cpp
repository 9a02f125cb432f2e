// The dialogs' states: the environment, relaxation and weights validations give their messages in
// order and store only what they should.
#include <gtest/gtest.h>

#include <array>

#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/relaxation_dialog.h"
#include "mirelda/workflow/weights_dialog.h"
#include "tests/frontend_workflow/saved_weights.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda {
namespace {

TEST(EnvironmentDialog, ThreeEmptyFieldsGiveThreeMessagesInOrder) {
  EnvironmentDialogState dialog;
  dialog.Radius().SetText("");
  dialog.Thickness().SetText("");
  const std::vector<FieldMessage> messages = dialog.Validate();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].field, EnvironmentField::Radius);
  EXPECT_EQ(messages[0].text, "You must enter a value for the radius");
  EXPECT_EQ(messages[1].field, EnvironmentField::Thickness);
  EXPECT_EQ(messages[1].text, "You must enter a value for the thickness");
  EXPECT_EQ(messages[2].field, EnvironmentField::Name);
  EXPECT_EQ(messages[2].text, "You must enter a name (4 characters) for the output files");
  EXPECT_EQ(dialog.Radius().Colours().back, kColourMissingValue);
  EXPECT_EQ(dialog.Thickness().Colours().back, kColourMissingValue);
  EXPECT_EQ(dialog.NameBackground(), kColourMissingValue);
  dialog.SetName("1a");
  EXPECT_EQ(dialog.NameBackground(), kSystemWindowBackground) << "typing clears the mark";
}

TEST(EnvironmentDialog, OnlyFourLettersOrDigitsNameTheResults) {
  for (const char* name : {"abc", "abcde", "", "1a/b", "../x", "a b1"}) {
    EnvironmentDialogState dialog;
    dialog.SetName(name);
    EXPECT_EQ(dialog.Validate().size(), 1u) << '"' << name << '"';
  }
  EnvironmentDialogState dialog;
  dialog.SetName("1abc");
  EXPECT_TRUE(dialog.Validate().empty());
}

TEST(EnvironmentDialog, CopyQuestionAndEnvironmentControls) {
  EnvironmentDialogState dialog;
  dialog.SetName("1abc");
  EXPECT_EQ(dialog.CopyQuestion(), "coordinate file ? 1abc_envir0");
  dialog.SetName("");
  EXPECT_EQ(dialog.CopyQuestion(), "coordinate file ?");
  dialog.ChooseEnvironment(false);
  EXPECT_FALSE(dialog.EnvironmentControlsEnabled());
  dialog.SetName("2xyz");
  EXPECT_EQ(dialog.CopyQuestion(), "coordinate file ?") << "without environment the question is not rebuilt";
  dialog.ChooseKeepCopy(true);
  dialog.SetPointChoice("CB");
  dialog.Radius().SetText("7,5");
  dialog.Initialise();
  EXPECT_TRUE(dialog.WithEnvironment());
  EXPECT_TRUE(dialog.EnvironmentControlsEnabled());
  EXPECT_FALSE(dialog.KeepCopy());
  EXPECT_EQ(dialog.PointChoice(), "CA");
  EXPECT_EQ(dialog.Name(), "");
  EXPECT_EQ(dialog.Radius().Text(), "6,5");
  EXPECT_EQ(dialog.Thickness().Text(), "3,5");
}

TEST(EnvironmentDialog, PointChoices) {
  EXPECT_EQ(PointChoices(true), std::vector<std::string>{"C alpha"});
  EXPECT_EQ(PointChoices(false), (std::vector<std::string>{"CA", "CB", "CG1", "CG2", "CG3"}));
  EXPECT_EQ(AtomChoiceOf("C alpha"), 0);
  EXPECT_EQ(AtomChoiceOf("CG3"), 4);
  DEF_AA residue;
  residue.SetCA({1, 0, 0});
  residue.SetCB({2, 0, 0});
  residue.SetCG({3, 0, 0});
  residue.SetCG1({4, 0, 0});
  residue.SetCG2({5, 0, 0});
  for (int choice = 0; choice < 5; ++choice) EXPECT_EQ(ChosenPoint(residue, choice)[0], choice + 1);
}

TEST(RelaxationDialog, LabelsNameTheCoordinateFiles) {
  RelaxationDialogState dialog("1abc");
  EXPECT_EQ(dialog.EachFileQuestion(), "coordinate file for each relaxation ? 1abc_R1 to 1abc_R9");
  EXPECT_EQ(dialog.LastFileQuestion(), "coordinate file only for the last relaxation ? 1abc_R9");
  dialog.SetCountText("16");
  EXPECT_EQ(dialog.CountText(), "15");
  EXPECT_EQ(dialog.SpinValue(), 15);
  EXPECT_EQ(dialog.LastFileQuestion(), "coordinate file only for the last relaxation ? 1abc_R15");
}

TEST(RelaxationDialog, ZeroRelaxationsDisablesTheQuestions) {
  RelaxationDialogState dialog("1abc");
  dialog.SetCountText("0");
  EXPECT_FALSE(dialog.QuestionsEnabled());
  EXPECT_EQ(dialog.Colours(), kZeroField);
  EXPECT_EQ(dialog.Colours().back, 0x00FF0000);
  EXPECT_EQ(dialog.EachFileQuestion(), "coordinate file for each relaxation ?");
  EXPECT_EQ(dialog.LastFileQuestion(), "coordinate file only for the last relaxation ?");
  dialog.SetSpinValue(3);
  EXPECT_EQ(dialog.CountText(), "3");
  EXPECT_TRUE(dialog.QuestionsEnabled());
  EXPECT_EQ(dialog.Colours(), kNormalField);
  const auto request = dialog.Validate();
  ASSERT_TRUE(request);
  EXPECT_EQ(request->passes, 3);
  dialog.SetCountText("0");
  ASSERT_TRUE(dialog.Validate());
  EXPECT_EQ(dialog.Validate()->passes, 0);
}

TEST(RelaxationDialog, EmptyCountBlocksTheValidation) {
  RelaxationDialogState dialog("1abc");
  dialog.SetCountText("");
  EXPECT_FALSE(dialog.Validate());
  EXPECT_EQ(dialog.Colours().back, kColourMissingValue);
  EXPECT_STREQ(RelaxationDialogState::kMissingCountMessage, "You must enter a number of relaxation !");
}

TEST(RelaxationDialog, AnswersAndInitialisation) {
  RelaxationDialogState dialog("1abc");
  dialog.Answer(kEachFileQuestion, true);
  dialog.Answer(kStopOnErrorQuestion, true);
  const auto request = dialog.Validate();
  ASSERT_TRUE(request);
  EXPECT_TRUE(request->eachFile);
  EXPECT_FALSE(request->lastFile);
  EXPECT_TRUE(request->stopOnError);
  EXPECT_EQ(request->passes, 9);
  EXPECT_EQ(request->countText, "9");
  dialog.SetCountText("4");
  dialog.Initialise();
  EXPECT_EQ(dialog.CountText(), "9");
  EXPECT_FALSE(dialog.Answered(kEachFileQuestion));
  EXPECT_FALSE(dialog.Answered(kStopOnErrorQuestion));
}

// The weights live in the process-wide residue-type table: each test puts the defaults back.
class WeightsDialog : public ::testing::Test {
  testing::SavedWeights saved_;
};

TEST_F(WeightsDialog, TwoEmptyBoxesGiveTwoMessagesAndTheOtherWeightsAreStored) {
  WeightsDialogState dialog;
  dialog.Box(0).SetText("");       // ALA
  dialog.Box(20).SetText("");      // XXX
  dialog.Box(1).SetText("120,5");  // CYS
  const std::vector<WeightMessage> messages = dialog.Validate();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].row, 0);
  EXPECT_EQ(messages[0].text, "You must enter a value for the ALA weight");
  EXPECT_EQ(messages[1].row, 20);
  EXPECT_EQ(messages[1].text, "You must enter a value for the XXX weight");
  EXPECT_EQ(dialog.Box(0).Colours().back, kColourMissingValue);
  EXPECT_DOUBLE_EQ(ResidueTypeByLetter("C")->POIDS, 120.5);
  EXPECT_DOUBLE_EQ(ResidueTypeByLetter("A")->POIDS, 91.5) << "an empty box keeps the stored weight";
}

TEST_F(WeightsDialog, RowsFollowTheirLabelsNotTheTablePositions) {
  // The dialog lists XXX last while the table holds it at position 18: weights go by name.
  WeightsDialogState dialog;
  dialog.Box(17).SetText("140");  // VAL
  dialog.Box(20).SetText("150");  // XXX
  EXPECT_TRUE(dialog.Validate().empty());
  EXPECT_DOUBLE_EQ(ResidueTypeByLetter("V")->POIDS, 140.0);
  EXPECT_DOUBLE_EQ(ResidueTypeByLetter("U")->POIDS, 150.0);
  EXPECT_EQ(WeightRows()[20].tooltip, std::string("ENVIRONMENT"));
}

TEST_F(WeightsDialog, InitialisationRestoresEveryDefault) {
  WeightsDialogState dialog;
  dialog.Box(5).SetText("1500");
  dialog.Initialise();
  for (int row = 0; row < kWeightRows; ++row) {
    EXPECT_EQ(dialog.Box(row).Text(), WeightRows()[static_cast<std::size_t>(row)].defaultText);
    EXPECT_EQ(dialog.Box(row).Colours(), kNormalField);
  }
  EXPECT_EQ(dialog.Box(20).SpinValue(), 1438);
}

TEST(TessellationOptions, TheWeightsButtonFollowsTheAnswer) {
  TessellationOptionsState options;
  EXPECT_FALSE(options.Weighted());
  EXPECT_FALSE(options.WeightsButtonEnabled());
  options.ChooseWeighted(true);
  EXPECT_TRUE(options.WeightsButtonEnabled());
  options.Initialise();
  EXPECT_FALSE(options.Weighted());
}

}  // namespace
}  // namespace mirelda
