// The rules of the dialogs' number boxes without widgets: key filters as pure functions, the colours a
// box is drawn in, and a text box bound to an up-down in tenths with its cap, default and echo guard.
#pragma once

#include <string>
#include <string_view>

#include "mirelda/workflow/grid_model.h"

namespace mirelda::workflow {

// Colours of the boxes (0x00BBGGRR; values with the top bit set are system colours).
inline constexpr GridColour kSystemWindowText = static_cast<GridColour>(0x80000008u);
inline constexpr GridColour kColourWhite = 0x00FFFFFF;
inline constexpr GridColour kColourRed = 0x000000FF;
inline constexpr GridColour kColourBlue = 0x00FF0000;
// The background of a box whose value is missing at validation.
inline constexpr GridColour kColourMissingValue = 0x0080FFFF;

struct FieldColours {
  GridColour fore = kSystemWindowText;
  GridColour back = kSystemWindowBackground;
  friend bool operator==(const FieldColours&, const FieldColours&) = default;
};
inline constexpr FieldColours kNormalField{};
inline constexpr FieldColours kChangedField{kColourWhite, kColourRed};  // a value other than the default
inline constexpr FieldColours kZeroField{kColourWhite, kColourBlue};    // no relaxation asked

// Key filters take the character code of a typed key and return the code to keep, or kDiscardedKey.
// Backspace (8) and delete (127) always pass.
inline constexpr int kDiscardedKey = 0;
int FilterDecimalKey(int key);  // digits, ',' and '.', a '.' turned into ','
int FilterDigitKey(int key);    // digits
int FilterNameKey(int key);     // ASCII letters and digits

// Rounds to the nearest integer, ties to even (2.5 gives 2, 3.5 gives 4).
int RoundHalfEven(double value);

// An up-down value in tenths as the box shows it: 915 gives "91,5" with a ',' separator, 1000 gives "100".
std::string TenthsText(int tenths, char decimalSeparator);

// A decimal text box bound to an up-down that counts tenths of its value.
class DecimalSpinField {
 public:
  struct Limits {
    double maximum;           // a text whose leading number is above it...
    const char* maximumText;  // ...is replaced by this
    double defaultValue;      // any other value draws the box white on red
    const char* defaultText;
    int spinMinimum;  // the up-down's range, in tenths
    int spinMaximum;
  };

  // Starts with the default text written with the separator of the user's locale (which the up-down
  // writes too), its up-down value and normal colours.
  explicit DecimalSpinField(const Limits& limits, char decimalSeparator = ',');

  // The text changed (typed, pasted or set by the program): caps it, colours the box and moves the
  // up-down to the value in tenths (rounded, ties to even, kept in the up-down's range).
  void SetText(std::string_view text);
  // The user moved the up-down: the text follows, written with the locale's separator. A value equal to
  // the current one (the echo of the program's own update) changes nothing.
  void SetSpinValue(int tenths);
  // The validation found the box empty.
  void MarkMissing() { colours_.back = kColourMissingValue; }

  const std::string& Text() const { return text_; }
  // The default text with the locale's separator ("6,5" or "6.5").
  std::string DefaultText() const;
  int SpinValue() const { return spinValue_; }
  const FieldColours& Colours() const { return colours_; }
  bool Empty() const { return text_.empty(); }
  // The box's number: commas read as points.
  double Value() const;

 private:
  Limits limits_;
  char separator_;
  std::string text_;
  int spinValue_ = 0;
  FieldColours colours_;
  bool busy_ = false;  // set while a text change moves the up-down, so the up-down does not write back
};

}  // namespace mirelda::workflow
