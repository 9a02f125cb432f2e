// The composed scene: which blocks of which source reach resultat.wrl, the rewritten colour and
// transparency lines, markers of equal numbers, and that every composed text loads in Coin.
#include "mirelda/results/scene_composer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

#include "mirelda/model/protein_scenes.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/results/cell_reader.h"
#include "mirelda/results/result_files.h"
#include "mirelda/results/results_table.h"
#include "tests/frontend_results/results_fixture.h"
#include "tests/support/comma_locale.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/text_lines.h"
#include "tests/support/vrml_check.h"

using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::results;

namespace mirelda {
namespace {

using testing::BuildProtein;
using testing::FiveResidues;
using testing::TableFixture;

// One closed cell as brindel writes it: a triangle, "\n" line ends.
std::string CellBlock(const char* marker, const char* colour) {
  return std::string("#AADEB-") + marker +
         "\nShape { appearance Appearance {\nmaterial Material{\ndiffuseColor " + colour +
         "\nambientIntensity 1 shininess 0.8\ntransparency 0.7\n}}geometry IndexedFaceSet {\ncoord "
         "Coordinate {\n"
         "point[\n  0.000   0.000   0.000 ,\n  1.000   0.000   0.000 ,\n  0.000   1.000   0.000 ,\n]}\n"
         "ccw FALSE\nsolid FALSE\ncreaseAngle 0.5\n\ncoordIndex\n[\n 0, 1, 2,-1,\n]}}\n#AAFIN-" +
         marker + "\n";
}

const char* const kCellSceneHeader =
    "#VRML V2.0 utf8\nInline { url \"../prot.wrl\"}\nInline { url \"../view.wrl\"}\n\n\n";

std::string CellScene() {
  return kCellSceneHeader + CellBlock("M=A!1", "1.00 0.64 0.00") + CellBlock("K=A!2", "0.00 1.00 0.78");
}

// The protein scenes of a residue list, with the model's own writers (CR LF lines).
struct ProteinScenes {
  std::string prot, trace, label, view;
};

ProteinScenes ScenesOf(const std::vector<testing::ResidueEntry>& entries) {
  ProteinScenes scenes;
  AppendSceneHeader(scenes.prot);
  AppendSceneHeader(scenes.trace);
  AppendSceneHeader(scenes.label);
  PointTriple previous{};
  bool first = true;
  double x = 0.0;
  for (const auto& entry : entries) {
    const PointTriple ca{x, 1.0, -0.5};
    for (std::string* scene : {&scenes.prot, &scenes.trace, &scenes.label})
      AppendStartMarker(*scene, entry.code, entry.chain, entry.number);
    AppendAtomBall(scenes.prot, "CA", ca);
    AppendAtomBall(scenes.prot, "N", {x - 0.5, 1.5, -0.5});
    WriteBond(scenes.prot, {x - 0.5, 1.5, -0.5}, ca, BondTarget::Prot);
    AppendTraceBall(scenes.trace, ca);
    if (!first) WriteBond(scenes.trace, previous, ca, BondTarget::Trace);
    AppendLabel(scenes.label, std::string(entry.code) + std::to_string(entry.number) + entry.chain, ca);
    for (std::string* scene : {&scenes.prot, &scenes.trace, &scenes.label})
      AppendEndMarker(*scene, entry.code, entry.chain, entry.number);
    previous = ca;
    first = false;
    x += 3.8;
  }
  AppendTraceFooter(scenes.trace);
  scenes.view = ViewpointFile({5.0, 1.0, -0.5});
  return scenes;
}

std::vector<std::string> LinesOf(const std::string& text) { return testing::CrLfLines(text); }

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void SetBackground(GridModel& grid, int row, int col, GridColour colour) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetCellBackColor(colour);
}

class SceneComposerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildProtein(fixture_, FiveResidues());
    ReadCellText(testing::kCellText, "C1tst", fixture_.residues, fixture_.tab1, {true, '.', {}});
    scenes_ = ScenesOf(FiveResidues());
  }
  ComposedScene Compose() const {
    return ComposeResultScene(
        ResultSceneSources("1tst", CellScene(), scenes_.prot, scenes_.trace, scenes_.label), fixture_.tab1);
  }
  void ExpectLoads(const std::string& scene) const {
    const testing::VrmlCheck check = testing::ParseVrml(scene, {{"view.wrl", scenes_.view}});
    EXPECT_TRUE(check.parsed);
    EXPECT_EQ(check.errors, "");
  }
  TableFixture fixture_;
  ProteinScenes scenes_;
};

