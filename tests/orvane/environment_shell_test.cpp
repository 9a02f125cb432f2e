// The environment shell: template replication, the exact near and far comparisons, the counts and the
// numbering of the environment points.
#include "orvane/environment_shell.h"

#include <gtest/gtest.h>

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
