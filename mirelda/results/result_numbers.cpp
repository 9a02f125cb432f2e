#include "mirelda/results/result_numbers.h"

#include <cmath>
#include <limits>

#include "mirelda/model/decimal_text.h"

using namespace mirelda::model;

namespace mirelda::results {

double LeadingNumber(std::string_view field) { return DecimalPrefixValue(field); }

std::optional<std::int16_t> RoundToInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double rounded = std::floor(value + 0.5);
  if (rounded - value == 0.5 && std::fmod(rounded, 2.0) != 0.0) rounded -= 1.0;  // a tie goes to even
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

}  // namespace mirelda::results
