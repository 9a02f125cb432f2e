// The colours by property: the sequential scale between its stops, each measure spread from its smallest
// to its largest value, the classes, the legend that names them, and the "col" cells they paint.
#include "mirelda/results/property_colours.h"

#include <gtest/gtest.h>

#include "mirelda/results/cell_reader.h"
#include "mirelda/workflow/residue_table_layout.h"
#include "tests/frontend_results/results_fixture.h"

using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::results;

namespace mirelda {
namespace {

class PropertyColourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::BuildProtein(fixture_, testing::FiveResidues());
    ReadCellText(testing::kCellText, "C1tst", fixture_.residues, fixture_.tab1, {true, '.', {}});
  }
  GridColour ColourOfRow(const PropertyColouring& colouring, int row) {
    for (const auto& [r, colour] : colouring.rows)
      if (r == row) return colour;
    ADD_FAILURE() << "row " << row << " has no colour";
    return -1;
  }
  testing::TableFixture fixture_;
};

TEST(SequentialColour, RunsThroughItsStopsAndClampsOutside) {
  EXPECT_EQ(SequentialColour(0.0), kSequentialStops[0]);
  EXPECT_EQ(SequentialColour(0.5), kSequentialStops[2]);
  EXPECT_EQ(SequentialColour(1.0), kSequentialStops[4]);
  EXPECT_EQ(SequentialColour(-3.0), kSequentialStops[0]);
  EXPECT_EQ(SequentialColour(7.0), kSequentialStops[4]);
  EXPECT_EQ(SequentialColour(0.125), PackColour(64, 42, 112));  // halfway between the first two stops
}

TEST_F(PropertyColourTest, VolumeSpreadsFromTheSmallestToTheLargestCellAndTheLegendNamesTheValues) {
  const PropertyColouring volume = ColourByProperty(fixture_.tab1, fixture_.residues, CellProperty::Volume);
  EXPECT_EQ(volume.title, "volume (A^3)");
  EXPECT_EQ(ColourOfRow(volume, 2), kSequentialStops[4]);  // K2, 30.0: the largest
  EXPECT_EQ(ColourOfRow(volume, 4), kSequentialStops[0]);  // G4, 8.5: the smallest
  EXPECT_EQ(ColourOfRow(volume, 1), SequentialColour((25.125 - 8.5) / 21.5));
  EXPECT_EQ(ColourOfRow(volume, 3), kNoValueColour);  // L3 has no cell
  ASSERT_EQ(volume.legend.size(), 6u);
  EXPECT_EQ(volume.legend[0].label, "30.0");
  EXPECT_EQ(volume.legend[0].colour, kSequentialStops[4]);
  EXPECT_EQ(volume.legend[2].label, "19.2");  // 19.25, ties to even
  EXPECT_EQ(volume.legend[4].label, "8.5");
  EXPECT_EQ(volume.legend[5].label, "no value");

  const PropertyColouring exposure = ColourByProperty(fixture_.tab1, fixture_.residues, CellProperty::Exposure);
  EXPECT_EQ(ColourOfRow(exposure, 2), kSequentialStops[0]);  // 0 %
  EXPECT_EQ(ColourOfRow(exposure, 4), kSequentialStops[4]);  // 100 %
  EXPECT_EQ(ColourOfRow(exposure, 1), SequentialColour(0.125));
  const PropertyColouring faces = ColourByProperty(fixture_.tab1, fixture_.residues, CellProperty::FaceCount);
  EXPECT_EQ(faces.legend[0].label, "15");
  EXPECT_EQ(faces.legend[4].label, "9");
}

TEST_F(PropertyColourTest, ClassesTakeTheirOwnHuesAndATableWithoutClassesIsGrey) {
  const PropertyColouring none = ColourByProperty(fixture_.tab1, fixture_.residues, CellProperty::Class);
  EXPECT_EQ(ColourOfRow(none, 1), kNoValueColour);
  const int classCol = fixture_.tab1.Cols();
  fixture_.tab1.SetCols(classCol + 1);
  const char* classes[] = {"a", "b", "", "c", "x"};
  for (int row = 1; row <= 5; ++row) {
    fixture_.tab1.SetRow(row);
    fixture_.tab1.SetCol(classCol);
    fixture_.tab1.SetText(classes[row - 1]);
  }
  const PropertyColouring byClass = ColourByProperty(fixture_.tab1, fixture_.residues, CellProperty::Class);
  EXPECT_EQ(ColourOfRow(byClass, 1), kClassColours[0]);
  EXPECT_EQ(ColourOfRow(byClass, 2), kClassColours[1]);
  EXPECT_EQ(ColourOfRow(byClass, 3), kNoValueColour);
  EXPECT_EQ(ColourOfRow(byClass, 4), kClassColours[2]);
  EXPECT_EQ(ColourOfRow(byClass, 5), kNoValueColour);
  ASSERT_EQ(byClass.legend.size(), 4u);
  EXPECT_EQ(byClass.legend[1].label, "b");
  EXPECT_EQ(byClass.legend[1].colour, kClassColours[1]);
}

TEST_F(PropertyColourTest, PaintsOnlyTheMarkedColourCells) {
  const GridColour openBefore = fixture_.tab1.CellAt(4, kColumnColour).backColour;
  PaintColourColumn(fixture_.tab1, ColourByProperty(fixture_.tab1, fixture_.residues, CellProperty::Volume));
  EXPECT_EQ(fixture_.tab1.CellAt(2, kColumnColour).backColour, kSequentialStops[4]);
  EXPECT_EQ(fixture_.tab1.CellAt(4, kColumnColour).backColour, openBefore);  // G4's cell is unmarked
  EXPECT_TRUE(ColourByProperty(fixture_.tab1, fixture_.residues, CellProperty::ResidueType).rows.empty());
}

}  // namespace
}  // namespace mirelda
