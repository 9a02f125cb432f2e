// The orvane program run in a scratch folder: the exact texts of file_01, environment.wrl and the console,
// the edge runs, the failed opens, and one real protein.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>

#include "brindel/exchange/point_file.h"
#include "tests/support/ca_points.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::exchange;

namespace mirelda {
namespace {

using testing::ProgramRun;
using testing::ReadCaPoints;
using testing::RunProgram;
using testing::ScratchFolder;
using testing::TestProtein;

constexpr const char* Marker = "test_environnement";
constexpr const char* ProteinShape =
    "Shape {geometry Sphere {radius 0.6} appearance Appearance {material Material{diffuseColor 1 0.1 0.2 "
    "ambientIntensity 0.9 shininess 1 }}}]}";
constexpr const char* EnvironmentShape =
    "Shape {geometry Sphere {radius 0.6} appearance Appearance {material Material{diffuseColor 0.1 0.2 1 "
    "ambientIntensity 0.9 shininess 1 }}}]}";
constexpr const char* SceneHeader =
    "#VRML V2.0 utf8\nNavigationInfo {type [\"FLY\",\"ANY\"]}\nInline {url \"trace.wrl\"}\n";

// Two template points, (0, 0, 0) and (1.6, 0, 0): with R = 5 the block-0 candidates sit at the protein
// centre -(4, 0, 0) (template point 0 and the 1022 others) and +(4, 0, 0) (template point 1).
// The other 1022 lines of the template are the origin too.
std::string TwoPointTemplateText() {
  std::string text = "   0.0000   0.0000   0.0000\n   1.6000   0.0000   0.0000\n";
  for (int t = 2; t < 1024; ++t) text += "   0.0000   0.0000   0.0000\n";
  return text;
}
const std::string TwoPointTemplate = TwoPointTemplateText();

std::string PointLine(int serial, const char* name, char chain, int number, double x, double y, double z) {
  return FormatPointLine(serial, name, chain, number, x, y, z);
}

// Protein points at z = +3 and -3 around the origin: every block-0 candidate is exactly 5 from both.
std::string TwoPointProtein(const std::string& parameters) {
  return parameters + PointLine(1, "ALA", 'A', 1, 0, 0, 3) + PointLine(2, "GLY", 'B', 2, 0, 0, -3);
}

std::size_t CountLines(const std::string& text) {
  std::size_t n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

ProgramRun RunOrvane(const ScratchFolder& folder) { return RunProgram("orvane", folder.Path()); }

TEST(OrvaneProgram, WritesExactPointFileSceneAndConsoleLines) {
  ScratchFolder folder;
  // Parameter lines before, between and after the points, with CR LF ends; the later RSPHERE wins.
  folder.Write("file_00", "DEF RSPHERE 2\r\n" + PointLine(1, "ALA", 'A', 1, 0, 0, 3) + "DEF C_SUPER 0.1\r\n" +
                              PointLine(2, "GLY", 'B', 2, 0, 0, -3) +
                              "DEF RSPHERE 5\r\nDEF C_SUPPR 1.01\r\n");
  folder.Write("spherepack_1.txt", TwoPointTemplate);
  const ProgramRun run = RunOrvane(folder);
  ASSERT_EQ(run.exitStatus, 0) << run.standardError;
  EXPECT_EQ(run.standardError,
            "1 A 0.000000 0.000000 3.000000\n"
            "2 B 0.000000 0.000000 -3.000000\n"
            "Nb suppressed points    0\n"
            "Nb of environment points : 1024\n");

  const std::string points = folder.Read("file_01");
  EXPECT_EQ(CountLines(points), 2u + 1024u);
  EXPECT_EQ(points.substr(0, 4 * 55),
            "ATOM      1  C   ALA A   1       0.000   0.000   3.000\n"
            "ATOM      2  C   GLY B   2       0.000   0.000  -3.000\n"
            "ATOM      3  C   XXX &   1      -4.000   0.000   0.000\n"
            "ATOM      4  C   XXX &   2       4.000   0.000   0.000\n");
  EXPECT_EQ(points.substr(points.size() - 55), "ATOM   1026  C   XXX &1024      -4.000   0.000   0.000\n");

  const std::string scene = folder.Read("environment.wrl");
  const std::string expectedStart =
      std::string(SceneHeader) + "Transform {translation   0.000   0.000   3.000 children [\n" +
      ProteinShape + "Transform {translation   0.000   0.000  -3.000 children [\n" + ProteinShape +
      "Transform {translation  -4.000   0.000   0.000 children [\n" + EnvironmentShape +
      "Transform {translation   4.000   0.000   0.000 children [\n" + EnvironmentShape;
  EXPECT_EQ(scene.substr(0, expectedStart.size()), expectedStart);
  EXPECT_EQ(CountLines(scene), 3u + 1026u);  // the only line ends are those after "children ["
  EXPECT_TRUE(scene.ends_with(EnvironmentShape));
  EXPECT_TRUE(folder.Exists(Marker));
}

TEST(OrvaneProgram, CandidateExactlyAtNearDistanceIsSuppressed) {
  // One protein point at the origin; every block-0 candidate is exactly 4 = 0.8 x 5 from it.
  ScratchFolder folder;
  folder.Write("file_00",
               "DEF RSPHERE 5\nDEF C_SUPER 0.8\nDEF C_SUPPR 3.5\n" + PointLine(1, "ALA", 'A', 1, 0, 0, 0));
  folder.Write("spherepack_1.txt", TwoPointTemplate);
  const ProgramRun run = RunOrvane(folder);
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_NE(run.standardError.find("Nb suppressed points 1024\n"), std::string::npos) << run.standardError;
  EXPECT_NE(run.standardError.find("Nb of environment points :    0\n"), std::string::npos);
}

TEST(OrvaneProgram, CandidateExactlyAtFarDistanceFromEveryProteinPointIsNotRetained) {
  ScratchFolder folder;
  folder.Write("file_00", TwoPointProtein("DEF RSPHERE 5\nDEF C_SUPER 0.1\nDEF C_SUPPR 1\n"));
  folder.Write("spherepack_1.txt", TwoPointTemplate);
  const ProgramRun run = RunOrvane(folder);
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_NE(run.standardError.find("Nb of environment points :    0\n"), std::string::npos)
      << run.standardError;
  EXPECT_EQ(CountLines(folder.Read("file_01")), 2u);
}

TEST(OrvaneProgram, NoProteinPointsStillCompletesTheRun) {
  // N = 0: nothing suppressed, nothing retained, empty outputs, and the front-end must still see the marker.
  ScratchFolder folder;
  folder.Write("file_00", "DEF RSPHERE 6.5\nDEF C_SUPER 0.8\nDEF C_SUPPR 3.5\n");
  folder.Write("spherepack_1.txt", TwoPointTemplate);
  const ProgramRun run = RunOrvane(folder);
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.standardError, "Nb suppressed points    0\nNb of environment points :    0\n");
  EXPECT_EQ(folder.Read("file_01"), "");
  EXPECT_EQ(folder.Read("environment.wrl"), SceneHeader);
  EXPECT_TRUE(folder.Exists(Marker));
}

TEST(OrvaneProgram, WithoutThicknessLineNoCandidateIsRetained) {
  ScratchFolder folder;
  folder.Write("file_00", TwoPointProtein("DEF RSPHERE 5\nDEF C_SUPER 0.1\n"));
  folder.Write("spherepack_1.txt", TwoPointTemplate);
  const ProgramRun run = RunOrvane(folder);
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_NE(run.standardError.find("Nb of environment points :    0\n"), std::string::npos)
      << run.standardError;
  EXPECT_TRUE(folder.Exists(Marker));
}

// A failed open must end the run with a non-zero status and no marker, or the front-end would take
// stale or missing outputs for a finished run.
TEST(OrvaneProgram, MissingInputsEndWithoutMarker) {
  {
    ScratchFolder folder;
    folder.Write("spherepack_1.txt", TwoPointTemplate);
    const ProgramRun run = RunOrvane(folder);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.standardError, "cannot open file_00\n");
    EXPECT_FALSE(folder.Exists(Marker));
  }
  {
    ScratchFolder folder;
    folder.Write("file_00", TwoPointProtein("DEF RSPHERE 5\n"));
    const ProgramRun run = RunOrvane(folder);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_TRUE(run.standardError.ends_with("cannot open spherepack_1.txt\n")) << run.standardError;
    EXPECT_FALSE(folder.Exists("file_01"));
    EXPECT_FALSE(folder.Exists(Marker));
  }
}

TEST(OrvaneProgram, UnwritableOutputsEndWithoutMarker) {
  // A folder in the way of an output file makes its open fail.
  for (const char* blocked : {"file_01", "environment.wrl"}) {
    ScratchFolder folder;
    folder.Write("file_00", TwoPointProtein("DEF RSPHERE 5\nDEF C_SUPER 0.1\nDEF C_SUPPR 1.01\n"));
    folder.Write("spherepack_1.txt", TwoPointTemplate);
    std::filesystem::create_directory(folder / blocked);
    const ProgramRun run = RunOrvane(folder);
    EXPECT_EQ(run.exitStatus, 2) << blocked;
    const std::string message =
        std::string(blocked) == "file_01" ? "cannot open file_01\n" : "cannot open environement.wrl\n";
    EXPECT_TRUE(run.standardError.ends_with(message)) << run.standardError;
    EXPECT_FALSE(folder.Exists(Marker)) << blocked;
  }
}

TEST(OrvaneProgram, OutputThatCannotBeWrittenCompletelyEndsWithoutMarker) {
  // A full disk: the open succeeds, the writes do not. The run reports it, still writes the scene, and
  // must not signal success.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ScratchFolder folder;
  folder.Write("file_00", TwoPointProtein("DEF RSPHERE 5\nDEF C_SUPER 0.1\nDEF C_SUPPR 1.01\n"));
  folder.Write("spherepack_1.txt", TwoPointTemplate);
  std::filesystem::create_symlink("/dev/full", folder / "file_01");
  const ProgramRun run = RunOrvane(folder);
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_TRUE(run.standardError.ends_with("file_01 still open\n ")) << run.standardError;
  EXPECT_TRUE(folder.Read("environment.wrl").ends_with(EnvironmentShape));
  EXPECT_FALSE(folder.Exists(Marker));
}

// A cut or garbled template once gave a thin shell (133 points instead of 1 293) with status 0.
TEST(OrvaneProgram, TemplateCutShortOrGarbledEndsWithItsLineAndNoMarker) {
  const std::string protein = TwoPointProtein("DEF RSPHERE 5\nDEF C_SUPER 0.8\nDEF C_SUPPR 3.5\n");
  std::string garbled = TwoPointTemplate;
  garbled.replace(garbled.find("   1.6000"), 9, "   x.6000");
  const std::pair<std::string, std::string> cases[] = {
      {TwoPointTemplate.substr(0, 100 * 28), "spherepack_1.txt 100 lines, expected 1024\n"},
      {garbled, "spherepack_1.txt line 2: expected three numbers in columns 1, 10 and 19\n"},
      {"   0.0000   0.0000\n" + TwoPointTemplate,
       "spherepack_1.txt line 1: expected three numbers in columns 1, 10 and 19\n"},
      {"nan inf\n", "spherepack_1.txt line 1: expected three numbers in columns 1, 10 and 19\n"}};
  for (const auto& [text, message] : cases) {
    ScratchFolder folder;
    folder.Write("file_00", protein);
    folder.Write("spherepack_1.txt", text);
    const ProgramRun run = RunOrvane(folder);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_TRUE(run.standardError.ends_with(message)) << run.standardError;
    EXPECT_FALSE(folder.Exists("file_01"));
    EXPECT_FALSE(folder.Exists(Marker));
  }
}

// The protein box once started at +-1000: a protein beyond 1000 was centred wrongly and its shell landed
// off it. The same protein moved by 5000 gets the same shell, moved.
TEST(OrvaneProgram, CoordinatesBeyond1000GetTheSameShellMoved) {
  const std::string parameters = "DEF RSPHERE 5\nDEF C_SUPER 0.1\nDEF C_SUPPR 3.5\n";
  std::string near, far;
  for (int k = 0; k < 6; ++k) {
    near += PointLine(k + 1, "ALA", 'A', k + 1, 3.0 * k, 1.5 * k, -2.0 * k);
    far += PointLine(k + 1, "ALA", 'A', k + 1, 3.0 * k + 5000, 1.5 * k - 5000, -2.0 * k + 5000);
  }
  ScratchFolder nearFolder, farFolder;
  nearFolder.Write("file_00", parameters + near);
  farFolder.Write("file_00", parameters + far);
  nearFolder.Write("spherepack_1.txt", TwoPointTemplate);
  farFolder.Write("spherepack_1.txt", TwoPointTemplate);
  const ProgramRun nearRun = RunOrvane(nearFolder), farRun = RunOrvane(farFolder);
  ASSERT_EQ(nearRun.exitStatus, 0) << nearRun.standardError;
  ASSERT_EQ(farRun.exitStatus, 0) << farRun.standardError;
  std::istringstream nearIn(nearFolder.Read("file_01")), farIn(farFolder.Read("file_01"));
  const PointFile nearFile = ReadPointFile(nearIn), farFile = ReadPointFile(farIn);
  ASSERT_EQ(nearFile.points.size(), farFile.points.size());
  ASSERT_GT(nearFile.points.size(), 6u);
  for (std::size_t k = 0; k < nearFile.points.size(); ++k) {
    EXPECT_NEAR(farFile.points[k].x - nearFile.points[k].x, 5000, 2e-3) << k;
    EXPECT_NEAR(farFile.points[k].y - nearFile.points[k].y, -5000, 2e-3) << k;
    EXPECT_NEAR(farFile.points[k].z - nearFile.points[k].z, 5000, 2e-3) << k;
  }
}

TEST(OrvaneProgram, MoreThan9999PointsKeepTheColumnsOfThePointFile) {
  // 15 256 of the 27 648 candidates retained (a thickness of 14 R, the most the 3 x 3 x 3 block holds
  // around one point): serials and ranks pass 9999, and a fifth digit would shift the columns so that
  // readers drop or misread points.
  ScratchFolder folder;
  folder.Write("file_00", "DEF RSPHERE 1\nDEF C_SUPER 0.01\nDEF C_SUPPR 14\n" +
                              PointLine(1, "ALA", 'A', 5, 0.1, 0.2, 0.3));
  std::string packing;
  char line[64];
  for (int t = 0; t < 1024; ++t) {
    std::snprintf(line, sizeof line, "%9.4f%9.4f%9.4f\n", (t % 8) * 0.5, (t / 8 % 8) * 0.5, (t / 64) * 0.5);
    packing += line;
  }
  folder.Write("spherepack_1.txt", packing);
  const ProgramRun run = RunOrvane(folder);
  ASSERT_EQ(run.exitStatus, 0);
  EXPECT_TRUE(run.standardError.ends_with("Nb of environment points : 15256\n")) << run.standardError;
  const std::string text = folder.Read("file_01");
  std::istringstream lines(text);
  std::size_t count = 0;
  for (std::string pointLine; std::getline(lines, pointLine); ++count)
    ASSERT_EQ(pointLine.size(), 54u) << "line " << count + 1 << ": " << pointLine;
  std::istringstream in(text);
  const PointFile file = ReadPointFile(in);
  EXPECT_EQ(file.points.size(), 15257u);
  EXPECT_EQ(file.points[10000].residueNumber, 0);
  EXPECT_EQ(text.substr(10000 * 55, 26), "ATOM      1  C   XXX &   0");  // serial 10001, rank 10000
}

double Distance(const PointRecord& a, const PointRecord& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

TEST(OrvaneProgram, RealProteinGetsAShellBetweenNearAndFarDistances) {
  const auto protein = TestProtein("1A8O.pdb");
  if (!protein) return;
  const auto packing = testing::RequireInput(testing::AppDir() / "spherepack_1.txt", "the build copies it");
  if (!packing) return;
  const std::vector<PointRecord> ca = ReadCaPoints(*protein);
  ASSERT_GT(ca.size(), 50u);

  ScratchFolder folder;
  folder.Write("file_00",
               testing::PointFileText(ca, {"DEF RSPHERE 6.5", "DEF C_SUPER 0.8", "DEF C_SUPPR 3.5"}));
  std::filesystem::copy_file(*packing, folder / "spherepack_1.txt");
  const ProgramRun run = RunOrvane(folder);
  ASSERT_EQ(run.exitStatus, 0) << run.standardError;
  ASSERT_TRUE(folder.Exists(Marker));

  std::istringstream in(folder.Read("file_01"));
  const PointFile file = ReadPointFile(in);
  ASSERT_EQ(file.aminoAcidCount, static_cast<int>(ca.size()));
  const std::size_t environmentCount = file.points.size() - ca.size();
  // The count depends only on the CA points, the parameters and spherepack_1.txt: a change means the
  // placement or the selection changed (or the template was regenerated, which needs this figure updated).
  EXPECT_EQ(environmentCount, 691u);
  std::cout << "1A8O: " << ca.size() << " CA points, " << environmentCount << " environment points\n";

  // file_01 rounds to three decimals, which moves a distance by less than 0.001.
  constexpr double roundingSlack = 1e-3;
  const double nearLimit = 0.8 * 6.5, farLimit = 3.5 * 6.5;
  for (std::size_t k = ca.size(); k < file.points.size(); ++k) {
    double nearest = 1e9;
    for (std::size_t i = 0; i < ca.size(); ++i)
      nearest = std::min(nearest, Distance(file.points[k], file.points[i]));
    EXPECT_GT(nearest, nearLimit - roundingSlack) << "environment point " << k + 1;
    EXPECT_LT(nearest, farLimit + roundingSlack) << "environment point " << k + 1;
  }
  char countLine[64];
  std::snprintf(countLine, sizeof countLine, "Nb of environment points : %4d\n",
                static_cast<int>(environmentCount));
  EXPECT_NE(run.standardError.find(countLine), std::string::npos) << run.standardError;
}

}  // namespace
}  // namespace mirelda
