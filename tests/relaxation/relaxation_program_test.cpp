// The relaxation program: its option file, passes, progress text, error and coordinate files, file_02
// and the marker, run in a scratch working folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "brindel/exchange/point_file.h"
#include "tests/support/point_sets.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::exchange;

namespace mirelda {
namespace {

using testing::RunProgram;
using testing::ScratchFolder;

// A jittered grid of alanines in which, with environment, every other inner point is an environment
// point; as the environment program writes file_01, the environment points come last.
std::string GridPointFile(bool withEnvironment) {
  std::vector<PointRecord> protein, environment;
  for (const PointRecord& point : testing::JitteredGrid(5, 4, 0.3, 3)) {
    const int i = static_cast<int>(point.x / 4 + 0.5), j = static_cast<int>(point.y / 4 + 0.5),
              k = static_cast<int>(point.z / 4 + 0.5);
    const bool inner = i > 0 && i < 4 && j > 0 && j < 4 && k > 0 && k < 4 && (i + j + k) % 2 == 0;
    if (withEnvironment && inner) {
      environment.push_back(testing::MakePoint(point.x, point.y, point.z, "XXX", '&',
                                               static_cast<int>(environment.size()) + 1));
    } else {
      protein.push_back(
          testing::MakePoint(point.x, point.y, point.z, "ALA", 'A', static_cast<int>(protein.size()) + 1));
    }
  }
  protein.insert(protein.end(), environment.begin(), environment.end());
  return testing::PointFileText(protein);
}

std::vector<PointRecord> Points(const std::string& text) {
  std::istringstream in(text);
  return ReadPointFile(in).points;
}

const std::string kProgress(21, '\b');

class RelaxationProgram : public ::testing::Test {
 protected:
  void Prepare(const std::string& options, bool withEnvironment = true) {
    folder.Write("option.txt", options);
    folder.Write("file_01", GridPointFile(withEnvironment));
    std::filesystem::create_directory(folder / "1abc");
  }
  ScratchFolder folder;
};

TEST_F(RelaxationProgram, RlxZeroRunsExactlyOnePass) {
  Prepare("NOM_PROT:1abc\r\nRLX:0\r\nDCUT:9\r\nRCUT:8\r\n");
  const auto run = RunProgram("relaxation", folder.Path());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.standardError, "1abc : tessellation on 125 points\nRCUT = 8.000000\nDCUT = 9.000000\n\n" +
                                   kProgress + " 1/ 1 please wait ...\n");
  EXPECT_TRUE(folder.Exists("test_relaxation"));
  EXPECT_EQ(folder.Read("1abc/1abc_error").substr(0, 13), "RELAXATION:0\n");
}

TEST_F(RelaxationProgram, MovesOnlyEnvironmentPointsAndRenumbersEveryLine) {
  Prepare("NOM_PROT:1abc\r\nRLX:2\r\nDCUT:9\r\nRCUT:8\r\n");
  ASSERT_EQ(RunProgram("relaxation", folder.Path()).exitStatus, 0);
  const std::string output = folder.Read("file_02");
  const std::vector<PointRecord> before = Points(folder.Read("file_01"));
  const std::vector<PointRecord> after = Points(output);
  ASSERT_EQ(after.size(), before.size());
  int moved = 0;
  for (std::size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].name, before[i].name);
    if (before[i].IsEnvironment()) {
      moved += after[i].x != before[i].x;
    } else {
      EXPECT_EQ(after[i].x, before[i].x);
    }
  }
  EXPECT_GT(moved, 0);
  EXPECT_EQ(output.substr(0, 11), "ATOM      1");
  EXPECT_NE(output.find("ATOM    125  C   XXX &  13"), std::string::npos);
}

TEST_F(RelaxationProgram, WithoutEnvironmentFile02RepeatsThePoints) {
  Prepare("NOM_PROT:1abc\nRLX:1\nDCUT:9\nRCUT:8\n", /*withEnvironment=*/false);
  ASSERT_EQ(RunProgram("relaxation", folder.Path()).exitStatus, 0);
  EXPECT_EQ(folder.Read("file_02"), folder.Read("file_01"));
}

