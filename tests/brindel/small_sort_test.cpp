// The counting sort of a centre's keys against the library's stable sort, around the block and size
// limits where the padding and the fallback take over.
#include "brindel/small_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

using namespace mirelda::tessellation;

namespace mirelda {
namespace {

TEST(SmallSort, AgreesWithAStableSortAtEverySize) {
  std::mt19937 random(5);
  for (int count : {0, 1, 7, 8, 9, 70, 255, 256, 257, 1000}) {
    for (int spread : {3, 1 << 30}) {  // many ties, then hardly any
      std::uniform_int_distribution<std::int32_t> draw(-spread, spread);
      std::vector<std::int32_t> keys(static_cast<std::size_t>(count));
      for (std::int32_t& key : keys) key = draw(random);
      // The extreme keys, the padding's among them, sort like any other.
      if (count > 1) keys[0] = std::numeric_limits<std::int32_t>::max();
      if (count > 2) keys[1] = std::numeric_limits<std::int32_t>::min();

      std::vector<int> values(keys.size());
      std::iota(values.begin(), values.end(), 0);
      std::vector<int> expected = values;
      std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) { return keys[a] < keys[b]; });
      StableSortSmallBy(keys, values);
      EXPECT_EQ(values, expected) << count << " keys within " << spread;

      std::vector<std::int32_t> sorted = keys;
      StableSortSmall(sorted);
      EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
      std::vector<std::int32_t> alike = keys;
      std::sort(alike.begin(), alike.end());
      EXPECT_EQ(sorted, alike) << count << " keys within " << spread;
    }
  }
}

}  // namespace
}  // namespace mirelda
