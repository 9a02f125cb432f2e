// The environment shell: template replication, the exact near and far comparisons, the counts and the
// numbering of the environment points.
#include "orvane/environment_shell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace mirelda::exchange;
using namespace mirelda::environment;

namespace mirelda {
namespace {

PointRecord ProteinPoint(double x, double y, double z) {
  PointRecord p;
  p.name = "ALA";
  p.chain = 'A';
  p.letter = 'A';
  p.x = x, p.y = y, p.z = z;
  return p;
}

// Two template points read, (0, 0, 0) and (1.6, 0, 0); the 1022 others stay at the origin. With R = 5
// the template box centre is (4, 0, 0), so block 0 lands at centre - (4, 0, 0) (1023 times) and at
// centre + (4, 0, 0): every block-0 candidate is exactly 4 = 0.8 x 5 from the protein centre.
TemplateCell TwoPointCell() {
  TemplateCell cell;
  cell.points[1] = {1.6, 0, 0};
  cell.pointsRead = 2;
  return cell;
}

TEST(TemplateReplication, CopiesFollowXThenYThenZWithPlusBeforeMinus) {
  TemplateCell cell;
  for (int t = 0; t < TemplateBlockSize; ++t) cell.points[static_cast<std::size_t>(t)] = {t * 0.001, 1, 2};
  cell.pointsRead = TemplateBlockSize;
  const double r = 2, d = TemplateCellSide * r;
  const std::vector<TemplatePoint> t = ReplicatedTemplate(cell, r);
  ASSERT_EQ(t.size(), static_cast<std::size_t>(CandidateCount));
  EXPECT_DOUBLE_EQ(t[5].x, 0.005 * r);
  EXPECT_DOUBLE_EQ(t[1024 + 5].x, t[5].x + d);
  EXPECT_DOUBLE_EQ(t[2048 + 5].x, t[5].x - d);
  EXPECT_DOUBLE_EQ(t[3072 + 2000].y, t[2000].y + d);
  EXPECT_DOUBLE_EQ(t[6144 + 2000].y, t[2000].y - d);
  EXPECT_DOUBLE_EQ(t[9216 + 7000].z, t[7000].z + d);
  EXPECT_DOUBLE_EQ(t[18432 + 7000].z, t[7000].z - d);
  // The last candidate is the last template point shifted by -D along all three axes.
  EXPECT_DOUBLE_EQ(t[27647].x, t[1023].x - d);
  EXPECT_DOUBLE_EQ(t[27647].y, t[1023].y - d);
  EXPECT_DOUBLE_EQ(t[27647].z, t[1023].z - d);
}

// A protein wider than the 3 x 3 x 3 block (about 183 A at R = 6.5) once got a shell over part of it only:
// the block grows by two copies a side as needed, and keeps the order of the smaller block first.
TEST(TemplateReplication, AWideProteinGetsAsManyCopiesAsItsBoxNeeds) {
  const EnvironmentParameters parameters{6.5, 0.8, 3.5};
  const double side = TemplateCellSide * 6.5;  // 61.03
  const double fits = 1.5 * side - 3.5 * 6.5;  // the half-width the 3 x 3 x 3 block covers with the shell
  auto twoPoints = [](double halfWidth) {
    return std::vector<PointRecord>{ProteinPoint(-halfWidth + 100, 0, 0),
                                    ProteinPoint(halfWidth + 100, 0, 0)};
  };
  EXPECT_EQ(BlocksPerSide(twoPoints(fits - 0.01), parameters), 3);
  EXPECT_EQ(BlocksPerSide(twoPoints(fits + 0.01), parameters), 5);
  EXPECT_EQ(BlocksPerSide(twoPoints(fits + side + 0.01), parameters), 7);
  EXPECT_GT(BlocksPerSide(twoPoints(5000), parameters), MaxBlocksPerSide);
  EXPECT_EQ(BlocksPerSide({}, parameters), 3);

  TemplateCell cell;
  for (int t = 0; t < TemplateBlockSize; ++t) cell.points[static_cast<std::size_t>(t)] = {t * 0.001, 1, 2};
  cell.pointsRead = TemplateBlockSize;
  const std::vector<TemplatePoint> three = ReplicatedTemplate(cell, 2, 3);
  const std::vector<TemplatePoint> five = ReplicatedTemplate(cell, 2, 5);
  ASSERT_EQ(five.size(), 125u * TemplateBlockSize);
  const double d = TemplateCellSide * 2;
  for (std::size_t t = 0; t < 3 * 1024; ++t) EXPECT_DOUBLE_EQ(five[t].x, three[t].x) << t;  // 0, +D, -D
  EXPECT_DOUBLE_EQ(five[3 * 1024 + 7].x, five[7].x + 2 * d);
  EXPECT_DOUBLE_EQ(five[4 * 1024 + 7].x, five[7].x - 2 * d);
  EXPECT_DOUBLE_EQ(five[5 * 1024 + 7].y, five[7].y + d);
  EXPECT_DOUBLE_EQ(five[25 * 1024 + 7].z, five[7].z + d);

  // The shell of a protein 400 A long reaches both of its ends; a far wider one is refused, not cut.
  std::vector<PointRecord> rod;
  for (int k = 0; k <= 100; ++k) rod.push_back(ProteinPoint(4.0 * k - 2000, 1000, -3000));
  TemplateCell spread;
  for (int t = 0; t < TemplateBlockSize; ++t)
    spread.points[static_cast<std::size_t>(t)] = {(t % 16) * 0.58, (t / 16 % 8) * 1.16, (t / 128) * 1.16};
  spread.pointsRead = TemplateBlockSize;
  const EnvironmentShell shell = InstallEnvironment(rod, parameters, spread);
  EXPECT_FALSE(shell.tooWide);
  EXPECT_EQ(shell.blocksPerSide, 9);
  double lowest = 1e9, highest = -1e9;
  for (const PointRecord& p : shell.environmentPoints)
    lowest = std::min(lowest, p.x), highest = std::max(highest, p.x);
  EXPECT_LT(lowest, -2000);
  EXPECT_GT(highest, -1600);
  rod.push_back(ProteinPoint(-1000, 1000, -3000));
  const EnvironmentShell refused = InstallEnvironment(rod, parameters, spread);
  EXPECT_TRUE(refused.tooWide);
  EXPECT_TRUE(refused.environmentPoints.empty());
}

TEST(EnvironmentSuppression, CandidateExactlyAtTheNearDistanceIsSuppressed) {
  // d <= near, not d < near: a candidate touching the near sphere is removed.
  const std::vector<PointRecord> protein{ProteinPoint(0, 0, 0)};
  const EnvironmentShell shell = InstallEnvironment(protein, {5, 0.8, 3.5}, TwoPointCell());
  EXPECT_EQ(shell.suppressedCount, TemplateBlockSize);
  const EnvironmentShell looser = InstallEnvironment(protein, {5, 0.79, 3.5}, TwoPointCell());
  EXPECT_EQ(looser.suppressedCount, 0);
  EXPECT_EQ(looser.environmentPoints.size(), static_cast<std::size_t>(TemplateBlockSize));
}

TEST(EnvironmentSuppression, CandidateSuppressedByTwoProteinPointsIsCountedOnce) {
  const std::vector<PointRecord> protein{ProteinPoint(0, 0, 0.5), ProteinPoint(0, 0, -0.5)};
  const EnvironmentShell shell = InstallEnvironment(protein, {5, 1, 3.5}, TwoPointCell());
  EXPECT_EQ(shell.suppressedCount, TemplateBlockSize);
  EXPECT_TRUE(shell.environmentPoints.empty());
}

TEST(EnvironmentSelection, CandidateExactlyAtTheFarDistanceFromEveryProteinPointIsNotRetained) {
  // Protein points at z = +3 and -3, candidates at x = -4 and +4: each is exactly 5 from both (3-4-5).
  const std::vector<PointRecord> protein{ProteinPoint(0, 0, 3), ProteinPoint(0, 0, -3)};
  const EnvironmentShell atFar = InstallEnvironment(protein, {5, 0.1, 1}, TwoPointCell());
  EXPECT_EQ(atFar.suppressedCount, 0);
  EXPECT_TRUE(atFar.environmentPoints.empty());
  const EnvironmentShell beyond = InstallEnvironment(protein, {5, 0.1, 1.01}, TwoPointCell());
  EXPECT_EQ(beyond.environmentPoints.size(), static_cast<std::size_t>(TemplateBlockSize));
}

TEST(EnvironmentSelection, NoProteinPointsSuppressesAndRetainsNothing) {
  // A far count of 0 is not below N = 0: an empty protein gets no environment.
  const EnvironmentShell shell = InstallEnvironment({}, {6.5, 0.8, 3.5}, TwoPointCell());
  EXPECT_EQ(shell.suppressedCount, 0);
  EXPECT_TRUE(shell.environmentPoints.empty());
}

TEST(EnvironmentSelection, WithoutThicknessFactorNothingIsRetained) {
  // The far limit is 0 when no "DEF C_SUPPR" line was read: every distance reaches it.
  const std::vector<PointRecord> protein{ProteinPoint(0, 0, 0)};
  const EnvironmentShell shell = InstallEnvironment(protein, {5, 0.1, 0}, TwoPointCell());
  EXPECT_TRUE(shell.environmentPoints.empty());
}

TEST(EnvironmentSelection, RetainedPointsAreEnvironmentRecordsNumberedByRank) {
  const std::vector<PointRecord> protein{ProteinPoint(0, 0, 3), ProteinPoint(0, 0, -3)};
  const EnvironmentShell shell = InstallEnvironment(protein, {5, 0.1, 1.01}, TwoPointCell());
  ASSERT_EQ(shell.environmentPoints.size(), static_cast<std::size_t>(TemplateBlockSize));
  const PointRecord& second = shell.environmentPoints[1];
  EXPECT_EQ(second.name, "XXX");
  EXPECT_EQ(second.chain, '&');
  EXPECT_EQ(second.letter, 'U');
  EXPECT_EQ(second.residueNumber, 2);
  EXPECT_DOUBLE_EQ(second.x, 4);  // template point 1, the only one read away from the origin
  EXPECT_DOUBLE_EQ(shell.environmentPoints[0].x, -4);
  EXPECT_EQ(shell.environmentPoints.back().residueNumber, TemplateBlockSize);
}

TEST(EnvironmentSelection, RanksBeyond9999WrapSoTheFourDigitFieldHolds) {
  // A fifth digit would shift the coordinates of file_01; wrapped ranks stay distinct from their
  // neighbours, which is all the point-file readers compare.
  std::vector<EnvironmentCandidate> candidates(10001);
  const EnvironmentShell shell = SelectEnvironment(candidates, {ProteinPoint(0, 0, 0)}, 0);
  ASSERT_EQ(shell.environmentPoints.size(), 10001u);
  EXPECT_EQ(shell.environmentPoints[9998].residueNumber, 9999);
  EXPECT_EQ(shell.environmentPoints[9999].residueNumber, 0);
  EXPECT_EQ(shell.environmentPoints[10000].residueNumber, 1);
}

TEST(EnvironmentSelection, FirstEnvironmentPointNeverRepeatsTheLastProteinNumber) {
  // The point-file readers drop a point whose residue number equals the previous one's, chains aside:
  // after a protein ending with residue 1, rank 1 would lose the first environment point.
  std::vector<EnvironmentCandidate> candidates(3);
  PointRecord last = ProteinPoint(0, 0, 0);
  last.residueNumber = 1;
  const EnvironmentShell shell = SelectEnvironment(candidates, {last}, 0);
  ASSERT_EQ(shell.environmentPoints.size(), 3u);
  EXPECT_EQ(shell.environmentPoints[0].residueNumber, 2);
  EXPECT_EQ(shell.environmentPoints[2].residueNumber, 4);
  last.residueNumber = 7;
  EXPECT_EQ(SelectEnvironment(candidates, {last}, 0).environmentPoints[0].residueNumber, 1);
}

TEST(ProteinBox, CentreIsKeptInSinglePrecisionAndStartsAtTheOrigin) {
  EXPECT_EQ(ProteinCentre({}).x, 0.0);  // minima start at 1000, maxima at -1000
  const TemplatePoint centre = ProteinCentre({ProteinPoint(0.1, -2.5, 7.3), ProteinPoint(0.3, 2.5, 7.3)});
  EXPECT_EQ(centre.x, static_cast<double>(0.1f + 0.3f) * 0.5);
  EXPECT_EQ(centre.y, 0.0);
  EXPECT_EQ(centre.z, static_cast<double>(7.3f));
}

}  // namespace
}  // namespace mirelda