TEST_F(RelaxationProgram, ErrorSwitchStopsAfterThePassThatFoundAnOpenAminoAcid) {
  Prepare("NOM_PROT:1abc\nRLX:5\nDCUT:9\nRCUT:8\nERROR\n");
  const auto run = RunProgram("relaxation", folder.Path());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_NE(run.standardError.find(" 1/ 6 please wait ..."), std::string::npos);
  EXPECT_EQ(run.standardError.find(" 2/ 6"), std::string::npos);
  const std::string errors = folder.Read("1abc/1abc_error");
  EXPECT_EQ(errors.substr(0, 13), "RELAXATION:0\n");
  EXPECT_NE(errors.find("WARNING : THIS AA IS NOT IN THE BULK : A   1 A\n"), std::string::npos);
  // file_02 holds the moves of that one pass.
  EXPECT_NE(folder.Read("file_02"), folder.Read("file_01"));
}

TEST_F(RelaxationProgram, TheErrorFileHoldsTheOpenAminoAcidsOfTheLastPass) {
  Prepare("NOM_PROT:1abc\nRLX:2\nDCUT:9\nRCUT:8\n");
  ASSERT_EQ(RunProgram("relaxation", folder.Path()).exitStatus, 0);
  const std::string errors = folder.Read("1abc/1abc_error");
  EXPECT_EQ(errors.substr(0, 13), "RELAXATION:2\n");
  EXPECT_NE(errors.find("WARNING : THIS AA IS NOT IN THE BULK : A   1 A\n"), std::string::npos);
}

TEST_F(RelaxationProgram, NegativeRlxRunsNoPassAndWritesNoErrorFile) {
  Prepare("NOM_PROT:1abc\nRLX:-1\nDCUT:9\nRCUT:8\n");
  const auto run = RunProgram("relaxation", folder.Path());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.standardError.find("please wait"), std::string::npos);
  EXPECT_FALSE(folder.Exists("1abc/1abc_error"));
  EXPECT_EQ(folder.Read("file_02"), folder.Read("file_01"));
  EXPECT_TRUE(folder.Exists("test_relaxation"));
}

TEST_F(RelaxationProgram, EachWritesACoordinateFilePerPassWithThatPassMoves) {
  Prepare("NOM_PROT:1abc\nRLX:2\nDCUT:9\nRCUT:8\nEACH\n");
  ASSERT_EQ(RunProgram("relaxation", folder.Path()).exitStatus, 0);
  for (const char* name : {"1abc/1abc_R1", "1abc/1abc_R2", "1abc/1abc_R3"}) {
    EXPECT_EQ(Points(folder.Read(name)).size(), 125u) << name;
  }
  EXPECT_FALSE(folder.Exists("1abc/1abc_R4"));
  EXPECT_NE(folder.Read("1abc/1abc_R1"), folder.Read("1abc/1abc_R2"));
  EXPECT_EQ(folder.Read("1abc/1abc_R3"), folder.Read("file_02"));
}

TEST_F(RelaxationProgram, AMissingInputFailsWithoutMarkerAndAMissingResultsFolderIsMade) {
  folder.Write("option.txt", "NOM_PROT:1abc\nRLX:0\n");
  auto run = RunProgram("relaxation", folder.Path());
  EXPECT_NE(run.exitStatus, 0);
  EXPECT_EQ(run.standardError, "cannot open file_01\n");

  // Like the tessellation, the relaxation makes the results folder its error file goes to.
  folder.Write("file_01", GridPointFile(true));
  std::filesystem::remove_all(folder / "1abc");
  run = RunProgram("relaxation", folder.Path());
  EXPECT_EQ(run.exitStatus, 0) << run.standardError;
  EXPECT_TRUE(folder.Exists("1abc/1abc_error"));
  EXPECT_TRUE(folder.Exists("test_relaxation"));
  std::filesystem::remove(folder / "test_relaxation");

  std::filesystem::remove(folder / "option.txt");
  run = RunProgram("relaxation", folder.Path());
  EXPECT_EQ(run.standardError, "cannot open option.txt\n");
  EXPECT_FALSE(folder.Exists("test_relaxation"));
}

