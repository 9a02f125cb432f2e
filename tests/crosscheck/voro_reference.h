// Reference cells from voro++, an independent Voronoi library, for the cross-check of the tessellation.
// A power weight W maps to a voro++ radius through r^2 = W + constant: the radical plane between two
// points moves by (r_i^2 - r_j^2), exactly as the power planes move by (W_i - W_j).
#pragma once

#include <array>
#include <map>
#include <vector>

namespace mirelda::testing {

struct ReferenceCell {
  bool computed = false;     // voro++ built a cell for the point
  double volume = 0;
  double area = 0;
  int faceCount = 0;
  double farthestVertex = 0; // largest distance of a vertex from the point
  bool touchesWall = false;  // a face lies on the container wall (the cell is cut by the box)
  std::map<int, double> areaByNeighbour;  // face areas by the index of the point across the face
};

// Computes the radical (power) Voronoi cell of every point inside a box that leaves `margin` around them.
std::vector<ReferenceCell> ComputeReferenceCells(const std::vector<std::array<double, 3>>& points,
                                                 const std::vector<double>& powerWeights, double margin);

}  // namespace mirelda::testing
