// The cell scene's blocks and index lists, and the selection of premier.wrl.
#include "brindel/cell_scene.h"

#include <gtest/gtest.h>

#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "brindel/exchange/buffered_lines.h"
#include "brindel/exchange/option_files.h"
#include "brindel/exchange/scene_blocks.h"
#include "brindel/tessellation_run.h"
#include "tests/support/point_sets.h"
#include "tests/support/test_paths.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda {
namespace {

using Positions = std::vector<std::array<float, 3>>;

TEST(SceneBlock, OpeningCarriesTheMarkerAndTheLetterColour) {
  EXPECT_EQ(
      SceneOpening('A', 'B', 42),
      "#AADEB-A=B!42\nShape { appearance Appearance {\nmaterial Material{\ndiffuseColor 0.92 1.00 0.00\n"
      "ambientIntensity 1 shininess 0.8\ntransparency 0.7\n}}geometry IndexedFaceSet {\ncoord Coordinate "
      "{\npoint[\n");
}

TEST(SceneBlock, ALetterOfNoResidueTypeIsBlack) {
  // '0' (a name in neither code table) must not index the colour table out of bounds.
  EXPECT_NE(SceneOpening('0', 'A', 1).find("diffuseColor 0.00 0.00 0.00\n"), std::string::npos);
  EXPECT_NE(SceneOpening('U', 'A', 1).find("diffuseColor 0.75 0.72 0.72\n"), std::string::npos);
}

TEST(SceneBlock, VertexLinesAndClosing) {
  EXPECT_EQ(SceneVertexLine({1.5f, -12.25f, 100.0f}), "  1.500 -12.250 100.000 ,\n");
  const std::vector<std::string> lists = {" 0, 1, 2,-1,\n"};
  EXPECT_EQ(
      SceneClosing(lists, 'K', 'A', -3),
      "]}\nccw FALSE\nsolid FALSE\ncreaseAngle 0.5\n\ncoordIndex\n[\n 0, 1, 2,-1,\n]}}\n#AAFIN-K=A!-3\n");
  EXPECT_EQ(SceneClosing({}, 'K', 'A', 3),
            "]}\nccw FALSE\nsolid FALSE\ncreaseAngle 0.5\n\ncoordIndex\n[\n]}}\n#AAFIN-K=A!3\n");
}

TEST(IndexList, PrintsTwoCharacterIndicesAndTheTerminator) {
  // A triangle at base 0 whose vertices sort as 1, 3, 2.
  EXPECT_EQ(FormatIndexList({0, 2, 1}, 0), " 0, 2, 1,-1,\n");
  EXPECT_EQ(FormatIndexList({0, 1, 2}, 98), "98,99,100,-1,\n");
  EXPECT_EQ(FormatIndexList({0}, 3), " 3,-1,\n");
}

TEST(IndexList, GoesRoundTheCentroidFromTheFirstVertex) {
  // A square recorded as corners 0,0 / 1,0 / 0,1 / 1,1: round it goes 1, 2, 4, 3.
  const Positions square = {{0, 0, 5}, {1, 0, 5}, {0, 1, 5}, {1, 1, 5}};
  EXPECT_EQ(FaceVertexOrder(square), (std::vector<int>{0, 1, 3, 2}));
  // A triangle always keeps its order, whichever way it turns.
  const Positions triangle = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
  EXPECT_EQ(FaceVertexOrder(triangle), (std::vector<int>{0, 1, 2}));
}

TEST(IndexList, EqualAnglesKeepTheRecordingOrder) {
  // A corner recorded twice (several planes through one point) gives two equal angles.
  const Positions face = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {2, 2, 0}, {0, 2, 0}};
  EXPECT_EQ(FaceVertexOrder(face), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(IndexList, DegenerateFacesGetAnOrder) {
  EXPECT_EQ(FaceVertexOrder(Positions{{1, 2, 3}}), (std::vector<int>{0}));
  EXPECT_EQ(FaceVertexOrder(Positions{{1, 2, 3}, {1, 2, 3}}), (std::vector<int>{0, 1}));
  EXPECT_TRUE(FaceVertexOrder(Positions{}).empty());
}

// premier.wrl by the markers of a written cell scene: its header, then every block (from its "#AADEB"
// marker to the next) whose share is not 0, blocks matched by order, read through a buffer of 100
// characters (a longer line arrives in pieces, of which only the first can be a marker).
std::string FirstLayerFromScene(const std::string& cellScene, std::span<const float> blockShares) {
  std::istringstream in(cellScene);
  std::string out(FirstLayerSceneHeader);
  std::size_t blocks = 0;
  bool copying = false;
  bool lineStart = true;
  exchange::ForEachBufferedLine(in, 100, [&](std::string_view piece) {
    if (lineStart && piece.starts_with(exchange::BlockStartMarker)) {
      copying = blocks < blockShares.size() && blockShares[blocks] != 0.0f;
      ++blocks;
    }
    if (copying) out += piece;
    lineStart = exchange::EndsLine(piece);
  });
  return out;
}

std::string Block(const std::string& marker, int lines) {
  std::string text = "#AADEB-" + marker + "\n";
  for (int k = 0; k < lines; ++k) text += "line of " + marker + "\n";
  return text + "#AAFIN-" + marker + "\n";
}

TEST(FirstLayerScene, CopiesTheStretchesOfTheBlocksOfCellsTouchingTheEnvironment) {
  const std::string longLine(70000, 'x');  // longer than the copy's buffer
  const std::string a = Block("A=A!1", 2), c = Block("C=A!2", 1) + longLine + "\n", d = Block("D=A!3", 1);
  const std::string header(CellSceneHeader);
  std::istringstream scene(header + a + c + d);
  std::ostringstream out;
  const std::vector<SceneStretch> blocks = {{header.size() + a.size(), c.size()}};
  WriteFirstLayerScene(scene, blocks, out);
  EXPECT_EQ(out.str(), std::string(FirstLayerSceneHeader) + c);
  // The scene as it is on disk; a stretch beyond its end copies what there is.
  std::istringstream shorter(header + a + c.substr(0, 100));
  std::ostringstream cut;
  WriteFirstLayerScene(shorter, blocks, cut);
  EXPECT_EQ(cut.str(), std::string(FirstLayerSceneHeader) + c.substr(0, 100));
}

TEST(FirstLayerScene, AnEmptySceneGivesTheHeaderOnly) {
  std::istringstream scene{std::string(CellSceneHeader)};
  std::ostringstream out;
  WriteFirstLayerScene(scene, {}, out);
  EXPECT_EQ(out.str(), FirstLayerSceneHeader);
}

// The run notes where the first-layer blocks lie as it writes the scene: their stretches are the blocks
// that a reading of the scene by its markers would copy.
TEST(FirstLayerScene, TheRunKeepsWhatReadingTheSceneBackWouldCopy) {
  std::vector<PointRecord> points =
      testing::ReadPointFileAt(testing::TestDataDir() / "brindel/1a8o_shell.pnt");
  ASSERT_FALSE(points.empty());
  exchange::TessellationOptions options;
  options.weights = exchange::DefaultWeightTable();
  std::ostringstream cells, faces, errors, contacts, scene;
  const TessellationOutcome outcome =
      WriteTessellation(points, options, {cells, faces, errors, contacts, scene});
  int touching = 0;
  for (float share : outcome.sceneBlockShares) touching += share != 0.0f ? 1 : 0;
  EXPECT_GT(touching, 10);
  EXPECT_LT(touching, static_cast<int>(outcome.sceneBlockShares.size()));
  std::istringstream written(scene.str());
  std::ostringstream firstLayer;
  WriteFirstLayerScene(written, outcome.firstLayer, firstLayer);
  EXPECT_EQ(firstLayer.str(), FirstLayerFromScene(scene.str(), outcome.sceneBlockShares));
}

}  // namespace
}  // namespace mirelda
