#include "brindel/small_sort.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <numeric>
#include <vector>

namespace mirelda::tessellation {
namespace {

// Keys are read eight at a time, the last ones padded with keys that come after every other.
constexpr int Lanes = 8;
constexpr int PaddedLimit = CountingSortLimit + Lanes;
using PaddedKeys = std::array<std::int32_t, PaddedLimit>;

// ranks[i] = the number of keys less than keys[i], and of the keys equal to it before i; the keys are
// padded to whole blocks of Lanes.
inline __attribute__((always_inline)) void RanksOf(const PaddedKeys& keys, int count, int* ranks) {
  const int padded = (count + Lanes - 1) / Lanes * Lanes;
  for (int i = 0; i < count; ++i) {
    const std::int32_t key = keys[static_cast<std::size_t>(i)];
    int rank = 0;
    for (int j = 0; j < padded; ++j) {
      const std::int32_t other = keys[static_cast<std::size_t>(j)];
      rank += (other < key) | ((other == key) & (j < i));
    }
    ranks[i] = rank;
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Eight keys at a time where the processor has the wider registers.
__attribute__((target("avx2"))) void RanksWide(const PaddedKeys& keys, int count, int* ranks) {
  RanksOf(keys, count, ranks);
}
#endif

// The ranks of `count` keys (at most CountingSortLimit).
void Ranks(const std::int32_t* keys, int count, int* ranks) {
  PaddedKeys padded;
  std::copy_n(keys, count, padded.begin());
  std::fill(padded.begin() + count, padded.end(), std::numeric_limits<std::int32_t>::max());
#if defined(__x86_64__) && defined(__GNUC__)
  static const bool wide = __builtin_cpu_supports("avx2");
  if (wide) {
    RanksWide(padded, count, ranks);
    return;
  }
#endif
  RanksOf(padded, count, ranks);
}

}  // namespace

void StableSortSmallBy(std::span<const std::int32_t> keys, std::span<int> values) {
  const int count = static_cast<int>(keys.size());
  if (count > CountingSortLimit) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    std::vector<int> sorted(keys.size());
    for (std::size_t r = 0; r < order.size(); ++r) sorted[r] = values[static_cast<std::size_t>(order[r])];
    std::copy(sorted.begin(), sorted.end(), values.begin());
    return;
  }
  // The ranks are all known before the first value moves, so the values may be the keys themselves.
  std::array<int, CountingSortLimit> ranks;
  std::array<int, CountingSortLimit> copy;
  Ranks(keys.data(), count, ranks.data());
  std::copy(values.begin(), values.begin() + count, copy.begin());
  for (int i = 0; i < count; ++i) values[static_cast<std::size_t>(ranks[i])] = copy[i];
}

}  // namespace mirelda::tessellation
