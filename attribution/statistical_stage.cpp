#include "attribution/statistical_stage.h"

#include <array>
#include <cstdint>

#include "attribution/contact_pattern.h"

namespace mirelda::attribution {
namespace {

// Numerators and denominators of one residue, by state and by window position p = i - r + 2 of the
// pattern (centred on residue i) that gave them. 64 bits: sums of 32-bit counts cannot overflow.
struct WindowSums {
  std::array<std::array<std::int64_t, WindowLength>, StateCount> numerators{};
  std::array<std::int64_t, WindowLength> denominators{};  // the same for every state
};

void AddEntry(const PatternEntry& entry, int centre, int residueCount, std::vector<WindowSums>& sums) {
  const std::int64_t total = entry.Total();
  for (int k = 0; k < WindowLength; ++k) {
    const int r = centre - 2 + k;
    if (r < 1 || r > residueCount) continue;
    WindowSums& residue = sums[static_cast<std::size_t>(r)];
    const int p = WindowLength - 1 - k;
    // Set, not added: each (residue, position) is reached by one pattern only.
    residue.denominators[static_cast<std::size_t>(p)] = total;
    for (int index = 0; index < CountsPerEntry; ++index) {
      const auto state = static_cast<std::size_t>(StateAtWindowPosition(index, k));
      residue.numerators[state][static_cast<std::size_t>(p)] += entry.counts[static_cast<std::size_t>(index)];
    }
  }
}

StateScore ScoreOf(const WindowSums& sums) {
  std::array<float, StateCount> score{};
  int counted = 0;
  for (std::size_t p = 0; p < WindowLength; ++p) {
    if (sums.denominators[p] == 0) continue;
    ++counted;
    for (std::size_t s = 0; s < StateCount; ++s) {
      score[s] += static_cast<float>(sums.numerators[s][p]) / static_cast<float>(sums.denominators[p]);
    }
  }
  if (counted == 0) return StateScore{};
  const auto n = static_cast<float>(counted);
  return StateScore{score[0] / n, score[1] / n, score[2] / n, true};
}

}  // namespace

StatisticalResult ScoreResidues(const ContactMatrix& matrix, const PatternTable& centralTable,
                                const PatternTable& terminalTable) {
  const int n = matrix.Size();
  std::vector<WindowSums> sums(static_cast<std::size_t>(n) + 1);
  StatisticalResult result;
  for (int i = 1; i <= n; ++i) {
    const ContactPattern pattern = BuildContactPattern(matrix, i);
    if (!pattern.Complete()) {
      result.malformed.push_back({i, pattern.text, pattern.terminal});
      continue;
    }
    const PatternEntry* entry = (pattern.terminal ? terminalTable : centralTable).Find(pattern.text);
    if (entry != nullptr) AddEntry(*entry, i, n, sums);
  }
  result.scores = ResidueScores(n);
  for (int r = 1; r <= n; ++r) result.scores.Set(r, ScoreOf(sums[static_cast<std::size_t>(r)]));
  return result;
}

}  // namespace mirelda::attribution
