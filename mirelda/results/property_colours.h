// Colours of the cells by a property of their residue, beside the colours by amino-acid type: a
// sequential scale for the measures (volume, exposure, face count) and a qualitative one for the class,
// with the legend that names them. The colours go to the "col" column, which the scene composer reads.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "mirelda/model/residue_records.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::results {

enum class CellProperty { ResidueType, Volume, Exposure, FaceCount, Class };
inline constexpr std::array<std::pair<CellProperty, const char*>, 5> kCellProperties = {
    {{CellProperty::ResidueType, "amino-acid type"},
     {CellProperty::Volume, "volume"},
     {CellProperty::Exposure, "exposure"},
     {CellProperty::FaceCount, "face count"},
     {CellProperty::Class, "class"}}};

// A residue without the property (no cell, no class column) is drawn grey.
inline constexpr workflow::GridColour kNoValueColour = model::PackColour(128, 128, 128);
// The stops of the sequential scale, low to high: dark blue through green to yellow, read apart by
// lightness alone (printed in grey, or by a reader who does not tell red from green).
inline constexpr std::array<workflow::GridColour, 5> kSequentialStops = {
    model::PackColour(68, 1, 84), model::PackColour(59, 82, 139), model::PackColour(33, 145, 140),
    model::PackColour(94, 201, 98), model::PackColour(253, 231, 37)};
// The classes a, b and c: three hues of equal weight.
inline constexpr std::array<workflow::GridColour, 3> kClassColours = {
    model::PackColour(228, 26, 28), model::PackColour(55, 126, 184), model::PackColour(77, 175, 74)};

// The colour of a fraction of the scale (0 low, 1 high; clamped), linear between the stops.
workflow::GridColour SequentialColour(double fraction);

struct LegendEntry {
  workflow::GridColour colour = 0;
  std::string label;
};

struct PropertyColouring {
  std::string title;                                    // "volume (A^3)"; "" for the amino-acid types
  std::vector<std::pair<int, workflow::GridColour>> rows;  // table row, colour
  std::vector<LegendEntry> legend;                      // top to bottom
};

// The colours of the residue table's rows by a property (not ResidueType: those are the types' own).
// The measures spread from their smallest to their largest value; the legend gives five values of the
// scale with '.' decimals, and "no value" when some row has none.
PropertyColouring ColourByProperty(const workflow::GridModel& tab1, const model::Residues& residues,
                                   CellProperty property);

// Gives each listed row's marked "col" cell its colour (the unmarked ones keep theirs, as with the types).
void PaintColourColumn(workflow::GridModel& tab1, const PropertyColouring& colouring);

}  // namespace mirelda::results
