#include "brindel/neighbour_grid.h"

#include <algorithm>
#include <cmath>

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
  sorted_.resize(count);
  for (std::size_t j = 0; j < count; ++j) sorted_[j] = positions[order_[j]];
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
        const Vec3 d = sorted_[j] - p;
        if (Norm2(d) < dcut2_ && order_[j] != centre) found.push_back(order_[j]);
      }
    }
  }
  std::sort(found.begin(), found.end());
}

bool NeighbourGrid::AnyCrowded(int limit) const {
  for (int bx = 0; bx < boxes_[0]; ++bx) {
    for (int by = 0; by < boxes_[1]; ++by) {
      for (int bz = 0; bz < boxes_[2]; ++bz) {
        const int box = (bx * boxes_[1] + by) * boxes_[2] + bz;
        for (int i = boxStart_[box]; i < boxStart_[box + 1]; ++i) {
          const Vec3 p = sorted_[i];
          int within = 0;  // the point itself included
          for (int x = std::max(0, bx - 1); x <= std::min(boxes_[0] - 1, bx + 1); ++x) {
            for (int y = std::max(0, by - 1); y <= std::min(boxes_[1] - 1, by + 1); ++y) {
              const int row = (x * boxes_[1] + y) * boxes_[2];
              const int end = boxStart_[row + std::min(boxes_[2] - 1, bz + 1) + 1];
              for (int j = boxStart_[row + std::max(0, bz - 1)]; j < end; ++j) {
                within += Norm2(sorted_[j] - p) < dcut2_ ? 1 : 0;
              }
            }
          }
          if (within > limit + 1) return true;
        }
      }
    }
  }
  return false;
}

}  // namespace mirelda::tessellation
