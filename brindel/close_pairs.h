// Which candidate neighbours of one centre lie within DCUT of each other, as a bit matrix: the pairs of
// the close-neighbour lists, tested in constant time by the vertex search.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "brindel/tessellation_limits.h"

namespace mirelda::tessellation {

class ClosePairs {
 public:
  ClosePairs() : rows_(NeighbourLimit) {}

  // Row k from one mask per entry l < count: all ones when l is close to k, else 0 (the caller keeps the
  // matrix symmetric).
  void SetRow(int k, const std::uint64_t* close, int count) {
    for (int w = 0; w < Words; ++w) {
      std::uint64_t word = 0;
      const int first = w * 64, end = std::min(count, first + 64);
      for (int l = first; l < end; ++l) word |= close[l] & (std::uint64_t{1} << (l - first));
      rows_[k][w] = word;
    }
  }
  bool Test(int k, int l) const { return (rows_[k][l >> 6] >> (l & 63)) & 1; }
  // Calls visit(l) for every l close to k, increasing.
  template <typename Visit>
  void ForEach(int k, Visit visit) const {
    for (int w = 0; w < Words; ++w) {
      for (std::uint64_t bits = rows_[k][w]; bits != 0; bits &= bits - 1)
        visit(w * 64 + std::countr_zero(bits));
    }
  }

 private:
  static constexpr int Words = (NeighbourLimit + 63) / 64;
  std::vector<std::array<std::uint64_t, Words>> rows_;
};

}  // namespace mirelda::tessellation
