#include "tests/crosscheck/voro_reference.h"

#include <algorithm>
#include <cmath>
#include <voro++/voro++.hh>

namespace mirelda::testing {

std::vector<ReferenceCell> ComputeReferenceCells(const std::vector<std::array<double, 3>>& points,
                                                 const std::vector<double>& powerWeights, double margin) {
  std::vector<ReferenceCell> cells(points.size());
  if (points.empty()) return cells;
  std::array<double, 3> low = points[0], high = points[0];
  for (const auto& p : points) {
    for (int k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], p[k]);
      high[k] = std::max(high[k], p[k]);
    }
  }
  // Radii must be real: shift every squared radius by the same amount, which leaves the planes in place.
  const double lowest = *std::min_element(powerWeights.begin(), powerWeights.end());
  const double shift = 1.0 - std::min(0.0, lowest);

  const double blockSize = 8.0;  // about two points a block for CA points
  auto blocks = [&](int k) {
    return std::max(1, static_cast<int>((high[k] - low[k] + 2 * margin) / blockSize));
  };
  voro::container_poly container(low[0] - margin, high[0] + margin, low[1] - margin, high[1] + margin,
                                 low[2] - margin, high[2] + margin, blocks(0), blocks(1), blocks(2), false,
                                 false, false, 8);
  for (std::size_t i = 0; i < points.size(); ++i) {
    container.put(static_cast<int>(i), points[i][0], points[i][1], points[i][2],
                  std::sqrt(powerWeights[i] + shift));
  }

  voro::c_loop_all loop(container);
  voro::voronoicell_neighbor cell;
  std::vector<int> neighbours;
  std::vector<double> vertices, faceAreas;
  if (loop.start()) {
    do {
      if (!container.compute_cell(cell, loop)) continue;
      double x, y, z;
      loop.pos(x, y, z);
      ReferenceCell& reference = cells[static_cast<std::size_t>(loop.pid())];
      reference.computed = true;
      reference.volume = cell.volume();
      reference.area = cell.surface_area();
      reference.faceCount = cell.number_of_faces();
      cell.neighbors(neighbours);
      cell.face_areas(faceAreas);
      for (std::size_t f = 0; f < neighbours.size(); ++f)
        reference.areaByNeighbour[neighbours[f]] = faceAreas[f];
      reference.touchesWall = std::any_of(neighbours.begin(), neighbours.end(), [](int n) { return n < 0; });
      cell.vertices(x, y, z, vertices);
      for (std::size_t v = 0; v + 2 < vertices.size(); v += 3) {
        const double dx = vertices[v] - x, dy = vertices[v + 1] - y, dz = vertices[v + 2] - z;
        reference.farthestVertex = std::max(reference.farthestVertex, std::sqrt(dx * dx + dy * dy + dz * dz));
      }
    } while (loop.inc());
  }
  return cells;
}

}  // namespace mirelda::testing
