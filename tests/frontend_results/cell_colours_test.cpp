// The cell colour choice: swatches from the current colours, and what validation stores and paints.
#include "mirelda/results/cell_colours.h"

#include <gtest/gtest.h>

#include "mirelda/results/cell_reader.h"
#include "mirelda/results/results_table.h"
#include "tests/frontend_results/results_fixture.h"

using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::results;

namespace mirelda {
namespace {

class CellColourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::BuildProtein(fixture_, testing::FiveResidues());
    ReadCellText(testing::kCellText, "C1tst", fixture_.residues, fixture_.tab1, {true, '.', {}});
  }
  void TearDown() override { testing::ResetTypeColours(); }
  static int PositionOf(const char* code) {
    for (int k = 1; k <= ResidueTypesByLetter().Count(); ++k)
      if (ResidueTypesByLetter().KeyAt(k) == code) return k - 1;
    return -1;
  }
  testing::TableFixture fixture_;
};

TEST_F(CellColourTest, SwatchesStartFromTheCurrentColoursInTableOrder) {
  ResidueTypeByLetter("K")->tei = 0x00ABCDEF;
  const CellColourChoice choice;
  EXPECT_EQ(choice.Count(), 21);
  EXPECT_EQ(choice.Swatch(PositionOf("K")), 0x00ABCDEF);
  EXPECT_EQ(choice.Swatch(0), ResidueTypeByLetter("A")->tei);
  EXPECT_EQ(choice.Name(0), "ALA");
  EXPECT_FALSE(CellColourChoice::IsShown(PositionOf("U")));  // the environment has no cell
  EXPECT_TRUE(CellColourChoice::IsShown(PositionOf("V")));
}

TEST_F(CellColourTest, ValidationStoresTheColoursAndPaintsUnlockedColourCells) {
  CellColourChoice choice;
  choice.SetSwatch(PositionOf("M"), 0x000000FF);
  choice.SetSwatch(PositionOf("G"), 0x0000FF00);
  choice.Validate(fixture_.tab1);
  EXPECT_EQ(ResidueTypeByLetter("M")->tei, 0x000000FF);
  EXPECT_EQ(fixture_.tab1.CellAt(1, kColumnColour).backColour, 0x000000FF);
  EXPECT_EQ(fixture_.tab1.CellAt(2, kColumnColour).backColour, ResidueTypeByLetter("K")->tei);
  // G4 is open (its "col" cell locked) and L3 has no cell: neither is painted.
  EXPECT_NE(fixture_.tab1.CellAt(4, kColumnColour).backColour, 0x0000FF00);
  EXPECT_EQ(fixture_.tab1.CellAt(3, kColumnColour).backColour, 0);
}

TEST_F(CellColourTest, AllAndInitialisationSetEverySwatch) {
  CellColourChoice choice;
  choice.SetAll(0x00102030);
  for (int k = 0; k < choice.Count(); ++k) EXPECT_EQ(choice.Swatch(k), 0x00102030) << k;
  choice.Initialise();
  for (int k = 0; k < choice.Count(); ++k)
    EXPECT_EQ(choice.Swatch(k), ResidueTypesByLetter().At(k + 1)->col) << k;
}

// Nothing is stored until validation: a cancelled dialog leaves the types' colours alone.
TEST_F(CellColourTest, ChoosingWithoutValidationStoresNothing) {
  const GridColour before = ResidueTypeByLetter("M")->tei;
  CellColourChoice choice;
  choice.SetSwatch(PositionOf("M"), 0x00FFFFFF);
  choice.SetSwatch(99, 0x00FFFFFF);  // no such swatch: ignored
  EXPECT_EQ(ResidueTypeByLetter("M")->tei, before);
  EXPECT_EQ(choice.Swatch(99), 0);
}

TEST(CellColourTableTest, ValidationBeforeAnyTessellationOnlyStoresTheColours) {
  testing::TableFixture fixture;
  testing::BuildProtein(fixture, testing::FiveResidues());
  CellColourChoice choice;
  choice.SetAll(0x00000080);
  choice.Validate(fixture.tab1);  // three columns: no "col" column to paint
  EXPECT_EQ(ResidueTypeByLetter("A")->tei, 0x00000080);
  EXPECT_EQ(fixture.tab1.Cols(), 3);
  testing::ResetTypeColours();
}

}  // namespace
}  // namespace mirelda
