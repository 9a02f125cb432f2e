// The cells of the construction against voro++ on jittered grids: the closed cells must be the exact
// Voronoi cells, and with weights the exact power-diagram (radical) cells, face by face.
#include <gtest/gtest.h>

#include <random>

#include "brindel/cell_builder.h"
#include "brindel/power_weight.h"
#include "tests/crosscheck/voro_reference.h"
#include "tests/support/point_sets.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda {
namespace {

constexpr int kSide = 6;

void ExpectSameClosedCells(const std::vector<PointRecord>& points, const std::vector<double>& powers) {
  const std::vector<Vec3> positions = PositionsOf(points);
  std::vector<std::array<double, 3>> coordinates;
  for (const Vec3& p : positions) coordinates.push_back({p.x, p.y, p.z});
  const std::vector<testing::ReferenceCell> reference =
      testing::ComputeReferenceCells(coordinates, powers, 20);
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

TEST(GridCrossCheck, EqualWeightsGiveTheVoronoiCells) {
  const std::vector<PointRecord> points = testing::JitteredGrid(kSide, 4, 0.25, 5);
  ExpectSameClosedCells(points, std::vector<double>(points.size(), PowerWeight(0)));
}

TEST(GridCrossCheck, WeightsGiveThePowerDiagramCells) {
  const std::vector<PointRecord> points = testing::JitteredGrid(kSide, 4, 0.25, 9);
  std::mt19937 random(3);
  std::uniform_real_distribution<double> weight(60, 240);  // the range of the residue weights
  std::vector<double> powers;
  for (std::size_t i = 0; i < points.size(); ++i) powers.push_back(PowerWeight(weight(random)));
  ExpectSameClosedCells(points, powers);
}

}  // namespace
}  // namespace mirelda
