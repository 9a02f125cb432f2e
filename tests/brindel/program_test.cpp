// The brindel program in a scratch working folder: its messages, its result files, its exit statuses and
// its marker.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "brindel/cell_scene.h"
#include "tests/support/point_sets.h"
#include "tests/support/scratch_folder.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda {
namespace {

using testing::MakePoint;
using testing::ProgramRun;
using testing::RunProgram;
using testing::ScratchFolder;

const char* const kGridOptions = "NOM_PROT:1abc\r\nDCUT:9\r\nRCUT:8\r\n";

std::size_t LineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct BrindelRun {
  ScratchFolder folder;
  ProgramRun result;

  BrindelRun(const std::string& options, const std::string& points, bool makeResultsFolder = true) {
    folder.Write("option_bis.txt", options);
    folder.Write("file_02", points);
    if (makeResultsFolder) std::filesystem::create_directory(folder / "1abc");
    result = RunProgram("brindel", folder.Path());
  }
  std::string Result(const std::string& name) const { return folder.Read("1abc/" + name); }
  bool Marked() const { return folder.Exists("test_tessellation"); }
};

TEST(BrindelMessages, OnlyTheNameGivesDefaultsAndTwentyOneZeroWeights) {
  BrindelRun run("NOM_PROT:1abc\r\n", "");
  std::string expected;
  for (char letter : std::string("ACDEFGHIKLMNPQRSTUVWY")) expected += std::string(1, letter) + "    0.0\n";
  expected +=
      "1abc : tessellation on 0 points\nRCUT = 10.000000\nDCUT = 16.000000\n\n0 amino acids\n"
      "tessellation : please wait ...\n";
  EXPECT_EQ(run.result.standardError, expected);
  EXPECT_EQ(run.result.exitStatus, 0);
}

TEST(BrindelMessages, WeightsEchoWithOneDecimalInSixCharacters) {
  BrindelRun run("NOM_PROT:1abc\n>A:88.6\n>W:237.25\n>U:1234.5\n", "");
  EXPECT_EQ(run.result.standardError.substr(0, 9), "A   88.6\n");
  EXPECT_NE(run.result.standardError.find("\nW  237.2\n"), std::string::npos);
  EXPECT_NE(run.result.standardError.find("\nU 1234.5\n"), std::string::npos);
}

TEST(BrindelMessages, ANegativeWeightIsReportedAndCountsAsZero) {
  // The power of a negative weight is undefined; it must give the cells of a zero weight, not NaN.
  const std::string points = testing::PointFileText(testing::JitteredGrid(4, 4, 0.25));
  BrindelRun negative(std::string(kGridOptions) + ">A:-50\n", points);
  BrindelRun zero(kGridOptions, points);
  EXPECT_NE(negative.result.standardError.find("A  -50.0\nC    0.0\n"), std::string::npos);
  EXPECT_NE(negative.result.standardError.find("weight of A (-50.0) is not a usable weight: taken as 0\n"),
            std::string::npos);
  EXPECT_EQ(negative.result.exitStatus, 0);
  EXPECT_EQ(negative.Result("C1abc"), zero.Result("C1abc"));
  EXPECT_EQ(negative.Result("C1abc").find("nan"), std::string::npos);
  // A weight far beyond any residue volume would swallow the planes' digits: it counts as 0 as well.
  BrindelRun huge(std::string(kGridOptions) + ">A:1e30\n", points);
  EXPECT_NE(huge.result.standardError.find("weight of A ("), std::string::npos);
  EXPECT_EQ(huge.Result("C1abc"), zero.Result("C1abc"));
}

TEST(BrindelResults, AnEmptyPointFileGivesHeadersOnlyAndTheMarker) {
  BrindelRun run("NOM_PROT:1abc\n", "REMARK nothing here\n");
  EXPECT_EQ(run.result.exitStatus, 0);
  EXPECT_TRUE(run.Marked());
  for (const char* name : {"C1abc", "F1abc", "1abc_error2", "1abc_contact"}) {
    EXPECT_TRUE(run.folder.Exists(std::string("1abc/") + name)) << name;
    EXPECT_EQ(run.Result(name), "") << name;
  }
  EXPECT_EQ(run.Result("1abc.wrl"), CellSceneHeader);
  EXPECT_EQ(run.Result("premier.wrl"), FirstLayerSceneHeader);
}

TEST(BrindelResults, ANameOfSevenCharactersKeepsFour) {
  BrindelRun run("NOM_PROT:1abcdef\n", "");
  EXPECT_TRUE(run.folder.Exists("1abc/C1abc"));
  EXPECT_TRUE(run.Marked());
}

TEST(BrindelResults, AnIsolatedPointWritesAnEmptyClosedBlock) {
  BrindelRun run("NOM_PROT:1abc\n", testing::PointFileText({MakePoint(1, 2, 3, "GLY", 'B', 7)}));
  EXPECT_EQ(run.Result("C1abc"), "G    7 B    0.000    0.000  0 V   0.0\n");
  EXPECT_EQ(run.Result("F1abc"), "");
  EXPECT_EQ(run.Result("1abc_contact"), "0\n");
  EXPECT_EQ(run.Result("1abc.wrl"),
            std::string(CellSceneHeader) + SceneOpening('G', 'B', 7) +
                "]}\nccw FALSE\nsolid FALSE\ncreaseAngle 0.5\n\ncoordIndex\n[\n]}}\n#AAFIN-G=B!7\n");
  EXPECT_EQ(run.Result("premier.wrl"), FirstLayerSceneHeader);
}

TEST(BrindelResults, OpenCellsWarnAndClosedCellsGetSceneBlocks) {
  BrindelRun run(kGridOptions, testing::PointFileText(testing::JitteredGrid(5, 4, 0.25)));
  ASSERT_EQ(run.result.exitStatus, 0);
  const std::string cells = run.Result("C1abc"), faces = run.Result("F1abc"), scene = run.Result("1abc.wrl");
  EXPECT_EQ(LineCount(cells), 125u);
  EXPECT_EQ(LineCount(run.Result("1abc_error2")), 125u - 27u);  // the outer layer is not in the bulk
  std::size_t blocks = 0;
  for (std::size_t at = scene.find("#AADEB"); at != std::string::npos; at = scene.find("#AADEB", at + 1))
    ++blocks;
  EXPECT_EQ(blocks, 27u);
  // Every C line's face count matches its F lines, and every F line repeats its cell's state.
  std::istringstream cellLines(cells), faceLines(faces);
  std::string cellLine, faceLine;
  while (std::getline(cellLines, cellLine)) {
    const int count = std::stoi(cellLine.substr(27, 2));
    const char state = cellLine[30];
    for (int f = 0; f < count; ++f) {
      ASSERT_TRUE(std::getline(faceLines, faceLine));
      EXPECT_EQ(faceLine.substr(0, 8), cellLine.substr(0, 8));
      EXPECT_EQ(faceLine[9], state);
    }
  }
  EXPECT_FALSE(std::getline(faceLines, faceLine));
  // No amino acid touches the environment: the first-layer scene is empty.
  EXPECT_EQ(run.Result("premier.wrl"), FirstLayerSceneHeader);
}

// A 5-grid whose middle point is an alanine and all others environment points.
std::vector<PointRecord> AlanineInEnvironment() {
  std::vector<PointRecord> grid = testing::JitteredGrid(5, 4, 0.25);
  std::vector<PointRecord> points = {grid[62]};
  for (int k = 0; k < static_cast<int>(grid.size()); ++k) {
    if (k == 62) continue;
    PointRecord environment = grid[k];
    environment.name = "XXX";
    environment.letter = 'U';
    environment.chain = '&';
    environment.residueNumber = 1000 + k;
    points.push_back(environment);
  }
  return points;
}

TEST(BrindelResults, EnvironmentPointsWriteNothingAndTheirNeighbourGoesToTheFirstLayer) {
  BrindelRun run(kGridOptions, testing::PointFileText(AlanineInEnvironment()));
  ASSERT_EQ(run.result.exitStatus, 0);
  const std::string cells = run.Result("C1abc");
  ASSERT_EQ(LineCount(cells), 1u);
  EXPECT_EQ(cells.substr(0, 8), "A   63 A");
  EXPECT_EQ(cells.substr(cells.size() - 9), " V 100.0\n");
  EXPECT_EQ(run.Result("1abc_contact"), "0\n");
  EXPECT_EQ(run.Result("1abc_error2"), "");
  const std::string faces = run.Result("F1abc");
  EXPECT_EQ(faces.find("\nU"), std::string::npos);
  const std::string scene = run.Result("1abc.wrl");
  EXPECT_EQ(run.Result("premier.wrl"),
            std::string(FirstLayerSceneHeader) + scene.substr(scene.find("#AADEB")));
}

TEST(BrindelResults, AResidueNameOfNoTableIsWrittenWithTheLetterZero) {
  std::vector<PointRecord> points = testing::JitteredGrid(3, 4, 0.25);
  points[13].name = "ZZZ";
  points[13].letter = '0';
  BrindelRun run("NOM_PROT:1abc\nDCUT:9\nRCUT:8\n>A:100\n", testing::PointFileText(points));
  EXPECT_EQ(run.result.exitStatus, 0);
  EXPECT_NE(run.Result("C1abc").find("\n0   14 A"), std::string::npos);
  EXPECT_NE(run.Result("1abc.wrl").find("#AADEB-0=A!14\n"), std::string::npos);
}

TEST(BrindelResults, MoreThan9999PointsAreTessellated) {
  // Tables of 10000 entries would overflow here; environment points keep the contact file small.
  std::vector<PointRecord> points;
  for (int k = 0; k < 10001; ++k) {
    const bool amino = k < 3;
    points.push_back(MakePoint((k % 100) * 5.0, (k / 100) * 5.0, (k * 37 % 11) * 0.3, amino ? "ALA" : "XXX",
                               amino ? 'A' : '&', k % 9000 + 1));
  }
  BrindelRun run("NOM_PROT:1abc\nDCUT:9\nRCUT:8\n", testing::PointFileText(points));
  EXPECT_NE(run.result.standardError.find("tessellation on 10001 points\n"), std::string::npos);
  EXPECT_EQ(run.result.exitStatus, 0);
  EXPECT_EQ(LineCount(run.Result("C1abc")), 3u);
  EXPECT_EQ(run.Result("1abc_contact").size(), 3u * 4u);
}

TEST(BrindelFailures, TooManyNeighboursStopsWithoutMarker) {
  // 202 points within DCUT of each other: the first centre has 201 candidates.
  std::vector<PointRecord> points;
  for (int k = 0; k < 202; ++k) points.push_back(MakePoint(k * 0.01, 0, 0, "LYS", 'C', k + 1));
  BrindelRun run("NOM_PROT:1abc\n", testing::PointFileText(points));
  EXPECT_EQ(run.result.exitStatus, 3);
  EXPECT_FALSE(run.Marked());
  const std::string& errors = run.result.standardError;
  EXPECT_EQ(errors.substr(errors.size() - 22), "IVMAX too small 1 C K\n");
}

TEST(BrindelFailures, CutOffsThatAreNotPositiveNumbersAreRefusedBeforeAnyResult) {
  const std::string points = testing::PointFileText(testing::JitteredGrid(3, 4, 0.25));
  for (const char* options : {"NOM_PROT:1abc\nDCUT:0\n", "NOM_PROT:1abc\nDCUT:-16\n", "NOM_PROT:1abc\nDCUT:nan\n",
                              "NOM_PROT:1abc\nRCUT:0\n", "NOM_PROT:1abc\nDCUT:1e999\n"}) {
    BrindelRun run(options, points);
    EXPECT_EQ(run.result.exitStatus, 1) << options;
    EXPECT_FALSE(run.Marked()) << options;
    EXPECT_FALSE(run.folder.Exists("1abc/C1abc")) << options;
    EXPECT_NE(run.result.standardError.find("is not a usable cut-off"), std::string::npos) << options;
  }
}

TEST(BrindelFailures, PointsWhereNoCellHasAFaceGiveNoMarker) {
  std::vector<PointRecord> plane, line, apart;
  for (const PointRecord& point : testing::JitteredGrid(4, 4, 0.5)) {
    plane.push_back(MakePoint(point.x, point.y, 0, "ALA", 'A', point.residueNumber));
    line.push_back(MakePoint(point.x + 4 * point.y + 16 * point.z, 0, 0, "ALA", 'A', point.residueNumber));
  }
  apart = {MakePoint(0, 0, 0, "ALA", 'A', 1), MakePoint(50, 0, 0, "GLY", 'A', 2)};
  for (const auto& points : {plane, line, apart}) {
    BrindelRun run(kGridOptions, testing::PointFileText(points));
    EXPECT_EQ(run.result.exitStatus, 1) << points.size();
    EXPECT_FALSE(run.Marked());
    EXPECT_NE(run.result.standardError.find("no cell has a face: nothing to analyse\n"), std::string::npos);
    EXPECT_NE(run.result.standardError.find(std::to_string(points.size()) + " of " +
                                            std::to_string(points.size()) + " cells have no face"),
              std::string::npos);
  }
  // One point far from the others keeps its empty cell; the run is a success that says so.
  std::vector<PointRecord> grid = testing::JitteredGrid(3, 4, 0.25);
  grid.push_back(MakePoint(200, 200, 200, "GLY", 'B', 99));
  BrindelRun run(kGridOptions, testing::PointFileText(grid));
  EXPECT_EQ(run.result.exitStatus, 0);
  EXPECT_TRUE(run.Marked());
  EXPECT_NE(run.result.standardError.find("1 of 28 cells have no face"), std::string::npos);
}

TEST(BrindelFailures, AMissingOptionFileStopsWithoutMarker) {
  ScratchFolder folder;
  folder.Write("file_02", "");
  const ProgramRun run = RunProgram("brindel", folder.Path());
  EXPECT_EQ(run.standardError, "cannot open option_bis.txt\n");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_FALSE(folder.Exists("test_tessellation"));
}

TEST(BrindelFailures, AMissingPointFileStopsWithoutMarker) {
  ScratchFolder folder;
  folder.Write("option_bis.txt", "NOM_PROT:1abc\n");
  const ProgramRun run = RunProgram("brindel", folder.Path());
  EXPECT_EQ(run.standardError.substr(run.standardError.size() - 20), "cannot open file_02\n");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_FALSE(folder.Exists("test_tessellation"));
}

TEST(BrindelFailures, AMissingResultsFolderIsCreated) {
  BrindelRun run(kGridOptions, testing::PointFileText(testing::JitteredGrid(3, 4, 0.25)), false);
  EXPECT_EQ(run.result.exitStatus, 0);
  EXPECT_TRUE(run.Marked());
  EXPECT_EQ(LineCount(run.Result("C1abc")), 27u);
}

TEST(BrindelFailures, AnOutputThatCannotBeOpenedIsNoSuccess) {
  // A folder in the way of the C file: the other files are still written, but the run must not be
  // reported as complete.
  ScratchFolder folder;
  folder.Write("option_bis.txt", "NOM_PROT:1abc\n");
  folder.Write("file_02", testing::PointFileText({MakePoint(1, 2, 3)}));
  std::filesystem::create_directories(folder / "1abc/C1abc");
  const ProgramRun run = RunProgram("brindel", folder.Path());
  EXPECT_NE(run.standardError.find("cannot open 1abc/C1abc\n"), std::string::npos);
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_FALSE(folder.Exists("test_tessellation"));
  EXPECT_EQ(folder.Read("1abc/1abc_contact"), "0\n");
}

TEST(BrindelFailures, AFirstLayerSceneThatCannotBeOpenedIsNoSuccess) {
  ScratchFolder folder;
  folder.Write("option_bis.txt", "NOM_PROT:1abc\n");
  folder.Write("file_02", testing::PointFileText({MakePoint(1, 2, 3)}));
  std::filesystem::create_directories(folder / "1abc/premier.wrl");
  const ProgramRun run = RunProgram("brindel", folder.Path());
  EXPECT_NE(run.standardError.find("cannot open 1abc/premier.wrl\n"), std::string::npos);
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_FALSE(folder.Exists("test_tessellation"));
}

// A first-layer scene that could be opened but not written once ended with status 2 and not a word.
TEST(BrindelFailures, AFirstLayerSceneThatCannotBeWrittenIsReported) {
  ScratchFolder folder;
  folder.Write("option_bis.txt", "NOM_PROT:1abc\n");
  folder.Write("file_02", testing::PointFileText({MakePoint(1, 2, 3)}));
  std::filesystem::create_directories(folder / "1abc");
  std::filesystem::create_symlink("/dev/full", folder / "1abc/premier.wrl");
  const ProgramRun run = RunProgram("brindel", folder.Path());
  EXPECT_NE(run.standardError.find("fichier premier.wrl encore ouvert\n"), std::string::npos) << run.standardError;
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_FALSE(folder.Exists("test_tessellation"));
}

}  // namespace
}  // namespace mirelda
