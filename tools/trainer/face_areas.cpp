#include "tools/trainer/face_areas.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <set>
#include <utility>

#include "brindel/exchange/decimal_reading.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda::trainer {
namespace {

constexpr char kEnvironmentChain = '&';

int LetterPosition(char letter) {
  const std::size_t position = ContactLetters.find(letter);
  return position == std::string_view::npos ? -1 : static_cast<int>(position);
}

double Statistic(std::vector<double> values, AreaStatistic statistic) {
  if (values.empty()) return 0;
  if (statistic == AreaStatistic::Median) return Median(std::move(values));
  return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

}  // namespace

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const std::size_t middle = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle), values.end());
  const double upper = values[middle];
  if (values.size() % 2 == 1) return upper;
  const double lower =
      *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
  return (lower + upper) / 2;
}

int AreaSamples::PairIndex(int a, int b) {
  if (a > b) std::swap(a, b);
  return a * ContactLetterCount + b;
}

void AreaSamples::AddTessellation(const std::vector<CellLine>& cells, const std::vector<FaceLine>& faces) {
  // Pairs keyed by chain and the two residue numbers, lower first.
  using PairKey = std::pair<char, std::pair<int, int>>;
  std::set<PairKey> seen;
  for (const FaceLine& face : faces) {
    if (face.neighbourChain == kEnvironmentChain || face.chain != face.neighbourChain) continue;
    const int separation = std::abs(face.residueNumber - face.neighbourResidueNumber);
    if (separation < FirstAreaSeparation || separation > LastAreaSeparation) continue;
    const int a = LetterPosition(face.letter), b = LetterPosition(face.neighbourLetter);
    if (a < 0 || b < 0) continue;
    const PairKey key{face.chain, std::minmax(face.residueNumber, face.neighbourResidueNumber)};
    if (!seen.insert(key).second) continue;
    samples_[static_cast<std::size_t>(separation - FirstAreaSeparation)]
            [static_cast<std::size_t>(PairIndex(a, b))]
                .areas.push_back(face.area);
  }
  // Pairs of cells at a separation that share no face. Residue numbers repeated in a chain are taken once.
  std::map<std::pair<char, int>, int> letterAt;
  for (const CellLine& cell : cells) {
    if (cell.chain == kEnvironmentChain) continue;
    letterAt.emplace(std::make_pair(cell.chain, cell.residueNumber), LetterPosition(cell.letter));
  }
  for (const auto& [where, a] : letterAt) {
    for (int separation = FirstAreaSeparation; separation <= LastAreaSeparation; ++separation) {
      const auto other = letterAt.find({where.first, where.second + separation});
      if (other == letterAt.end() || a < 0 || other->second < 0) continue;
      if (seen.count({where.first, {where.second, where.second + separation}})) continue;
      ++samples_[static_cast<std::size_t>(separation - FirstAreaSeparation)]
                [static_cast<std::size_t>(PairIndex(a, other->second))]
                    .withoutFace;
    }
  }
}

long long AreaSamples::FaceCount(int separation) const {
  long long count = 0;
  for (const Samples& pair : samples_[static_cast<std::size_t>(separation - FirstAreaSeparation)]) {
    count += static_cast<long long>(pair.areas.size());
  }
  return count;
}

AreaTable AreaSamples::Table(const AreaOptions& options) const {
  AreaTable table{};
  for (std::size_t s = 0; s < samples_.size(); ++s) {
    std::vector<double> everyPair;
    auto valuesOf = [&](const Samples& pair) {
      std::vector<double> values = pair.areas;
      if (options.missingFaceAsZero)
        values.insert(values.end(), static_cast<std::size_t>(pair.withoutFace), 0.0);
      return values;
    };
    for (const Samples& pair : samples_[s]) {
      const std::vector<double> values = valuesOf(pair);
      everyPair.insert(everyPair.end(), values.begin(), values.end());
    }
    const double fallback = Statistic(everyPair, options.statistic);
    for (int a = 0; a < ContactLetterCount; ++a) {
      for (int b = 0; b < ContactLetterCount; ++b) {
        const std::vector<double> values = valuesOf(samples_[s][static_cast<std::size_t>(PairIndex(a, b))]);
        table[s][static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] =
            values.empty() ? fallback : Statistic(values, options.statistic);
      }
    }
  }
  return table;
}

}  // namespace mirelda::trainer