// As the reader leaves the table: cells with exposure, traces of the residues with a cell line, no
// model and no labels.
TEST_F(SceneComposerTest, TheTableAsReadShowsExposedCellsAndTracesOnly) {
  const ComposedScene scene = Compose();
  EXPECT_TRUE(scene.problems.empty()) << scene.problems.front();
  const std::vector<std::string> lines = LinesOf(scene.text);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "#VRML V2.0 utf8");
  EXPECT_EQ(lines[1], "Inline {url \"view.wrl\"}");
  EXPECT_EQ(lines[2], "#AADEB-M=A!1");  // the cell of M1 (exposure 12.5) comes first
  EXPECT_FALSE(Has(scene.text, "#AADEB-K=A!2\r\nShape { appearance"));  // K2: exposure 0
  EXPECT_FALSE(Has(scene.text, "#AAFIN"));
  EXPECT_FALSE(Has(scene.text, "emissiveColor"));  // no atom balls: "all" unmarked
  EXPECT_FALSE(Has(scene.text, "Text {"));         // no labels
  EXPECT_FALSE(Has(scene.text, "../prot.wrl"));    // source headers never reach the scene
  int traces = 0;
  for (const std::string& line : lines)
    if (Has(line, "diffuseColor 1 1 1 ambientIntensity 0.9")) ++traces;
  EXPECT_EQ(traces, 3);  // M1, K2, G4: L3 and S5 are locked
  ExpectLoads(scene.text);
}

TEST_F(SceneComposerTest, TheCellColourLineComesFromTheColourColumn) {
  SetBackground(fixture_.tab1, 1, kColumnColour, PackColour(235, 255, 0));
  const ComposedScene scene = Compose();
  EXPECT_TRUE(Has(scene.text, "\r\ndiffuseColor 0.91796875 0.99609375 0\r\n")) << scene.text;
  EXPECT_FALSE(Has(scene.text, "diffuseColor 1.00 0.64 0.00"));
  ExpectLoads(scene.text);
}

TEST_F(SceneComposerTest, TheTransparencyToggleSetsTheCellsTransparency) {
  EXPECT_TRUE(Has(Compose().text, "\r\ntransparency 0.7\r\n"));
  SetBackground(fixture_.tab1, 1, kColumnTransparency, kColourLightGrey);  // "tra" unmarked
  const ComposedScene scene = Compose();
  EXPECT_TRUE(Has(scene.text, "\r\ntransparency 0.0\r\n"));
  EXPECT_FALSE(Has(scene.text, "transparency 0.7"));
  ExpectLoads(scene.text);
}

TEST_F(SceneComposerTest, MarkingAllAndLabelAddsTheirBlocksInSourceOrder) {
  for (int r = 1; r <= 5; ++r) {
    SetBackground(fixture_.tab1, r, kColumnAll, kColourLightYellow);
    SetBackground(fixture_.tab1, r, kColumnLabel, kColourLightYellow);
  }
  const ComposedScene scene = Compose();
  const std::size_t cell = scene.text.find("IndexedFaceSet");
  const std::size_t ball = scene.text.find("emissiveColor");
  const std::size_t trace = scene.text.find("diffuseColor 1 1 1 ambientIntensity 0.9");
  const std::size_t label = scene.text.find("Text {string \"L3A\"");
  ASSERT_NE(label, std::string::npos);
  EXPECT_LT(cell, ball);
  EXPECT_LT(ball, trace);
  EXPECT_LT(trace, label);
  ExpectLoads(scene.text);
}

