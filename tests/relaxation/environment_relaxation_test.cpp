// The relaxation core: which points move, where to, and when the moves take effect.
#include "relaxation/environment_relaxation.h"

#include <gtest/gtest.h>

#include "tests/support/point_sets.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;
using namespace mirelda::relaxation;

namespace mirelda {
namespace {

using testing::MakePoint;

constexpr int kCentre = 62;  // index of the grid's centre point (2 * 25 + 2 * 5 + 2)

// A jittered 5 x 5 x 5 grid of spacing 4 whose centre point is an environment point, the rest alanines.
std::vector<PointRecord> GridWithEnvironmentCentre(unsigned seed) {
  std::vector<PointRecord> points = testing::JitteredGrid(5, 4, 0.3, seed);
  const PointRecord& centre = points[kCentre];
  points[kCentre] = MakePoint(centre.x, centre.y, centre.z, "XXX", '&', 1);
  return points;
}

Vec3 VertexMean(const std::vector<PointRecord>& points, Vec3 centrePosition) {
  std::vector<Vec3> positions = PositionsOf(points);
  positions[kCentre] = centrePosition;
  const std::vector<double> weights(points.size(), 0.0);
  CellBuilder builder(positions, weights, 64.0, 81.0);
  EXPECT_EQ(builder.Build(kCentre), BuildOutcome::Built);
  const Cell& cell = builder.GetCell();
  EXPECT_TRUE(cell.IsClosed());
  Vec3 sum;
  for (const Vec3& v : cell.vertices) sum = sum + v;
  return sum / static_cast<double>(cell.vertices.size());
}

TEST(EnvironmentRelaxation, AClosedEnvironmentCellMovesToItsVertexMeanAtTheNextPass) {
  const std::vector<PointRecord> points = GridWithEnvironmentCentre(7);
  EnvironmentRelaxation relaxation(points, 64.0, 81.0);
  const Vec3 read{points[kCentre].x, points[kCentre].y, points[kCentre].z};

  relaxation.RunPass(0);
  const Vec3 first = relaxation.WrittenPosition(kCentre);
  const Vec3 expectedFirst = VertexMean(points, read);
  EXPECT_NEAR(first.x, expectedFirst.x, 1e-12);
  EXPECT_NEAR(first.y, expectedFirst.y, 1e-12);
  EXPECT_NEAR(first.z, expectedFirst.z, 1e-12);

  // The second pass builds the cell at the first move, so its move is the mean of that cell.
  relaxation.RunPass(1);
  const Vec3 second = relaxation.WrittenPosition(kCentre);
  const Vec3 expectedSecond = VertexMean(points, first);
  EXPECT_NEAR(second.x, expectedSecond.x, 1e-12);
  EXPECT_NEAR(second.z, expectedSecond.z, 1e-12);
}

TEST(EnvironmentRelaxation, AminoAcidsNeverMoveAndOpenOnesAreReported) {
  const std::vector<PointRecord> points = GridWithEnvironmentCentre(11);
  EnvironmentRelaxation relaxation(points, 64.0, 81.0);
  const RelaxationPassResult result = relaxation.RunPass(0);
  EXPECT_EQ(result.outcome, BuildOutcome::Built);
  // The outer layer of the grid is open: 125 - 27 of its points, all amino acids.
  EXPECT_EQ(result.openAminoAcids.size(), 98u);
  for (int i = 0; i < static_cast<int>(points.size()); ++i) {
    if (i == kCentre) continue;
    EXPECT_EQ(relaxation.WrittenPosition(i).x, points[i].x);
  }
}

// A pass that needs no open amino acid builds the moving points' cells only: the same moves, pass after
// pass, and too many candidates at an amino acid still stop it.
TEST(EnvironmentRelaxation, WithoutOpenAminoAcidsAPassMovesAlikeAndStopsAlike) {
  std::vector<PointRecord> points = testing::JitteredGrid(5, 4, 0.3, 5);
  for (int i : {31, 62, 93}) points[i] = MakePoint(points[i].x, points[i].y, points[i].z, "XXX", '&', i);
  EnvironmentRelaxation everything(points, 64.0, 81.0), moversOnly(points, 64.0, 81.0);
  for (int pass = 0; pass < 3; ++pass) {
    EXPECT_FALSE(everything.RunPass(pass).openAminoAcids.empty());
    EXPECT_TRUE(moversOnly.RunPass(pass, false).openAminoAcids.empty());
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
      const Vec3 a = everything.WrittenPosition(i), b = moversOnly.WrittenPosition(i);
      EXPECT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << "point " << i << ", pass " << pass;
    }
  }
  EXPECT_NE(everything.WrittenPosition(62).x, points[62].x);

  std::vector<PointRecord> crowded;
  for (int i = 0; i < 202; ++i) crowded.push_back(MakePoint(0.01 * i, 0, 0, "ALA", 'A', i + 1));
  crowded.push_back(MakePoint(50, 0, 0, "XXX", '&', 1));
  EnvironmentRelaxation stopped(crowded, 100.0, 256.0);
  const RelaxationPassResult result = stopped.RunPass(0, false);
  EXPECT_EQ(result.outcome, BuildOutcome::TooManyNeighbours);
  EXPECT_EQ(result.failedCentre, 0);
}

TEST(EnvironmentRelaxation, AnOpenEnvironmentCellStaysWhereItIs) {
  // A lone environment point next to one amino acid: no closed cell anywhere.
  const std::vector<PointRecord> points = {MakePoint(0, 0, 0, "ALA", 'A', 1),
                                           MakePoint(3, 1, 2, "XXX", '&', 1)};
  EnvironmentRelaxation relaxation(points, 100.0, 256.0);
  relaxation.RunPass(0);
  relaxation.RunPass(1);
  EXPECT_EQ(relaxation.WrittenPosition(1).x, 3);
  EXPECT_EQ(relaxation.WrittenPosition(1).y, 1);
  EXPECT_EQ(relaxation.WrittenPosition(1).z, 2);
}

TEST(EnvironmentRelaxation, AnIsolatedEnvironmentPointHasNoVertexMeanAndStays) {
  // Closed (no face at all) but without vertices: its mean is undefined, so it keeps its place.
  const std::vector<PointRecord> points = {MakePoint(0, 0, 0, "XXX", '&', 1),
                                           MakePoint(50, 0, 0, "XXX", '&', 2)};
  EnvironmentRelaxation relaxation(points, 100.0, 256.0);
  relaxation.RunPass(0);
  EXPECT_EQ(relaxation.WrittenPosition(0).x, 0);
  EXPECT_EQ(relaxation.WrittenPosition(1).x, 50);
}

TEST(EnvironmentRelaxation, TooManyNeighboursNamesTheCentre) {
  std::vector<PointRecord> points;
  for (int i = 0; i < 202; ++i) points.push_back(MakePoint(0.01 * i, 0, 0, "ALA", 'A', i + 1));
  EnvironmentRelaxation relaxation(points, 100.0, 256.0);
  const RelaxationPassResult result = relaxation.RunPass(0);
  EXPECT_EQ(result.outcome, BuildOutcome::TooManyNeighbours);
  EXPECT_EQ(result.failedCentre, 0);
}

}  // namespace
}  // namespace mirelda
