#include "tools/trainer/pattern_counts.h"

#include <algorithm>
#include <cmath>

#include "attribution/contact_pattern.h"
#include "attribution/pattern_table_file.h"

using namespace mirelda::attribution;

namespace mirelda::trainer {

int WindowCountIndex(std::string_view states, int residue) {
  std::array<int, WindowLength> window{};
  for (int k = 0; k < WindowLength; ++k) {
    const int r = residue - 2 + k;
    const bool inside = r >= 1 && r <= static_cast<int>(states.size());
    const std::optional<int> number =
        inside ? StateNumber(states[static_cast<std::size_t>(r - 1)]) : std::nullopt;
    window[static_cast<std::size_t>(k)] = number.value_or(*StateNumber('c'));
  }
  return CountIndex(window);
}

std::array<std::int32_t, CountsPerEntry> FitCounts(const WideCounts& counts) {
  const std::int64_t largest = *std::max_element(counts.begin(), counts.end());
  const double scale =
      largest > MaxFieldCount ? static_cast<double>(MaxFieldCount) / static_cast<double>(largest) : 1.0;
  std::array<std::int32_t, CountsPerEntry> fitted{};
  for (std::size_t m = 0; m < counts.size(); ++m) {
    fitted[m] = static_cast<std::int32_t>(std::llround(static_cast<double>(counts[m]) * scale));
  }
  return fitted;
}

void PatternCounter::AddProtein(const ContactMatrix& matrix, std::string_view states) {
  for (int i = 1; i <= matrix.Size(); ++i) {
    const ContactPattern pattern = BuildContactPattern(matrix, i);
    const std::optional<int> key = KeyValue(pattern.text);
    if (!key) {
      ++skipped_;
      continue;
    }
    WideCounts& counts = (pattern.terminal ? terminal_ : central_)[*key];
    ++counts[static_cast<std::size_t>(WindowCountIndex(states, i))];
    ++counted_;
  }
}

PatternTable PatternCounter::ToTable(const std::map<int, WideCounts>& counts) {
  PatternTable table;
  for (const auto& [key, wide] : counts) {
    PatternEntry entry;
    entry.keyText.assign(PatternLength, '0');
    for (int k = PatternLength - 1, value = key; k >= 0; --k, value /= PatternBase) {
      entry.keyText[static_cast<std::size_t>(k)] = static_cast<char>('0' + value % PatternBase);
    }
    entry.counts = FitCounts(wide);
    table.Store(key, std::move(entry));
  }
  return table;
}

}  // namespace mirelda::trainer
