// The profiles along the sequence: one per chain in the order of the table, each residue's measures
// only when it has a cell, the bulk and the class, and the residue nearest to a picked number.
#include "mirelda/results/sequence_profiles.h"

#include <gtest/gtest.h>

#include "mirelda/results/cell_reader.h"
#include "tests/frontend_results/results_fixture.h"

using namespace mirelda::results;

namespace mirelda {
namespace {

TEST(SequenceProfiles, GivesTheCellsMeasuresChainByChainAndFindsTheNearestResidue) {
  testing::TableFixture fixture;
  testing::BuildProtein(fixture, testing::FiveResidues());
  ReadCellText(testing::kCellText, "C1tst", fixture.residues, fixture.tab1, {true, '.', {}});
  const std::vector<ChainProfile> profiles = SequenceProfiles(fixture.tab1, fixture.residues);
  ASSERT_EQ(profiles.size(), 1u);
  EXPECT_EQ(profiles[0].chain, "A");
  ASSERT_EQ(profiles[0].points.size(), 5u);
  const ProfilePoint& m1 = profiles[0].points[0];
  EXPECT_EQ(m1.resSeq, 1);
  EXPECT_EQ(m1.tableRow, 1);
  EXPECT_TRUE(m1.inBulk);
  EXPECT_EQ(MeasureOf(m1, ProfileMeasure::Volume, true), 25.125);
  EXPECT_EQ(MeasureOf(m1, ProfileMeasure::Area, true), 48.25);
  EXPECT_EQ(MeasureOf(m1, ProfileMeasure::Exposure, true), 12.5);
  EXPECT_EQ(MeasureOf(m1, ProfileMeasure::FaceCount, true), 14);
  EXPECT_EQ(MeasureOf(m1, ProfileMeasure::Exposure, false), std::nullopt);
  EXPECT_EQ(MeasureOf(profiles[0].points[2], ProfileMeasure::Volume, true), std::nullopt);  // L3: no cell
  EXPECT_TRUE(profiles[0].points[3].hasCell);
  EXPECT_FALSE(profiles[0].points[3].inBulk);  // G4 is open
  EXPECT_EQ(profiles[0].points[0].residueClass, 0);  // no class column yet
  EXPECT_EQ(NearestRow(profiles[0], 3.8), 4);
  EXPECT_EQ(NearestRow(profiles[0], -20), 1);
  EXPECT_EQ(NearestRow(ChainProfile{}, 2), 0);
}

}  // namespace
}  // namespace mirelda
