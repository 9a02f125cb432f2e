// The number boxes of the dialogs: what can be typed, the caps, the colours against the default and the
// up-down kept in step with the text without feeding back.
#include "mirelda/workflow/field_rules.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/weights_dialog.h"

using namespace mirelda::workflow;

namespace mirelda {
namespace {

TEST(KeyFilters, DecimalBoxesTakeDigitsAndSeparatorsAndTurnAPointIntoAComma) {
  EXPECT_EQ(FilterDecimalKey('.'), ',');
  EXPECT_EQ(FilterDecimalKey(','), ',');
  EXPECT_EQ(FilterDecimalKey('7'), '7');
  EXPECT_EQ(FilterDecimalKey(8), 8);
  EXPECT_EQ(FilterDecimalKey(127), 127);
  for (int key : std::initializer_list<int>{'a', '-', '+', ' ', 'e', 13})
    EXPECT_EQ(FilterDecimalKey(key), kDiscardedKey) << key;
}

TEST(KeyFilters, CountAndNameBoxes) {
  EXPECT_EQ(FilterDigitKey('0'), '0');
  EXPECT_EQ(FilterDigitKey(8), 8);
  for (int key : {',', '.', 'a', '-'}) EXPECT_EQ(FilterDigitKey(key), kDiscardedKey) << key;
  for (int key : std::initializer_list<int>{'A', 'z', '9', 8, 127}) EXPECT_EQ(FilterNameKey(key), key) << key;
  for (int key : std::initializer_list<int>{'_', '-', '.', '/', ' ', 0xE9})
    EXPECT_EQ(FilterNameKey(key), kDiscardedKey) << key;
}

TEST(FieldRules, RoundingAndTenthsText) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(TenthsText(915, ','), "91,5");
  EXPECT_EQ(TenthsText(915, '.'), "91.5");
  EXPECT_EQ(TenthsText(1000, ','), "100");
  EXPECT_EQ(TenthsText(5, ','), "0,5");
  EXPECT_EQ(TenthsText(0, ','), "0");
}

DecimalSpinField AlanineWeight() {
  return DecimalSpinField({kMaxWeight, "1000", 91.5, "91,5", 0, kMaxWeightTenths});
}

TEST(DecimalSpinField, StartsAtItsDefault) {
  const DecimalSpinField box = AlanineWeight();
  EXPECT_EQ(box.Text(), "91,5");
  EXPECT_EQ(box.SpinValue(), 915);
  EXPECT_EQ(box.Colours(), kNormalField);
}

TEST(DecimalSpinField, ShowsItsDefaultWithTheLocalesSeparatorAndReadsEither) {
  DecimalSpinField box({kMaxWeight, "1000", 91.5, "91,5", 0, kMaxWeightTenths}, '.');
  EXPECT_EQ(box.Text(), "91.5");
  EXPECT_EQ(box.DefaultText(), "91.5");
  EXPECT_EQ(box.Colours(), kNormalField);
  box.SetText("91,5");
  EXPECT_EQ(box.Colours(), kNormalField);
  EXPECT_EQ(box.SpinValue(), 915);
}

TEST(DecimalSpinField, AWeightAbove1000IsCappedAndTheUpDownFollows) {
  DecimalSpinField box = AlanineWeight();
  box.SetText("1500");
  EXPECT_EQ(box.Text(), "1000");
  EXPECT_EQ(box.SpinValue(), 10000);
  EXPECT_EQ(box.Colours(), kChangedField);
}

TEST(DecimalSpinField, OnlyAValueOtherThanTheDefaultIsDrawnWhiteOnRed) {
  DecimalSpinField box = AlanineWeight();
  box.SetText("91,6");
  EXPECT_EQ(box.Colours().fore, 0x00FFFFFF);
  EXPECT_EQ(box.Colours().back, 0x000000FF);
  box.SetText("91.5");  // pasted with a point: the same value
  EXPECT_EQ(box.Colours(), kNormalField);
  box.SetText("");
  EXPECT_EQ(box.Colours(), kChangedField) << "an empty box reads 0";
  EXPECT_EQ(box.SpinValue(), 0);
}

TEST(DecimalSpinField, TheUpDownWritesTheTextButNotItsOwnEcho) {
  DecimalSpinField box = AlanineWeight();
  box.SetSpinValue(916);
  EXPECT_EQ(box.Text(), "91,6");
  EXPECT_EQ(box.Colours(), kChangedField);
  // 91,55 rounds to 916 tenths (ties to even); the up-down's echo of that value must keep the typed text.
  box.SetText("91,55");
  EXPECT_EQ(box.SpinValue(), 916);
  box.SetSpinValue(916);
  EXPECT_EQ(box.Text(), "91,55");

  DecimalSpinField pointLocale({kMaxWeight, "1000", 91.5, "91,5", 0, kMaxWeightTenths}, '.');
  pointLocale.SetSpinValue(1000);
  EXPECT_EQ(pointLocale.Text(), "100");
  pointLocale.SetSpinValue(1001);
  EXPECT_EQ(pointLocale.Text(), "100.1");
}

TEST(DecimalSpinField, RadiusCapReadsTheTextAsTyped) {
  DecimalSpinField radius(kRadiusLimits);
  radius.SetText("16");
  EXPECT_EQ(radius.Text(), "15");
  EXPECT_EQ(radius.SpinValue(), 150);
  radius.SetText("15,5");  // reads 15 before the comma: not above the cap
  EXPECT_EQ(radius.Text(), "15,5");
  EXPECT_DOUBLE_EQ(radius.Value(), 15.5);
  EXPECT_EQ(radius.SpinValue(), 150) << "the up-down stays in its range";
  radius.SetText("6,5");
  EXPECT_EQ(radius.Colours(), kNormalField);
  DecimalSpinField thickness(kThicknessLimits);
  thickness.SetText("11");
  EXPECT_EQ(thickness.Text(), "10");
  thickness.SetText("3.5");
  EXPECT_EQ(thickness.Colours(), kNormalField);
  EXPECT_EQ(thickness.SpinValue(), 35);
}

}  // namespace
}  // namespace mirelda
