// The cell scene's blocks and index lists, and the selection of premier.wrl.
#include "brindel/cell_scene.h"

#include <gtest/gtest.h>

#include <sstream>

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

std::string Block(const std::string& marker, int lines) {
  std::string text = "#AADEB-" + marker + "\n";
  for (int k = 0; k < lines; ++k) text += "line of " + marker + "\n";
  return text + "#AAFIN-" + marker + "\n";
}

TEST(FirstLayerScene, CopiesOnlyTheBlocksOfCellsTouchingTheEnvironment) {
  const std::string longLine(150, 'x');
  std::istringstream scene(std::string(CellSceneHeader) + Block("A=A!1", 2) + Block("C=A!2", 1) + longLine +
                           "\n" + Block("D=A!3", 1));
  std::ostringstream out;
  const std::vector<float> shares = {0.0f, 12.5f, 0.0f};
  WriteFirstLayerScene(scene, shares, out);
  EXPECT_EQ(out.str(), std::string(FirstLayerSceneHeader) + Block("C=A!2", 1) + longLine + "\n");
}

TEST(FirstLayerScene, AnEmptySceneGivesTheHeaderOnly) {
  std::istringstream scene{std::string(CellSceneHeader)};
  std::ostringstream out;
  WriteFirstLayerScene(scene, {}, out);
  EXPECT_EQ(out.str(), FirstLayerSceneHeader);
}

}  // namespace
}  // namespace mirelda
