// The console programs chained as the front-end chains them, on a real protein: environment, optional
// relaxation, tessellation. With the default shell every residue of a compact globular protein lies in
// the bulk, and the share of a cell facing the environment tells surface residues from buried ones.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "brindel/exchange/decimal_reading.h"
#include "tests/support/ca_points.h"
#include "brindel/exchange/cell_lines.h"
#include "brindel/exchange/option_files.h"
#include "brindel/exchange/text_lines.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::exchange;

namespace mirelda {
namespace {

using testing::RunProgram;
using testing::ScratchFolder;

// The cells of a C file.
std::vector<CellLine> ReadCellFile(const std::string& text) {
  std::vector<CellLine> cells;
  for (std::string_view line : SplitLines(text))
    if (const auto cell = ParseCellLine(line)) cells.push_back(*cell);
  return cells;
}

class ConsolePipeline : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto protein = testing::TestProtein("1A8O.pdb");
    if (!protein) return;
    points = testing::ReadCaPoints(*protein);
    std::filesystem::copy_file(testing::AppDir() / "spherepack_1.txt", folder / "spherepack_1.txt");
    std::filesystem::create_directory(folder / "1a8o");
    folder.Write("file_00", testing::PointFileText(
                                points, {"DEF RSPHERE 6.5\r", "DEF C_SUPER 0.8\r", "DEF C_SUPPR 3.5\r"}));
    folder.Write("option_bis.txt", exchange::FormatTessellationOptions("1a8o", exchange::DefaultWeights));
    ASSERT_EQ(RunProgram("orvane", folder.Path()).exitStatus, 0);
  }

  void Tessellate() {
    ASSERT_EQ(RunProgram("brindel", folder.Path()).exitStatus, 0);
    cells = ReadCellFile(folder.Read("1a8o/C1a8o"));
  }

  // Mean distance from the protein's centroid of the residues whose share passes the test.
  double MeanCentroidDistance(bool (*select)(double share)) const {
    double cx = 0, cy = 0, cz = 0;
    for (const PointRecord& p : points) cx += p.x, cy += p.y, cz += p.z;
    const double n = static_cast<double>(points.size());
    cx /= n, cy /= n, cz /= n;
    double sum = 0;
    int count = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (!select(cells[i].environmentShare)) continue;
      sum += std::sqrt(std::pow(points[i].x - cx, 2) + std::pow(points[i].y - cy, 2) +
                       std::pow(points[i].z - cz, 2));
      ++count;
    }
    return count > 0 ? sum / count : 0;
  }

  void ExpectEveryResidueInTheBulkWithPlausibleExposures() {
    ASSERT_EQ(cells.size(), points.size());
    for (const CellLine& cell : cells) EXPECT_TRUE(cell.closed) << "residue " << cell.residueNumber;
    EXPECT_EQ(folder.Read("1a8o/1a8o_error2"), "");
    const auto buried = [](double share) { return share == 0.0; };
    const auto exposed = [](double share) { return share >= 40.0; };
    const double buriedDistance = MeanCentroidDistance(buried),
                 exposedDistance = MeanCentroidDistance(exposed);
    std::printf("1A8O: buried residues %.1f from the centroid, exposed ones %.1f\n", buriedDistance,
                exposedDistance);
    EXPECT_GT(buriedDistance, 0);
    EXPECT_GT(exposedDistance, 1.3 * buriedDistance);
  }

  ScratchFolder folder;
  std::vector<PointRecord> points;
  std::vector<CellLine> cells;
};

TEST_F(ConsolePipeline, EnvironmentThenTessellationPutsEveryResidueInTheBulk) {
  std::filesystem::copy_file(folder / "file_01", folder / "file_02");
  Tessellate();
  ExpectEveryResidueInTheBulkWithPlausibleExposures();
}

TEST_F(ConsolePipeline, RelaxationKeepsEveryResidueInTheBulk) {
  folder.Write("option.txt", FormatRelaxationOptions("1a8o", 8, false, true));
  const auto relaxation = RunProgram("relaxation", folder.Path());
  ASSERT_EQ(relaxation.exitStatus, 0);
  EXPECT_NE(relaxation.standardError.find(" 9/ 9 please wait ..."),
            std::string::npos);  // ERROR never stopped it
  EXPECT_EQ(folder.Read("1a8o/1a8o_error"), "RELAXATION:8\n");
  Tessellate();
  ExpectEveryResidueInTheBulkWithPlausibleExposures();
}

}  // namespace
}  // namespace mirelda
