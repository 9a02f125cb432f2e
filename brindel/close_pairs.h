// Which candidate neighbours of one centre lie within DCUT of each other, as a bit matrix: the pairs of
// the close-neighbour lists, tested in constant time by the vertex search.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "tessellation_limits.h"

namespace mirelda {

class ClosePairs {
 public:
  ClosePairs() : rows_(NeighbourLimit) {}

  // Row k from one flag per entry l < count (the caller keeps the matrix symmetric).
  void SetRow(int k, const bool* close, int count) {
    rows_[k].fill(0);
    for (int l = 0; l < count; ++l) rows_[k][l >> 6] |= std::uint64_t{close[l]} << (l & 63);
  }
  bool Test(int k, int l) const { return (rows_[k][l >> 6] >> (l & 63)) & 1; }
  // Calls visit(l) for every l close to k, increasing.
  template <typename Visit>
  void ForEach(int k, Visit visit) const {
    for (int w = 0; w < Words; ++w) {
      for (std::uint64_t bits = rows_[k][w]; bits != 0; bits &= bits - 1) visit(w * 64 + std::countr_zero(bits));
    }
  }

 private:
  static constexpr int Words = (NeighbourLimit + 63) / 64;
  std::vector<std::array<std::uint64_t, Words>> rows_;
};

}  // namespace mirelda
