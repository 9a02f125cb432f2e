#include "mirelda/results/table_numbers.h"

#include <string_view>

#include "mirelda/model/scene_numbers.h"

using namespace mirelda::model;

namespace mirelda::results {

std::string TableNumberText(double value, char decimalSeparator) {
  // The signed text of the scene files has the right digits; only its sign blank and the missing "0"
  // before a leading point differ from what a table shows.
  const std::string signedText = SignedText(value);
  std::string_view digits = signedText;
  std::string text;
  if (!digits.empty() && (digits.front() == ' ' || digits.front() == '-')) {
    if (digits.front() == '-') text.push_back('-');
    digits.remove_prefix(1);
  }
  if (!digits.empty() && digits.front() == '.') text.push_back('0');
  text.append(digits);
  for (char& c : text)
    if (c == '.') c = decimalSeparator;
  return text;
}

}  // namespace mirelda::results
