// The number forms and the fragments of the protein scene files.
#include <gtest/gtest.h>

#include <cmath>

#include "mirelda/model/protein_scenes.h"
#include "mirelda/model/scene_numbers.h"
#include "tests/support/text_lines.h"

using namespace mirelda::model;

namespace mirelda {
namespace {

std::vector<std::string> Lines(const std::string& text) { return testing::CrLfLines(text); }

TEST(SceneNumbers, SignedText) {
  EXPECT_EQ(SignedText(12.345), " 12.345");
  EXPECT_EQ(SignedText(-3.2), "-3.2");
  EXPECT_EQ(SignedText(0.5), " .5");
  EXPECT_EQ(SignedText(7), " 7");
  EXPECT_EQ(SignedText(0), " 0");
  EXPECT_EQ(SignedText(-0.0), " 0");
  EXPECT_EQ(SignedText(-0.25), "-.25");
  EXPECT_EQ(SignedText(-1234.5), "-1234.5");
  EXPECT_EQ(SignedText(100), " 100");
}

// Binary fractions must not leak their noise: 15 significant digits are kept, no more.
TEST(SceneNumbers, SignedTextKeepsFifteenSignificantDigits) {
  EXPECT_EQ(SignedText(0.1 + 0.2), " .3");
  EXPECT_EQ(SignedText(1.0 + 0.7), " 1.7");
  EXPECT_EQ(SignedText(-0.7 + 0.7), " 0");
  EXPECT_EQ(SignedText(21.554 + 0.7), " 22.254");
  EXPECT_EQ(SignedText(1.0 / 3.0), " .333333333333333");
}

TEST(SceneNumbers, SignedTextExponentForm) {
  EXPECT_EQ(SignedText(1e15), " 1E+15");
  EXPECT_EQ(SignedText(-2.5e20), "-2.5E+20");
  EXPECT_EQ(SignedText(1.5e-6), " 1.5E-06");
  EXPECT_EQ(SignedText(0.00001), " .00001");
  EXPECT_EQ(SignedText(123456789012345.0), " 123456789012345");
}

TEST(SceneNumbers, PatternText) {
  EXPECT_EQ(PatternText(0.75, "###.###"), ".75");
  EXPECT_EQ(PatternText(1.4142, "###.###"), "1.414");
  EXPECT_EQ(PatternText(2, "###.###"), "2.");
  EXPECT_EQ(PatternText(0.25, "0##.###"), "0.25");
  EXPECT_EQ(PatternText(1.5708, "0##.###"), "1.571");
  EXPECT_EQ(PatternText(-2, "0##.###"), "-2.");
  EXPECT_EQ(PatternText(0, "0##.###"), "0.");
  EXPECT_EQ(PatternText(0, "###.###"), ".");
  EXPECT_EQ(PatternText(1234.5678, "###.###"), "1234.568");
}

TEST(SceneNumbers, PatternRoundsHalfAwayFromZeroOnTheDecimalForm) {
  EXPECT_EQ(PatternText(0.0005, "###.###"), ".001");
  EXPECT_EQ(PatternText(1.0005, "0##.###"), "1.001") << "1.0005 is stored as 1.000499999...";
  EXPECT_EQ(PatternText(-0.0015, "0##.###"), "-0.002");
  EXPECT_EQ(PatternText(9.9996, "###.###"), "10.");
  EXPECT_EQ(PatternText(-0.0004, "0##.###"), "0.") << "a value that rounds to zero has no sign";
}

// The first stick example: along x, a quarter turn about -z.
TEST(SceneSticks, StickAlongX) {
  std::string scene;
  ASSERT_TRUE(WriteBond(scene, {0, 0, 0}, {2, 0, 0}, BondTarget::Prot));
  const auto lines = Lines(scene);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(
      lines[0],
      "Transform {translation  0  0  0 children [Transform {rotation 0. 0 -2. 1.571 children [Transform "
      "{translation 0 1. 0 children [");
  EXPECT_EQ(
      lines[1],
      "Shape { geometry Cylinder { height 2. radius 0.1 top FALSE side TRUE bottom FALSE } appearance "
      "Appearance {material Material {emissiveColor 0.3 0.3 0.3 ambientIntensity .9 shininess 1}}}]}]}]}");
}

TEST(SceneSticks, StickAtFortyFiveDegrees) {
  std::string scene;
  ASSERT_TRUE(WriteBond(scene, {1, 1, 1}, {1, 2, 2}, BondTarget::Trace));
  const auto lines = Lines(scene);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "Transform {translation  1  1  1 children [Transform {rotation 1. 0 0. 0.785 children [Transform "
            "{translation 0 .707 0 children [");
  EXPECT_EQ(
      lines[1],
      "Shape { geometry Cylinder { height 1.414 radius 0.1 top FALSE side TRUE bottom FALSE } appearance "
      "Appearance {material Material {diffuseColor 1 1 1 ambientIntensity .9 shininess 1}}}]}]}]}");
}

// Along y the rotation axis vanishes (and the angle formula divides by zero): upright or a half turn.
TEST(SceneSticks, StickAlongYHasAValidRotation) {
  std::string up, down, nearlyUp;
  ASSERT_TRUE(WriteBond(up, {0, 0, 0}, {0, 1.5, 0}, BondTarget::Prot));
  EXPECT_NE(up.find("Transform {rotation 1. 0 0. 0. children [Transform {translation 0 .75 0"),
            std::string::npos)
      << up;
  ASSERT_TRUE(WriteBond(down, {0, 0, 0}, {0, -1.5, 0}, BondTarget::Prot));
  EXPECT_NE(down.find("Transform {rotation 1. 0 0. 3.142 children ["), std::string::npos) << down;
  ASSERT_TRUE(WriteBond(nearlyUp, {0, 0, 0}, {0.0001, 1.5, 0}, BondTarget::Prot));
  EXPECT_NE(nearlyUp.find("Transform {rotation 1. 0 0. 0. children ["), std::string::npos)
      << "an axis that rounds to zero is treated as along y: " << nearlyUp;
}

TEST(SceneSticks, ZeroLengthStickIsNotWritten) {
  std::string scene;
  EXPECT_FALSE(WriteBond(scene, {1, 2, 3}, {1, 2, 3}, BondTarget::Prot));
  EXPECT_FALSE(WriteBond(scene, {1, 2, 3}, {1, 2.0004, 3}, BondTarget::Prot));
  EXPECT_TRUE(scene.empty());
}

TEST(SceneFragments, NegativeCoordinateInTranslation) {
  std::string prot;
  ASSERT_TRUE(AppendAtomBall(prot, "CA", {-0.25, 10, 0.5}));
  EXPECT_EQ(Lines(prot)[0], "Transform { translation -.25  10  .5 children [");
}

TEST(SceneFragments, BallsByElement) {
  std::string prot;
  EXPECT_TRUE(AppendAtomBall(prot, "NZ", {0, 0, 0}));
  EXPECT_NE(prot.find("emissiveColor 0 0 1 ambientIntensity 0.9"), std::string::npos);
  prot.clear();
  EXPECT_TRUE(AppendAtomBall(prot, "SG", {0, 0, 0}));
  EXPECT_NE(prot.find("emissiveColor 1 1 0 ambientIntensity 0.9"), std::string::npos);
  prot.clear();
  EXPECT_FALSE(AppendAtomBall(prot, "OXT", {0, 0, 0}));
  EXPECT_FALSE(AppendAtomBall(prot, "H", {0, 0, 0}));
  EXPECT_FALSE(AppendAtomBall(prot, "HB2", {0, 0, 0}));
  EXPECT_TRUE(prot.empty());
}

TEST(SceneFragments, LabelIsOffsetInXAndYOnly) {
  std::string label;
  AppendLabel(label, "K45A", {1.0, -0.7, 3});
  const auto lines = Lines(label);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Transform { translation  1.7  0  3 children [");
  EXPECT_EQ(lines[1],
            "Shape { geometry Text {string \"K45A\" fontStyle FontStyle {size .9}} appearance Appearance { "
            "material "
            "Material {diffuseColor 1 1 1 ambientIntensity 0.9 shininess 1}}}]}");
}

TEST(SceneFragments, MarkersViewpointAndFooter) {
  std::string scene;
  AppendStartMarker(scene, "K", "A", 45);
  AppendEndMarker(scene, "G", " ", -3);
  AppendTraceFooter(scene);
  EXPECT_EQ(scene, "#AADEB-K=A!45\r\n#AAFIN-G= !-3\r\nInline {url \"view.wrl\"}\r\n");
  EXPECT_EQ(ViewpointFile({1.5, -2, 0.25}),
            "#VRML V2.0 utf8\r\nViewpoint {position  1.5 -2  200.25 orientation  1.5 -2  .25 0}\r\n");
}

}  // namespace
}  // namespace mirelda
