#include "brindel/neighbour_grid.h"

#include <algorithm>
#include <cmath>

#include "brindel/small_sort.h"

namespace mirelda::tessellation {
namespace {

// Boxes a little wider than DCUT, so that a rounded box index never separates two candidates by more
// than one box.
constexpr double BoxWidening = 1.0 + 1e-9;
// Empty boxes cost memory and time to visit: at most this many boxes per point (and a few more).
constexpr double BoxesPerPoint = 4.0;

}  // namespace

NeighbourGrid::NeighbourGrid(std::span<const Vec3> positions, double dcut2)
    : positions_(positions), dcut2_(dcut2) {
  const std::size_t count = positions.size();
  double high[3] = {0, 0, 0};
  bool finite = std::isfinite(dcut2) && dcut2 > 0;
  for (std::size_t j = 0; j < count && finite; ++j) {
    const double c[3] = {positions[j].x, positions[j].y, positions[j].z};
    for (int k = 0; k < 3; ++k) {
      if (!std::isfinite(c[k])) finite = false;
      if (j == 0 || c[k] < low_[k]) low_[k] = c[k];
      if (j == 0 || c[k] > high[k]) high[k] = c[k];
    }
  }
  if (finite && count > 0) {
    double side = std::sqrt(dcut2) * BoxWidening;
    const double limit = BoxesPerPoint * static_cast<double>(count) + 64;
    for (;;) {
      double total = 1;
      for (int k = 0; k < 3; ++k) total *= std::floor((high[k] - low_[k]) / side) + 1;
      if (total <= limit) break;
      side *= 2;  // wider boxes still hold every candidate in the 27 around a centre
    }
    inverseSide_ = 1 / side;
    for (int k = 0; k < 3; ++k) boxes_[k] = static_cast<int>(std::floor((high[k] - low_[k]) / side)) + 1;
  }

  const std::size_t boxCount = static_cast<std::size_t>(boxes_[0]) * boxes_[1] * boxes_[2];
  boxStart_.assign(boxCount + 1, 0);
  std::vector<int> boxOfPoint(count);
  for (std::size_t j = 0; j < count; ++j) {
    const Vec3 p = positions[j];
    const int b = (BoxOf(p, 0) * boxes_[1] + BoxOf(p, 1)) * boxes_[2] + BoxOf(p, 2);
    boxOfPoint[j] = b;
    ++boxStart_[b + 1];
  }
  for (std::size_t b = 0; b < boxCount; ++b) boxStart_[b + 1] += boxStart_[b];
  order_.resize(count);
  std::vector<int> fill(boxStart_.begin(), boxStart_.end() - 1);
  for (std::size_t j = 0; j < count; ++j) order_[fill[boxOfPoint[j]]++] = static_cast<int>(j);
  xs_.resize(count);
  ys_.resize(count);
  zs_.resize(count);
  for (std::size_t j = 0; j < count; ++j) {
    xs_[j] = positions[order_[j]].x;
    ys_[j] = positions[order_[j]].y;
    zs_[j] = positions[order_[j]].z;
  }
}

int NeighbourGrid::BoxOf(Vec3 p, int axis) const {
  if (boxes_[axis] == 1) return 0;
  const double c = axis == 0 ? p.x : axis == 1 ? p.y : p.z;
  const int b = static_cast<int>(std::floor((c - low_[axis]) * inverseSide_));
  return std::clamp(b, 0, boxes_[axis] - 1);
}

void NeighbourGrid::Find(int centre, std::vector<int>& found) const {
  found.clear();
  const Vec3 p = positions_[centre];
  int from[3], to[3];
  for (int k = 0; k < 3; ++k) {
    const int b = BoxOf(p, k);
    from[k] = std::max(0, b - 1);
    to[k] = std::min(boxes_[k] - 1, b + 1);
  }
  for (int bx = from[0]; bx <= to[0]; ++bx) {
    for (int by = from[1]; by <= to[1]; ++by) {
      const int row = (bx * boxes_[1] + by) * boxes_[2];
      for (int j = boxStart_[row + from[2]], end = boxStart_[row + to[2] + 1]; j < end; ++j) {
        if (Distance2(j, p) < dcut2_ && order_[j] != centre) found.push_back(order_[j]);
      }
    }
  }
  StableSortSmall(found);
}

int NeighbourGrid::CountPairs(Vec3 p, int from, int end, std::vector<int>& within) const {
  // In a loop the compiler can vectorise.
  int count = 0;
  for (int j = from; j < end; ++j) {
    const int close = Distance2(j, p) < dcut2_ ? 1 : 0;
    within[static_cast<std::size_t>(j)] += close;
    count += close;
  }
  return count;
}

bool NeighbourGrid::AnyCrowded(int limit) const {
  // Each pair is measured once, from the point that comes first in box order, and counted on both: a
  // point's count is complete once its own turn is over.
  std::vector<int> within(order_.size(), 0);
  // The rows of boxes (along z) that come after a box's own row, as steps in x and y.
  constexpr int LaterRows[4][2] = {{0, 1}, {1, -1}, {1, 0}, {1, 1}};
  for (int bx = 0; bx < boxes_[0]; ++bx) {
    for (int by = 0; by < boxes_[1]; ++by) {
      for (int bz = 0; bz < boxes_[2]; ++bz) {
        const int box = (bx * boxes_[1] + by) * boxes_[2] + bz;
        const int zFrom = std::max(0, bz - 1), zTo = std::min(boxes_[2] - 1, bz + 1);
        for (int i = boxStart_[box]; i < boxStart_[box + 1]; ++i) {
          const Vec3 p{xs_[i], ys_[i], zs_[i]};
          // The rest of its own box and the next box of its row, then the later rows.
          int count = CountPairs(p, i + 1, boxStart_[box - bz + zTo + 1], within);
          for (const auto& [dx, dy] : LaterRows) {
            const int x = bx + dx, y = by + dy;
            if (x >= boxes_[0] || y < 0 || y >= boxes_[1]) continue;
            const int row = (x * boxes_[1] + y) * boxes_[2];
            count += CountPairs(p, boxStart_[row + zFrom], boxStart_[row + zTo + 1], within);
          }
          within[static_cast<std::size_t>(i)] += count;
          if (within[static_cast<std::size_t>(i)] > limit) return true;
        }
      }
    }
  }
  return false;
}

}  // namespace mirelda::tessellation
