#include "brindel/power_weight.h"

#include <cmath>

#include "brindel/exchange/residue_codes.h"
#include "brindel/tessellation_limits.h"

using namespace mirelda::exchange;

namespace mirelda::tessellation {

bool IsUnusableWeight(double weight) { return !(weight >= 0 && weight <= LargestWeight); }

double PowerWeight(double weight) {
  const double usable = IsUnusableWeight(weight) ? 0.0 : weight;
  return PowerScale * std::pow(usable, PowerExponent) - PowerOffset;
}

std::vector<double> PowerWeights(const std::vector<PointRecord>& points, const WeightTable& weights) {
  std::vector<double> powers;
  powers.reserve(points.size());
  for (const PointRecord& point : points)
    powers.push_back(PowerWeight(weights[LetterPosition(point.letter)]));
  return powers;
}

}  // namespace mirelda::tessellation
