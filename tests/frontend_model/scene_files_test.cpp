// The files a reading leaves, checked with an independent VRML 2.0 reader (Coin3D): every scene written
// must parse without a read error, for synthetic edge cases and for a real protein.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "mirelda/workflow/protein_files.h"
#include "tests/frontend_model/protein_text.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"
#include "tests/support/vrml_check.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda {
namespace {

using testing::ScratchFolder;

class SceneFiles : public ::testing::Test {
 protected:
  // Parses a VRML file with Coin; reports what went wrong, empty when it parsed cleanly.
  static std::string ParseProblem(const std::filesystem::path& path) {
    const testing::VrmlCheck check = testing::ParseVrmlFile(path);
    if (!check.parsed) return "no scene from " + path.string();
    return check.errors;
  }

  static void ExpectAllParse(const ScratchFolder& folder) {
    for (const char* name : {kProtSceneFile, kTraceSceneFile, kLabelSceneFile, kViewSceneFile})
      EXPECT_EQ(ParseProblem(folder / name), "") << name;
  }
};

// The check itself must see a broken scene, and a height of "." (no digit) is one.
TEST_F(SceneFiles, CheckerRejectsBrokenScenes) {
  ScratchFolder folder;
  folder.Write("open.wrl", "#VRML V2.0 utf8\r\nTransform { translation 1 2 3 children [\r\n");
  EXPECT_NE(ParseProblem(folder / "open.wrl"), "");
  folder.Write("dot.wrl", "#VRML V2.0 utf8\r\nShape { geometry Cylinder { height . radius 0.1 } }\r\n");
  EXPECT_NE(ParseProblem(folder / "dot.wrl"), "");
}

TEST_F(SceneFiles, WrittenFilesMatchTheReading) {
  const ProteinReading reading = ReadProtein(testing::Alanine(1) + testing::CaOnlyResidue("LYS", 2));
  ASSERT_TRUE(reading.Succeeded());
  ScratchFolder folder;
  EXPECT_EQ(WriteProteinFiles(reading, folder.Path()), "");
  EXPECT_EQ(folder.Read(kProblemReportFile), "PROBLEM FOR K 2 A : N-C-O-CB-CG-CD-CE-NZ MISSING\r\n");
  EXPECT_EQ(folder.Read(kProtSceneFile), reading.scenes.prot);
  EXPECT_EQ(folder.Read(kViewSceneFile), reading.scenes.view);
  ExpectAllParse(folder);
}

TEST_F(SceneFiles, EdgeCaseScenesParse) {
  using testing::AtomLine;
  // Sticks along +y and -y, a zero-length bond, negative and sub-unit coordinates, a blank chain.
  std::string text = AtomLine({"N", "SER", ' ', 1, -0.25, -0.5, 0.75});
  text += AtomLine({"CA", "SER", ' ', 1, -0.25, 1.0, 0.75});
  text += AtomLine({"C", "SER", ' ', 1, -0.25, -1.0, 0.75});
  text += AtomLine({"O", "SER", ' ', 1, -0.25, -1.0, 0.75});
  text += AtomLine({"CB", "SER", ' ', 1, 1.25, 1.0, -0.75});
  text += AtomLine({"OG", "SER", ' ', 1, 1.25, 1.0, 1e-7});
  text += testing::CaOnlyResidue("GLY", 2, ' ');
  text += AtomLine({"CA", "TRP", ' ', 3, 7.6, 4.5, 2.0});
  const ProteinReading reading = ReadProtein(text);
  ASSERT_TRUE(reading.Succeeded()) << reading.failure;
  ScratchFolder folder;
  ASSERT_EQ(WriteProteinFiles(reading, folder.Path()), "");
  ExpectAllParse(folder);
}

TEST_F(SceneFiles, FailedReadingOfAMissingFile) {
  const ProteinReading reading = ReadProteinFile("/nonexistent/protein.pdb");
  EXPECT_EQ(reading.failure, "cannot open /nonexistent/protein.pdb");
}

// A real structure: HIV capsid C-terminal domain, 66 standard residues in ATOM records; its four
// selenomethionines are HETATM records, left out and named, and the gaps where they stand say so.
TEST_F(SceneFiles, RealProtein1A8O) {
  const auto path = testing::TestProtein("1A8O.pdb");
  if (!path) return;
  long long lines = 0;
  const ProteinReading reading = ReadProteinFile(*path, [&](long long n) { lines = n; });
  ASSERT_TRUE(reading.Succeeded()) << reading.failure;
  EXPECT_GT(lines, 524);
  EXPECT_EQ(reading.atomLines, 524);
  EXPECT_EQ(reading.ResidueCount(), 66);
  EXPECT_FALSE(reading.CaOnly);
  EXPECT_EQ(reading.residues.Find(1)->NAME(), "D");
  EXPECT_EQ(reading.residues.Find(1)->NUM(), 152);
  EXPECT_NE(reading.tampon.find("PROBLEM BETWEEN W 184 A AND T 186 A : MSE 185 A LEFT OUT\r\n"),
            std::string::npos);
  EXPECT_EQ(reading.ProblemCount, 6);
  ScratchFolder folder;
  ASSERT_EQ(WriteProteinFiles(reading, folder.Path()), "");
  ExpectAllParse(folder);
}

// A file saved with old Mac line ends (a lone carriage return) or with CR LF reads as the original.
TEST_F(SceneFiles, EveryLineEndReadsTheSameProtein1A8O) {
  const auto path = testing::TestProtein("1A8O.pdb");
  if (!path) return;
  std::ifstream in(*path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const ProteinReading original = ReadProtein(text);
  ASSERT_TRUE(original.Succeeded()) << original.failure;
  for (const std::string end : {"\r", "\r\n"}) {
    std::string changed;
    for (char c : text) changed += c == '\n' ? end : std::string(1, c);
    const ProteinReading reading = ReadProtein(changed);
    ASSERT_TRUE(reading.Succeeded()) << reading.failure;
    EXPECT_EQ(reading.ResidueCount(), original.ResidueCount()) << end.size();
    EXPECT_EQ(reading.tampon, original.tampon);
    EXPECT_EQ(reading.scenes.prot, original.scenes.prot);
    EXPECT_EQ(reading.scenes.trace, original.scenes.trace);
  }
}

}  // namespace
}  // namespace mirelda
