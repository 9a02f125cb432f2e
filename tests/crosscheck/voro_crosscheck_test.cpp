// The tessellation core against voro++'s radical tessellation on the CA points of real proteins, with equal
// weights and with the default weights of the amino-acid table. Only cells that the local construction
// cannot get wrong are compared: closed cells whose vertices all lie within DCUT/2 of their point (no
// neighbour farther than DCUT can then cut them) and within RCUT.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "brindel/cell_builder.h"
#include "brindel/power_weight.h"
#include "tests/crosscheck/voro_reference.h"
#include "tests/support/ca_points.h"
#include "brindel/exchange/option_files.h"
#include "tests/support/test_paths.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda {
namespace {

constexpr double kRcut = 10.0;
constexpr double kDcut = 16.0;
constexpr double kRelativeTolerance = 1e-6;

bool Near(double value, double reference) {
  return std::abs(value - reference) <= kRelativeTolerance * std::abs(reference);
}

struct Comparison {
  int compared = 0;
  int matched = 0;
};

Comparison Compare(const std::vector<PointRecord>& points, const WeightTable& weights,
                   const std::string& what) {
  const std::vector<Vec3> positions = PositionsOf(points);
  const std::vector<double> powerWeights = PowerWeights(points, weights);
  std::vector<std::array<double, 3>> coordinates;
  for (const Vec3& p : positions) coordinates.push_back({p.x, p.y, p.z});
  const std::vector<testing::ReferenceCell> reference =
      testing::ComputeReferenceCells(coordinates, powerWeights, 2 * kRcut);

  CellBuilder builder(positions, powerWeights, kRcut * kRcut, kDcut * kDcut);
  Comparison comparison;
  for (int i = 0; i < static_cast<int>(points.size()); ++i) {
    if (builder.Build(i) != BuildOutcome::Built) {
      ADD_FAILURE() << what << ": too many neighbours at point " << i + 1;
      continue;
    }
    const Cell& cell = builder.GetCell();
    if (!cell.IsClosed() || cell.vertices.empty()) continue;
    double farthest = 0;
    for (const Vec3& v : cell.vertices) farthest = std::max(farthest, Norm(v - positions[i]));
    if (farthest > kDcut / 2 || farthest > kRcut) continue;
    const testing::ReferenceCell& expected = reference[i];
    if (!expected.computed || expected.touchesWall) continue;
    ++comparison.compared;
    const bool same = Near(cell.volume, expected.volume) && Near(cell.totalArea, expected.area) &&
                      cell.FaceCount() == expected.faceCount;
    if (same) {
      ++comparison.matched;
    } else {
      ADD_FAILURE() << what << ": cell of point " << i + 1 << " (" << points[i].name << " "
                    << points[i].residueNumber << points[i].chain << "): volume " << cell.volume << " vs "
                    << expected.volume << ", area " << cell.totalArea << " vs " << expected.area << ", faces "
                    << cell.FaceCount() << " vs " << expected.faceCount;
    }
  }
  return comparison;
}

class VoroCrossCheck : public ::testing::TestWithParam<const char*> {};

TEST_P(VoroCrossCheck, InnerClosedCellsMatchVoroPlusPlus) {
  // 1A8O and 2XHE are the project's own; the larger two are fetched samples (absent: skipped, or failed
  // under CI=true).
  const std::string name = GetParam();
  const auto file =
      name == "1A8O.pdb" || name == "2XHE.pdb" ? testing::TestProtein(name) : testing::SampleProtein(name);
  if (!file) return;
  const std::vector<PointRecord> points = testing::ReadCaPoints(*file);
  ASSERT_FALSE(points.empty());

  const Comparison equal = Compare(points, WeightTable{}, std::string(GetParam()) + " equal weights");
  const Comparison weighted =
      Compare(points, exchange::DefaultWeightTable(), std::string(GetParam()) + " default weights");
  std::printf("%s: %zu points; equal weights %d of %d cells matched; default weights %d of %d matched\n",
              GetParam(), points.size(), equal.matched, equal.compared, weighted.matched, weighted.compared);
  EXPECT_GT(equal.compared, 0);
  EXPECT_GT(weighted.compared, 0);
}

INSTANTIATE_TEST_SUITE_P(RealProteins, VoroCrossCheck,
                         ::testing::Values("1A8O.pdb", "2XHE.pdb", "7DDO.pdb", "4JSV.pdb"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                           return std::string(param.param).substr(0, 4);
                         });

}  // namespace
}  // namespace mirelda