// With the number alone, chain B's K2 (right after chain A's K2) would take chain A's marks.
TEST(SceneMarkerTest, EqualNumbersInTwoChainsSelectTheirOwnRows) {
  TableFixture fixture;
  const std::vector<testing::ResidueEntry> entries = {
      {"M", 1, "A"}, {"K", 2, "A"}, {"K", 2, "B"}, {"L", 3, "B"}};
  BuildProtein(fixture, entries);
  ReadCellText(
      "M    1 A   25.125   48.250 14 V  12.5\nK    2 A   30.000   52.000 15 V   0.0\n"
      "K    2 B   30.000   52.000 15 V   0.0\nL    3 B   30.000   52.000 15 V   0.0\n",
      "C1tst", fixture.residues, fixture.tab1, {true, '.', {}});
  for (int r = 1; r <= 4; ++r)
    SetBackground(fixture.tab1, r, kColumnTrace, r == 3 ? kColourLightYellow : kColourLightGrey);
  const ProteinScenes scenes = ScenesOf(entries);
  const ComposedScene scene = ComposeResultScene(
      ResultSceneSources("1tst", std::string(kCellSceneHeader), scenes.prot, scenes.trace, scenes.label),
      fixture.tab1);
  EXPECT_TRUE(Has(scene.text, "#AADEB-K=B!2")) << scene.text;
  EXPECT_FALSE(Has(scene.text, "#AADEB-K=A!2"));
  EXPECT_FALSE(Has(scene.text, "#AADEB-L=B!3"));
}

// In a homodimer the numbers repeat after the first chain: the forward search finds chain B's rows.
TEST(SceneMarkerTest, AHomodimerSelectsEachChainsMarksSeparately) {
  TableFixture fixture;
  const std::vector<testing::ResidueEntry> entries = {
      {"M", 1, "A"}, {"K", 2, "A"}, {"M", 1, "B"}, {"K", 2, "B"}};
  BuildProtein(fixture, entries);
  ReadCellText(
      "M    1 A   25.125   48.250 14 V  12.5\nK    2 A   30.000   52.000 15 V   0.0\n"
      "M    1 B   25.125   48.250 14 V  12.5\nK    2 B   30.000   52.000 15 V   0.0\n",
      "C1tst", fixture.residues, fixture.tab1, {true, '.', {}});
  SetBackground(fixture.tab1, 3, kColumnLabel, kColourLightYellow);  // label of M1 B only
  const ProteinScenes scenes = ScenesOf(entries);
  const ComposedScene scene = ComposeResultScene(
      ResultSceneSources("1tst", std::nullopt, std::nullopt, std::nullopt, scenes.label), fixture.tab1);
  EXPECT_TRUE(Has(scene.text, "#AADEB-M=B!1"));
  EXPECT_FALSE(Has(scene.text, "#AADEB-M=A!1"));
}

// Parking the search on the last row would let that row's marks decide this and every later block.
TEST_F(SceneComposerTest, AMarkerMatchingNoRowLeavesItsBlockOutAndTheSearchWhereItWas) {
  std::string trace;
  AppendSceneHeader(trace);
  AppendStartMarker(trace, "W", "A", 77);
  AppendTraceBall(trace, {9, 9, 9});
  AppendEndMarker(trace, "W", "A", 77);
  AppendStartMarker(trace, "M", "A", 1);
  AppendTraceBall(trace, {1, 1, 1});
  AppendEndMarker(trace, "M", "A", 1);
  SetBackground(fixture_.tab1, 5, kColumnTrace, kColourLightYellow);  // the last row is marked
  const ComposedScene scene = ComposeResultScene(
      ResultSceneSources("1tst", std::nullopt, std::nullopt, trace, std::nullopt), fixture_.tab1);
  EXPECT_FALSE(Has(scene.text, "#AADEB-W=A!77"));
  EXPECT_TRUE(Has(scene.text, "#AADEB-M=A!1"));
  bool reported = false;
  for (const std::string& problem : scene.problems)
    reported = reported || Has(problem, "trace.wrl: 1 residue marker");
  EXPECT_TRUE(reported);
}

TEST_F(SceneComposerTest, AMissingSourceIsReportedAndTheOthersComposed) {
  const ComposedScene scene = ComposeResultScene(
      ResultSceneSources("1tst", CellScene(), std::nullopt, scenes_.trace, scenes_.label), fixture_.tab1);
  ASSERT_EQ(scene.problems.size(), 1u);
  EXPECT_TRUE(Has(scene.problems[0], "prot.wrl"));
  EXPECT_TRUE(Has(scene.text, "IndexedFaceSet"));
  ExpectLoads(scene.text);
}