// RLX:2147483647 once overflowed the pass counter and, in a release build, ran for ever with the front-end
// waiting on it.
TEST_F(RelaxationProgram, AHugeRelaxationCountIsCappedAndSaid) {
  folder.Write("option.txt", "NOM_PROT:1abc\nRLX:2147483647\nDCUT:9\nRCUT:8\n");
  folder.Write("file_01", "");
  std::filesystem::create_directories(folder / "1abc");
  const auto run = RunProgram("relaxation", folder.Path());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_NE(run.standardError.find("RLX above 999: 999 relaxations run\n"), std::string::npos)
      << run.standardError;
  EXPECT_NE(run.standardError.find("1000/1000 please wait ..."), std::string::npos);
}

TEST_F(RelaxationProgram, ACutOffThatIsNotAPositiveNumberIsRefused) {
  folder.Write("option.txt", "NOM_PROT:1abc\nRLX:1\nDCUT:0\nRCUT:8\n");
  folder.Write("file_01", GridPointFile(true));
  const auto run = RunProgram("relaxation", folder.Path());
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_FALSE(folder.Exists("test_relaxation"));
  EXPECT_NE(run.standardError.find("option.txt: DCUT:0 is not a usable cut-off"), std::string::npos)
      << run.standardError;
}

// An error file that cannot be written completely once gave "encore ouvert", then status 0 and the marker,
// and the front-end counted every residue in the bulk.
TEST_F(RelaxationProgram, AnUnwritableErrorFileFailsWithoutMarker) {
  folder.Write("option.txt", "NOM_PROT:1abc\nRLX:0\n");
  folder.Write("file_01", GridPointFile(true));
  std::filesystem::create_directories(folder / "1abc");
  std::filesystem::create_symlink("/dev/full", folder / "1abc/1abc_error");
  const auto run = RunProgram("relaxation", folder.Path());
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_NE(run.standardError.find("fichier error encore ouvert\n"), std::string::npos);
  EXPECT_FALSE(folder.Exists("test_relaxation"));
  EXPECT_FALSE(folder.Exists("file_02"));
}

}  // namespace
}  // namespace mirelda

namespace mirelda {
namespace {

// The relaxation of the committed 1A8O shell (and, with `crowded`, a tight cluster of amino acids after
// it, whose first point stops the first pass) with MIRELDA_THREADS set: exit status, messages and every
// file it leaves.
std::string RunOnThreads(const char* threads, bool crowded) {
  std::vector<PointRecord> points =
      testing::ReadPointFileAt(testing::TestDataDir() / "brindel/1a8o_shell.pnt");
  if (crowded) {
    for (int k = 0; k < 240; ++k) {
      points.push_back(testing::MakePoint(300 + k * 0.01, 300, 300, "ALA", 'B', k + 1));
    }
  }
  ScratchFolder folder;
  folder.Write("option.txt", "NOM_PROT:1a8o\r\nRLX:2\r\nEACH\r\nDCUT:16\r\nRCUT:10\r\n");
  folder.Write("file_01", testing::PointFileText(points));
  std::filesystem::create_directory(folder / "1a8o");
  setenv("MIRELDA_THREADS", threads, 1);
  const testing::ProgramRun run = RunProgram("relaxation", folder.Path());
  unsetenv("MIRELDA_THREADS");
  return testing::RunRecord(
      run, folder,
      {"file_02", "1a8o/1a8o_error", "1a8o/1a8o_R1", "1a8o/1a8o_R2", "1a8o/1a8o_R3", "test_relaxation"});
}

TEST(RelaxationThreads, LeaveTheSameFilesAsOneThread) {
  const std::string one = RunOnThreads("1", false);
  EXPECT_NE(one.find("== 1a8o/1a8o_R3\nATOM"), std::string::npos);
  EXPECT_EQ(RunOnThreads("3", false), one);
  // A stop on "IVMAX too small" leaves the files of one thread too.
  const std::string stopped = RunOnThreads("1", true);
  EXPECT_NE(stopped.find("IVMAX too small"), std::string::npos);
  EXPECT_EQ(RunOnThreads("3", true), stopped);
}

}  // namespace
}  // namespace mirelda
