#include "mirelda/workflow/field_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "mirelda/model/decimal_text.h"

using namespace mirelda::model;

namespace mirelda::workflow {
namespace {

constexpr int kBackspaceKey = 8;
constexpr int kDeleteKey = 127;

bool IsEditingKey(int key) { return key == kBackspaceKey || key == kDeleteKey; }
bool IsDigitKey(int key) { return key >= '0' && key <= '9'; }

}  // namespace

int FilterDecimalKey(int key) {
  if (key == '.') return ',';
  return IsDigitKey(key) || key == ',' || IsEditingKey(key) ? key : kDiscardedKey;
}

int FilterDigitKey(int key) { return IsDigitKey(key) || IsEditingKey(key) ? key : kDiscardedKey; }

int FilterNameKey(int key) {
  const bool letter = (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z');
  return letter || IsDigitKey(key) || IsEditingKey(key) ? key : kDiscardedKey;
}

int RoundHalfEven(double value) {
  // Beyond the int range the caller's clamp decides; keep the conversion defined.
  constexpr double kLimit = 2147483647.0;
  return static_cast<int>(std::clamp(std::nearbyint(value), -kLimit, kLimit));
}

std::string TenthsText(int tenths, char decimalSeparator) {
  const long long magnitude = std::llabs(static_cast<long long>(tenths));
  std::string text = tenths < 0 ? "-" : "";
  text += std::to_string(magnitude / 10);
  if (magnitude % 10 != 0) {
    text += decimalSeparator;
    text += static_cast<char>('0' + magnitude % 10);
  }
  return text;
}

DecimalSpinField::DecimalSpinField(const Limits& limits, char decimalSeparator)
    : limits_(limits),
      separator_(decimalSeparator),
      text_(DefaultText()),
      spinValue_(
          std::clamp(RoundHalfEven(limits.defaultValue * 10), limits.spinMinimum, limits.spinMaximum)) {}

std::string DecimalSpinField::DefaultText() const {
  std::string text = limits_.defaultText;
  for (char& c : text)
    if (c == ',' || c == '.') c = separator_;
  return text;
}

double DecimalSpinField::Value() const { return ParseDecimal(text_); }

void DecimalSpinField::SetText(std::string_view text) {
  text_ = text;
  // The cap reads the text as typed, so "15,5" reads 15 and stays.
  if (DecimalPrefixValue(text_) > limits_.maximum) text_ = limits_.maximumText;
  const double value = Value();
  colours_ = value != limits_.defaultValue ? kChangedField : kNormalField;
  busy_ = true;
  spinValue_ = std::clamp(RoundHalfEven(value * 10), limits_.spinMinimum, limits_.spinMaximum);
  busy_ = false;
}

void DecimalSpinField::SetSpinValue(int tenths) {
  tenths = std::clamp(tenths, limits_.spinMinimum, limits_.spinMaximum);
  if (busy_ || tenths == spinValue_) return;
  spinValue_ = tenths;
  SetText(TenthsText(tenths, separator_));
}

}  // namespace mirelda::workflow
