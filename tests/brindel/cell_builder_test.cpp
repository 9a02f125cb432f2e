// The cell of one centre: candidates and cut-offs, vertices, faces, closure, and the limits of storage.
#include "brindel/cell_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "brindel/close_pairs.h"
#include "brindel/power_weight.h"
#include "brindel/tessellation_limits.h"
#include "tests/support/point_sets.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda {
namespace {

// Builds cells of a set of offsets with equal weights.
struct Cells {
  std::vector<Vec3> positions;
  std::vector<double> powers;
  CellBuilder builder;

  Cells(std::vector<Vec3> points, double rcut2, double dcut2, double power = 0)
      : positions(std::move(points)),
        powers(positions.size(), power),
        builder(positions, powers, rcut2, dcut2) {}

  const Cell& Build(int centre) {
    EXPECT_EQ(builder.Build(centre), BuildOutcome::Built);
    return builder.GetCell();
  }
};

// The centre at the origin with three neighbours on the axes: the planes x = 2, y = 2, z = 2 meet at
// (2, 2, 2), |v|^2 = 12, and the three neighbours are exactly sqrt(32) apart.
std::vector<Vec3> Corner() { return {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {0, 0, 4}}; }

TEST(PowerWeights, FollowTheTwoThirdsPowerAndTreatUnusableWeightsAsZero) {
  EXPECT_DOUBLE_EQ(PowerWeight(0), -14.325);
  EXPECT_DOUBLE_EQ(PowerWeight(91.5), 0.5282 * std::pow(91.5, 0.6666666666666666) - 14.325);
  // The power of a negative weight is undefined: it must not become NaN planes.
  EXPECT_DOUBLE_EQ(PowerWeight(-5), -14.325);
  EXPECT_DOUBLE_EQ(PowerWeight(std::nan("")), -14.325);
  EXPECT_DOUBLE_EQ(PowerWeight(INFINITY), -14.325);
}

TEST(PowerWeights, ALetterOfNoTableTakesTheNeutralPosition) {
  // The letter '0' (a name in neither table) must not index the weights out of bounds.
  WeightTable weights{};
  weights[0] = 100;
  const std::vector<PointRecord> points = {testing::MakePoint(0, 0, 0, "ZZZ"), testing::MakePoint(0, 0, 0)};
  const std::vector<double> powers = PowerWeights(points, weights);
  EXPECT_DOUBLE_EQ(powers[0], -14.325);
  EXPECT_DOUBLE_EQ(powers[1], PowerWeight(100));
}

TEST(CellConstruction, FewerThanFourPointsHaveNoVertex) {
  Cells cells({{0, 0, 0}, {3, 0, 0}, {0, 3, 0}}, 100, 256);
  for (int i = 0; i < 3; ++i) {
    const Cell& cell = cells.Build(i);
    EXPECT_TRUE(cell.IsClosed());
    EXPECT_EQ(cell.FaceCount(), 0);
    EXPECT_TRUE(cell.vertices.empty());
  }
}

TEST(CellConstruction, AnIsolatedPointHasNoFace) {
  Cells cells({{0, 0, 0}, {20, 0, 0}, {0, 20, 0}, {0, 0, 20}, {20, 20, 20}}, 100, 256);
  const Cell& cell = cells.Build(0);
  EXPECT_TRUE(cell.IsClosed());
  EXPECT_EQ(cell.FaceCount(), 0);
  EXPECT_EQ(cell.volume, 0);
  EXPECT_EQ(cell.totalArea, 0);
}

TEST(CellConstruction, AFaceWithOneVertexHasNoAreaAndOpensTheCell) {
  Cells cells(Corner(), 100, 32);
  const Cell& cell = cells.Build(0);
  ASSERT_EQ(cell.FaceCount(), 3);
  EXPECT_FALSE(cell.IsClosed());
  for (const Face& face : cell.faces) {
    EXPECT_EQ(face.VertexCount(), 1);
    EXPECT_EQ(face.area, 0);
    EXPECT_EQ(face.perimeter, 0);
    EXPECT_DOUBLE_EQ(face.distance, 4);
  }
  ASSERT_EQ(cell.vertices.size(), 1u);
  EXPECT_DOUBLE_EQ(cell.vertices[0].x, 2);
  EXPECT_DOUBLE_EQ(cell.vertices[0].z, 2);
}

TEST(CellConstruction, NeighboursExactlyDcutApartAreClose) {
  // The closeness of two neighbours includes the bound; a hair below it the triple is never formed.
  EXPECT_EQ(Cells(Corner(), 100, 32).Build(0).vertices.size(), 1u);
  EXPECT_EQ(Cells(Corner(), 100, 31.999).Build(0).vertices.size(), 0u);
}

TEST(CellConstruction, AVertexExactlyAtRcutIsAccepted) {
  EXPECT_EQ(Cells(Corner(), 12, 32).Build(0).vertices.size(), 1u);
  EXPECT_EQ(Cells(Corner(), 11.999, 32).Build(0).vertices.size(), 0u);
}

TEST(CellConstruction, ANeighbourExactlyAtDcutIsNoCandidate) {
  // The candidate test is strict: at exactly DCUT the three axis points give no vertex.
  EXPECT_EQ(Cells(Corner(), 100, 16).Build(0).vertices.size(), 0u);
}

std::vector<Vec3> CentreWithNeighbours(int count, double radius) {
  std::vector<Vec3> points = {{0, 0, 0}};
  for (int k = 0; k < count; ++k) {
    // Points on a spiral over a sphere: all within DCUT of the centre and of each other.
    const double t = (k + 0.5) / count;
    const double polar = std::acos(1 - 2 * t), azimuth = k * 2.399963;
    points.push_back({radius * std::sin(polar) * std::cos(azimuth),
                      radius * std::sin(polar) * std::sin(azimuth), radius * std::cos(polar)});
  }
  return points;
}

// The close-pair matrix is the same whatever the width of the registers that fill it: pairs exactly DCUT
// apart are close, the padding never is, and the rows, read back as lists, cross the 64-bit words.
TEST(ClosePairMatrix, EveryRegisterWidthGivesTheSameRows) {
  constexpr int lattice = 150, count = lattice + 10;
  std::array<double, ClosePairs::PaddedLimit> xs{}, ys{}, zs{};
  xs.fill(NAN);
  ys.fill(NAN);
  zs.fill(NAN);
  for (int k = 0; k < lattice; ++k) {
    xs[k] = (k % 7) * 2.0;  // exact lattice steps: many pairs exactly 4 or 6 apart
    ys[k] = ((k / 7) % 5) * 2.0;
    zs[k] = (k / 35) * 3.0 + std::sin(k) * (k % 3 == 0 ? 0.0 : 0.5);
  }
  // Points a hair either side of DCUT from the first one (at the origin), all at 4 in single precision.
  for (int j = 0; j < count - lattice; ++j) {
    xs[lattice + j] = 4 + (j - 5) * 1e-9;
    ys[lattice + j] = zs[lattice + j] = 0;
  }
  ClosePairs wide, narrow;
  wide.Fill(xs.data(), ys.data(), zs.data(), count, 16.0);
  narrow.Fill(xs.data(), ys.data(), zs.data(), count, 16.0, true);
  int close = 0;
  for (int k = 0; k < count; ++k) {
    EXPECT_FALSE(wide.Test(k, k));
    for (int l = 0; l < ClosePairs::PaddedLimit; ++l) {
      ASSERT_EQ(wide.Test(k, l), narrow.Test(k, l)) << k << " " << l;
      if (l < count) {
        const double dx = xs[l] - xs[k], dy = ys[l] - ys[k], dz = zs[l] - zs[k];
        EXPECT_EQ(wide.Test(k, l), k != l && dx * dx + dy * dy + dz * dz <= 16.0) << k << " " << l;
      }
      close += wide.Test(k, l) ? 1 : 0;
    }
    // The lists read from a row, from any entry on, across the words.
    for (int first : {0, k + 1, 63, 64, 65, 130}) {
      std::vector<int> expected, listed(ClosePairs::PaddedLimit + ClosePairs::IndexSlack);
      for (int l = first; l < ClosePairs::PaddedLimit; ++l) {
        if (wide.Test(k, l)) expected.push_back(l);
      }
      listed.resize(static_cast<std::size_t>(wide.IndicesFrom(k, first, listed.data())));
      ASSERT_EQ(listed, expected) << k << " from " << first;
      if (first == k + 1) {
        EXPECT_EQ(wide.CountAfter(k), static_cast<int>(expected.size()));
      }
    }
  }
  EXPECT_GT(close, count);
}

TEST(NeighbourLimit, ExactlyTwoHundredCandidatesAreAccepted) {
  std::vector<Vec3> points = CentreWithNeighbours(NeighbourLimit, 6);
  points.push_back({16, 0, 0});  // at exactly DCUT: no candidate
  std::vector<double> powers(points.size(), 0);
  CellBuilder builder(points, powers, 100, 256);
  EXPECT_EQ(builder.Build(0), BuildOutcome::Built);
  EXPECT_TRUE(builder.GetCell().IsClosed());
  EXPECT_EQ(builder.GetCell().FaceCount(), NeighbourLimit);
}

TEST(NeighbourLimit, TheTwoHundredAndFirstCandidateIsReported) {
  const std::vector<Vec3> points = CentreWithNeighbours(NeighbourLimit + 1, 6);
  std::vector<double> powers(points.size(), 0);
  CellBuilder builder(points, powers, 100, 256);
  EXPECT_EQ(builder.Build(0), BuildOutcome::TooManyNeighbours);
  // The builder stays usable: a point with fewer candidates is built afterwards.
  std::vector<Vec3> fewer(points.begin(), points.begin() + 10);
  std::vector<double> fewerPowers(fewer.size(), 0);
  CellBuilder other(fewer, fewerPowers, 100, 256);
  EXPECT_EQ(other.Build(0), BuildOutcome::Built);
}

TEST(CellConstruction, EqualWeightsGiveTheOrdinaryVoronoiCell) {
  // The weight terms cancel in the planes and the heights.
  std::vector<Vec3> points;
  for (const PointRecord& p : testing::JitteredGrid(3, 4, 0.25)) points.push_back({p.x, p.y, p.z});
  Cells plain(points, 64, 81, 0), weighted(points, 64, 81, 37.5);
  const Cell& a = plain.Build(13);
  const double volume = a.volume, area = a.totalArea;
  const Cell& b = weighted.Build(13);
  EXPECT_TRUE(b.IsClosed());
  EXPECT_NEAR(b.volume, volume, 1e-9);
  EXPECT_NEAR(b.totalArea, area, 1e-9);
}

TEST(CellConstruction, VerticesAndStateAloneMatchTheFullBuildWithoutFaces) {
  // The relaxation builds only these: the same vertices, in the same order, and the same closure, for
  // closed inner cells and open border cells alike.
  std::vector<Vec3> points;
  for (const PointRecord& p : testing::JitteredGrid(4, 4, 0.25)) points.push_back({p.x, p.y, p.z});
  const std::vector<double> powers(points.size(), 0.0);
  CellBuilder full(points, powers, 64, 81), partial(points, powers, 64, 81);
  bool sawOpen = false, sawClosed = false;
  for (int centre = 0; centre < static_cast<int>(points.size()); ++centre) {
    ASSERT_EQ(full.Build(centre), BuildOutcome::Built);
    ASSERT_EQ(partial.Build(centre, CellParts::VerticesAndState), BuildOutcome::Built);
    const Cell& a = full.GetCell();
    const Cell& b = partial.GetCell();
    EXPECT_EQ(b.state, a.state) << centre;
    ASSERT_EQ(b.vertices.size(), a.vertices.size()) << centre;
    for (std::size_t v = 0; v < a.vertices.size(); ++v) {
      EXPECT_EQ(b.vertices[v].x, a.vertices[v].x);
      EXPECT_EQ(b.vertices[v].y, a.vertices[v].y);
      EXPECT_EQ(b.vertices[v].z, a.vertices[v].z);
    }
    EXPECT_TRUE(b.faces.empty());
    EXPECT_EQ(b.volume, 0);
    (a.IsClosed() ? sawClosed : sawOpen) = true;
  }
  EXPECT_TRUE(sawOpen && sawClosed);
}

TEST(CellConstruction, AHeavierNeighbourMovesThePlaneTowardsTheCentre) {
  std::vector<Vec3> points;
  for (const PointRecord& p : testing::JitteredGrid(3, 4, 0.25)) points.push_back({p.x, p.y, p.z});
  std::vector<double> powers(points.size(), 0);
  powers[14] = 4;  // the neighbour above the centre along z
  CellBuilder builder(points, powers, 64, 81);
  ASSERT_EQ(builder.Build(13), BuildOutcome::Built);
  for (const Face& face : builder.GetCell().faces) {
    if (face.neighbour == 14) {
      EXPECT_NEAR(face.height, (face.distance - 4 / face.distance) / 2, 1e-12);
      EXPECT_LT(face.height, face.distance / 2);
    }
  }
}

TEST(CellConstruction, AFaceOfMoreThanNinetyNineVerticesIsKeptWhole) {
  // One neighbour across the plane x = 1 and a ring of 120 points whose planes are tangent to a circle of
  // radius 3 in it: that face is a 120-gon. Fixed storage of 99 vertices a face would overflow here.
  constexpr int kRing = 120;
  std::vector<Vec3> points = {{0, 0, 0}, {2, 0, 0}};
  for (int k = 0; k < kRing; ++k) {
    const double angle = 2 * std::numbers::pi * k / kRing;
    points.push_back({2, 6 * std::cos(angle), 6 * std::sin(angle)});
  }
  Cells cells(points, 100, 400);
  const Cell& cell = cells.Build(0);
  ASSERT_GE(cell.FaceCount(), 1);
  const Face& face = cell.faces[0];
  ASSERT_EQ(face.neighbour, 1);
  EXPECT_EQ(face.VertexCount(), kRing);
  const double expected = kRing * 9 * std::tan(std::numbers::pi / kRing);  // apothem 3
  EXPECT_NEAR(face.area, expected, 1e-6);
}

TEST(CellConstruction, VerticesSharedByManyPlanesEndTheBoundaryWalk) {
  // In a regular grid seven planes meet at every corner of a cell, so every corner is recorded several
  // times on a face; an unbounded walk could circle among the repeated records for ever. The repeated
  // records also add corner terms, so such a cell reads as open: its measures are never taken for those of
  // a closed cell.
  std::vector<Vec3> points;
  for (const PointRecord& p : testing::JitteredGrid(5, 4, 0)) points.push_back({p.x, p.y, p.z});
  Cells cells(points, 64, 81);
  const Cell& cell = cells.Build(62);  // the middle point
  EXPECT_GT(cell.FaceCount(), 0);
  EXPECT_FALSE(cell.IsClosed());
  EXPECT_TRUE(std::isfinite(cell.volume));
  EXPECT_TRUE(std::isfinite(cell.totalArea));
  const double volume = cell.volume;
  EXPECT_EQ(cells.Build(62).volume, volume);  // deterministic
}

TEST(CellConstruction, CornerTermsThatAreNotNumbersOpenTheCell) {
  // Offsets of 1e100 overflow the corner terms to NaN; a NaN angle sum fails every comparison, and a
  // closure test written as "differs by more than the tolerance" would read such a face as closed.
  // A centre inside a tetrahedron of neighbours: a closed cell at ordinary scale.
  std::vector<Vec3> points = {{0, 0, 0}, {2, 2, 2}, {2, -2, -2}, {-2, 2, -2}, {-2, -2, 2}};
  EXPECT_TRUE(Cells(points, 1000, 1000).Build(0).IsClosed());
  for (Vec3& p : points) p = 1e100 * p;
  Cells cells(points, INFINITY, INFINITY);
  const Cell& cell = cells.Build(0);
  ASSERT_GT(cell.FaceCount(), 0);
  EXPECT_FALSE(cell.IsClosed());
}

TEST(CellConstruction, AcceptedVerticesAreListedOncePerTriple) {
  // The list the relaxation averages: absolute positions, one per accepted triple.
  std::vector<Vec3> points = Corner();
  for (Vec3& p : points) p = p + Vec3{10, 20, 30};
  Cells cells(points, 100, 32);
  const Cell& cell = cells.Build(0);
  ASSERT_EQ(cell.vertices.size(), 1u);
  EXPECT_DOUBLE_EQ(cell.vertices[0].x, 12);
  EXPECT_DOUBLE_EQ(cell.vertices[0].y, 22);
  EXPECT_DOUBLE_EQ(cell.vertices[0].z, 32);
  EXPECT_FLOAT_EQ(cell.faces[0].vertices[0].position[2], 32.0f);
}

}  // namespace
}  // namespace mirelda
