// Which candidate neighbours of one centre lie within DCUT of each other, as a bit matrix: the pairs of
// the close-neighbour lists, tested in constant time by the vertex search.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tessellation_limits.h"

namespace mirelda {

class ClosePairs {
 public:
  ClosePairs() : rows_(NeighbourLimit) {}

  void ClearRow(int k) { rows_[k].fill(0); }
  void Set(int k, int l) {
    rows_[k][l >> 6] |= std::uint64_t{1} << (l & 63);
    rows_[l][k >> 6] |= std::uint64_t{1} << (k & 63);
  }
  bool Test(int k, int l) const { return (rows_[k][l >> 6] >> (l & 63)) & 1; }

 private:
  static constexpr int Words = (NeighbourLimit + 63) / 64;
  std::vector<std::array<std::uint64_t, Words>> rows_;
};

}  // namespace mirelda