// A table with no marked row still gives a valid, nearly empty scene.
TEST(SceneComposerEmptyTest, NothingMarkedGivesTheHeaderOnly) {
  TableFixture fixture;
  BuildProtein(fixture, FiveResidues());
  const ProteinScenes scenes = ScenesOf(FiveResidues());
  const ComposedScene scene = ComposeResultScene(
      ResultSceneSources("1tst", CellScene(), scenes.prot, scenes.trace, scenes.label), fixture.tab1);
  EXPECT_EQ(scene.text, "#VRML V2.0 utf8\r\nInline {url \"view.wrl\"}\r\n");
  EXPECT_TRUE(testing::ParseVrml(scene.text, {{"view.wrl", scenes.view}}).parsed);
}

// Composing before any protein is read must not index a grid without columns.
TEST(SceneComposerEmptyTest, AnEmptyTableSelectsNothing) {
  const GridModel empty;
  const ProteinScenes scenes = ScenesOf(FiveResidues());
  const ComposedScene scene = ComposeResultScene(
      ResultSceneSources("1tst", CellScene(), scenes.prot, scenes.trace, scenes.label), empty);
  EXPECT_EQ(scene.text, "#VRML V2.0 utf8\r\nInline {url \"view.wrl\"}\r\n");
}

TEST(DiffuseColourLineTest, WritesExactQuotientsOfTheThreeBytes) {
  EXPECT_EQ(DiffuseColourLine(PackColour(255, 0, 128)), "diffuseColor 0.99609375 0 0.5");
  EXPECT_EQ(DiffuseColourLine(0), "diffuseColor 0 0 0");
  EXPECT_EQ(DiffuseColourLine(PackColour(1, 2, 3)), "diffuseColor 0.00390625 0.0078125 0.01171875");
}

TEST_F(SceneComposerTest, WritesResultatIntoTheResultsFolder) {
  testing::ScratchFolder folder;
  folder.Write("1tst.wrl", CellScene());
  folder.Write("prot.wrl", scenes_.prot);
  folder.Write("trace.wrl", scenes_.trace);
  folder.Write("label.wrl", scenes_.label);
  folder.Write("view.wrl", scenes_.view);
  const SceneWriting writing = visualisation(folder.Path(), "1tst", fixture_.tab1);
  EXPECT_TRUE(writing.written);
  EXPECT_EQ(writing.Message(), "");
  EXPECT_EQ(folder.Read("resultat.wrl"), Compose().text);
}

// The front-end runs in the user's locale; a comma there must not reach any written number.
TEST_F(SceneComposerTest, ACommaLocaleChangesNoNumberOfTheScene) {
  const std::string before = Compose().text;
  std::optional<testing::CommaLocale> locale(std::in_place);
  if (!testing::CommaLocale::Active())
    GTEST_SKIP() << "no comma locale (de_DE, fr_FR) installed or buildable";
  TableFixture fixture;
  BuildProtein(fixture, FiveResidues());
  ReadCellText(testing::kCellText, "C1tst", fixture.residues, fixture.tab1, {true, '.', {}});
  const double volume = fixture.residues.ResidueAt(1).VOL();
  const std::string after =
      ComposeResultScene(ResultSceneSources("1tst", CellScene(), scenes_.prot, scenes_.trace, scenes_.label),
                         fixture.tab1)
          .text;
  const std::string colour = DiffuseColourLine(PackColour(128, 64, 32));
  const testing::VrmlCheck check = testing::ParseVrml(after, {{"view.wrl", scenes_.view}});
  locale.reset();
  EXPECT_TRUE(check.parsed);
  EXPECT_EQ(check.errors, "");
  EXPECT_DOUBLE_EQ(volume, 25.125);
  EXPECT_EQ(after, before);
  EXPECT_EQ(colour, "diffuseColor 0.5 0.25 0.125");
}

}  // namespace
}  // namespace mirelda

namespace mirelda {
namespace {

// The checker must be able to fail: a broken scene does not parse, a missing Inline is an error.
TEST(VrmlCheckTest, RejectsABrokenSceneAndReportsAMissingInline) {
  EXPECT_FALSE(testing::ParseVrml("#VRML V2.0 utf8\r\nShape { geometry Sphere { radius } \r\n").parsed);
  const testing::VrmlCheck missing = testing::ParseVrml("#VRML V2.0 utf8\r\nInline {url \"view.wrl\"}\r\n");
  EXPECT_TRUE(missing.parsed);
  EXPECT_NE(missing.errors, "");
}

}  // namespace
}  // namespace mirelda
