// The CA-point helper that turns real proteins into point files for the program tests.
#include "tests/support/ca_points.h"

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::exchange;

namespace mirelda::testing {
namespace {

TEST(CaPoints, FirstModelOneCaPerResidueWithoutOtherAlternateLocations) {
  ScratchFolder folder;
  folder.Write("model.pdb",
               "MODEL        1\r\n"
               "ATOM      1  N   MET A   1      11.104   6.134  -6.504  1.00  0.00           N\r\n"
               "ATOM      2  CA  MET A   1      11.639   6.071  -5.147  1.00  0.00           C\r\n"
               "ATOM      3  CA ASER A   2      -1.500   2.000   3.250  0.50  0.00           C\r\n"
               "ATOM      4  CA BSER A   2      -1.600   2.100   3.350  0.50  0.00           C\r\n"
               "HETATM    5  CA  MSE A   3       0.000   0.000   0.000  1.00  0.00           C\r\n"
               "ATOM      6  CA  GLY B   2       5.000   5.000   5.000  1.00  0.00           C\r\n"
               "ENDMDL\r\n"
               "MODEL        2\r\n"
               "ATOM      7  CA  LYS A   9       9.000   9.000   9.000  1.00  0.00           C\r\n");
  const std::vector<PointRecord> points = ReadCaPoints(folder / "model.pdb");
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[0].name, "MET");
  EXPECT_EQ(points[0].letter, 'M');
  EXPECT_DOUBLE_EQ(points[0].x, 11.639);
  EXPECT_EQ(points[1].name, "SER");
  EXPECT_DOUBLE_EQ(points[1].x, -1.5);
  EXPECT_DOUBLE_EQ(points[1].z, 3.25);
  EXPECT_EQ(points[2].chain, 'B');
  EXPECT_EQ(points[2].residueNumber, 2);
  EXPECT_EQ(PointFileText(points, {"DEF RSPHERE 6.5"}).substr(0, 16 + 55),
            "DEF RSPHERE 6.5\nATOM      1  C   MET A   1      11.639   6.071  -5.147\n");
}

}  // namespace
}  // namespace mirelda::testing
