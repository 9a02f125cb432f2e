// Golden files of the environment and the assignment on the real protein 1A8O: orvane's file_01 (the
// protein's points and the environment shell around them) and attribution's class file, each compared
// line by line with the committed one. The run is the front-end's typical one: CA points, radius 6.5,
// thickness 3.5, the tessellation without weights.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/ca_points.h"
#include "tests/support/golden_file.h"
#include "tests/support/point_sets.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

namespace mirelda {
namespace {

using testing::RunProgram;

class GoldenFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto protein = testing::TestProtein("1A8O.pdb");
    if (!protein) return;
    for (const char* file : {"spherepack_1.txt", "Tab_cen_2", "Tab_ext_2"}) {
      const auto data = testing::RequireInput(testing::AppDir() / file, "the build puts it there");
      if (!data) return;
      std::filesystem::copy_file(*data, folder_ / file);
    }
    std::filesystem::create_directory(folder_ / "1a8o");
    folder_.Write("file_00",
                  testing::PointFileText(testing::ReadCaPoints(*protein),
                                         {"DEF RSPHERE 6.5", "DEF C_SUPER 0.8", "DEF C_SUPPR 3.5"}));
    folder_.Write("option_bis.txt", "NOM_PROT:1a8o\r\nDCUT:16\r\nRCUT:10\r\n");
  }

  testing::ScratchFolder folder_;
};

TEST_F(GoldenFiles, EnvironmentShellOf1A8O) {
  const testing::ProgramRun run = RunProgram("orvane", folder_.Path());
  ASSERT_EQ(run.exitStatus, 0) << run.standardError;
  testing::ExpectSameLines(folder_.Read("file_01"), testing::TestDataDir() / "orvane/file_01_1a8o");
}

TEST_F(GoldenFiles, ClassesOf1A8O) {
  ASSERT_EQ(RunProgram("orvane", folder_.Path()).exitStatus, 0);
  std::filesystem::copy_file(folder_ / "file_01", folder_ / "file_02");
  ASSERT_EQ(RunProgram("brindel", folder_.Path()).exitStatus, 0);
  const testing::ProgramRun run = RunProgram("attribution", folder_.Path());
  ASSERT_EQ(run.exitStatus, 0) << run.standardError;
  testing::ExpectSameLines(folder_.Read("1a8o/1a8o_resu"), testing::TestDataDir() / "attribution/1a8o_resu");
}

}  // namespace
}  // namespace mirelda
