// The candidate neighbours of a centre from a grid of boxes at least DCUT wide, instead of a scan of every
// point: the same points as the scan (the same strict distance test on the same differences), in
// increasing index order, at a cost that grows with the neighbourhood instead of the point count.
#pragma once

#include <span>
#include <vector>

#include "brindel/vector3.h"

namespace mirelda::tessellation {

class NeighbourGrid {
 public:
  // Views the positions, which must stay in place and unchanged while the grid is used. Cut-offs or
  // coordinates that give no usable grid (not finite, or too many boxes) leave one box for all points.
  NeighbourGrid(std::span<const Vec3> positions, double dcut2);

  // Replaces `found` with the points j != centre with |p_j - p_centre|^2 < dcut2, increasing.
  void Find(int centre, std::vector<int>& found) const;

  // Whether some point has more than `limit` points within DCUT (the same test as Find).
  bool AnyCrowded(int limit) const;

 private:
  int BoxOf(Vec3 p, int axis) const;
  // The squared distance from p of the point at place j in box order, by the expression of
  // Norm2(q - p), which is also that of Norm2(p - q): Find and AnyCrowded decide alike.
  double Distance2(int j, Vec3 p) const {
    const double dx = xs_[j] - p.x, dy = ys_[j] - p.y, dz = zs_[j] - p.z;
    return dx * dx + dy * dy + dz * dz;
  }
  // How many points of order_[from .. end) lie within DCUT of p; adds 1 to `within` of each.
  int CountPairs(Vec3 p, int from, int end, std::vector<int>& within) const;

  std::span<const Vec3> positions_;
  double dcut2_;
  double low_[3] = {0, 0, 0};
  double inverseSide_ = 0;
  int boxes_[3] = {1, 1, 1};
  std::vector<int> boxStart_;  // points of box b: order_[boxStart_[b] .. boxStart_[b + 1]), increasing
  std::vector<int> order_;
  // The coordinates of positions_[order_[j]] as columns, so that a box's points are read in one sweep.
  std::vector<double> xs_, ys_, zs_;
};

}  // namespace mirelda::tessellation
