// The cells of the construction against an independent library (voro++): on a jittered grid the closed
// cells must be the exact Voronoi cells, and with weights the exact power-diagram (radical) cells.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <voro++/voro++.hh>

#include "cell_builder.h"
#include "point_sets.h"
#include "power_weight.h"

namespace mirelda {
namespace {

constexpr int kSide = 6;

struct ReferenceCell {
  double volume = 0;
  std::map<int, double> areaByNeighbour;
};

// voro++'s radical tessellation uses |x - p|^2 - r^2; the power weight plays r^2, lifted by a constant
// (which leaves the diagram unchanged) so that every radius is real.
std::vector<ReferenceCell> VoroCells(const std::vector<Vec3>& positions, const std::vector<double>& powers) {
  constexpr double kLift = 40;
  voro::container_poly container(-20, 40, -20, 40, -20, 40, 6, 6, 6, false, false, false, 8);
  for (int i = 0; i < static_cast<int>(positions.size()); ++i) {
    container.put(i, positions[i].x, positions[i].y, positions[i].z, std::sqrt(powers[i] + kLift));
  }
  std::vector<ReferenceCell> cells(positions.size());
  voro::c_loop_all loop(container);
  voro::voronoicell_neighbor cell;
  if (loop.start()) {
    do {
      if (!container.compute_cell(cell, loop)) continue;
      ReferenceCell& reference = cells[loop.pid()];
      reference.volume = cell.volume();
      std::vector<int> neighbours;
      std::vector<double> areas;
      cell.neighbors(neighbours);
      cell.face_areas(areas);
      for (std::size_t f = 0; f < neighbours.size(); ++f) reference.areaByNeighbour[neighbours[f]] = areas[f];
    } while (loop.inc());
  }
  return cells;
}

void ExpectSameClosedCells(const std::vector<Vec3>& positions, const std::vector<double>& powers) {
  const std::vector<ReferenceCell> reference = VoroCells(positions, powers);
  CellBuilder builder(positions, powers, 64, 81);
  int closed = 0;
  for (int i = 0; i < static_cast<int>(positions.size()); ++i) {
    ASSERT_EQ(builder.Build(i), BuildOutcome::Built);
    const Cell& cell = builder.GetCell();
    if (!cell.IsClosed()) continue;
    ++closed;
    EXPECT_NEAR(cell.volume, reference[i].volume, 1e-8) << "point " << i;
    for (const Face& face : cell.faces) {
      const auto other = reference[i].areaByNeighbour.find(face.neighbour);
      const double expected = other == reference[i].areaByNeighbour.end() ? 0.0 : other->second;
      EXPECT_NEAR(face.area, expected, 1e-8) << "point " << i << " face with " << face.neighbour;
    }
  }
  EXPECT_EQ(closed, (kSide - 2) * (kSide - 2) * (kSide - 2));
}

TEST(IndependentCells, EqualWeightsGiveTheVoronoiCells) {
  const std::vector<Vec3> positions = PositionsOf(testing::JitteredGrid(kSide, 4, 0.25, 5));
  ExpectSameClosedCells(positions, std::vector<double>(positions.size(), PowerWeight(0)));
}

TEST(IndependentCells, WeightsGiveThePowerDiagramCells) {
  const std::vector<Vec3> positions = PositionsOf(testing::JitteredGrid(kSide, 4, 0.25, 9));
  std::mt19937 random(3);
  std::uniform_real_distribution<double> weight(60, 240);  // the range of the residue weights
  std::vector<double> powers;
  for (std::size_t i = 0; i < positions.size(); ++i) powers.push_back(PowerWeight(weight(random)));
  ExpectSameClosedCells(positions, powers);
}

}  // namespace
}  // namespace mirelda
