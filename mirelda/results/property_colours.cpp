#include "mirelda/results/property_colours.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "brindel/exchange/fixed_format.h"
#include "mirelda/results/results_table.h"
#include "mirelda/workflow/residue_table_layout.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::results {
namespace {

int Channel(GridColour colour, int shift) { return (colour >> shift) & 0xFF; }

std::optional<double> MeasureOf(const GridModel& tab1, const DEF_AA& residue, int row, CellProperty property) {
  if (!CellOfRow(tab1, row).exists) return std::nullopt;
  switch (property) {
    case CellProperty::Volume: return residue.VOL();
    case CellProperty::FaceCount: return residue.NBF();
    case CellProperty::Exposure:
      if (tab1.Cols() <= kColumnExposure) return std::nullopt;
      return residue.EXP();
    default: return std::nullopt;
  }
}

std::string Title(CellProperty property) {
  switch (property) {
    case CellProperty::Volume: return "volume (A^3)";
    case CellProperty::Exposure: return "exposure (%)";
    case CellProperty::FaceCount: return "face count";
    case CellProperty::Class: return "class";
    default: return "";
  }
}

}  // namespace

GridColour SequentialColour(double fraction) {
  const double position = std::clamp(fraction, 0.0, 1.0) * (kSequentialStops.size() - 1);
  const auto low = static_cast<std::size_t>(std::min(std::floor(position), double(kSequentialStops.size() - 2)));
  const double t = position - static_cast<double>(low);
  const GridColour a = kSequentialStops[low], b = kSequentialStops[low + 1];
  const auto mix = [&](int shift) {
    return static_cast<int>(std::lround(Channel(a, shift) + t * (Channel(b, shift) - Channel(a, shift))));
  };
  return PackColour(mix(0), mix(8), mix(16));
}

PropertyColouring ColourByProperty(const GridModel& tab1, const Residues& residues, CellProperty property) {
  PropertyColouring colouring;
  colouring.title = Title(property);
  if (property == CellProperty::ResidueType || tab1.Cols() <= kColumnColour) return colouring;
  bool someMissing = false;
  if (property == CellProperty::Class) {
    for (int row = 1; row < tab1.Rows(); ++row) {
      const char given = ClassOfRow(tab1, row);
      someMissing = someMissing || given == 0;
      colouring.rows.emplace_back(row, given != 0 ? kClassColours[static_cast<std::size_t>(given - 'a')]
                                                  : kNoValueColour);
    }
    for (std::size_t k = 0; k < kClassColours.size(); ++k)
      colouring.legend.push_back({kClassColours[k], std::string(1, static_cast<char>('a' + k))});
  } else {
    std::vector<std::pair<int, std::optional<double>>> values;
    double low = 0, high = 0;
    bool any = false;
    for (int row = 1; row < tab1.Rows(); ++row) {
      const DEF_AA* residue = residues.Find(row);
      const std::optional<double> value =
          residue != nullptr ? MeasureOf(tab1, *residue, row, property) : std::nullopt;
      if (value) {
        low = any ? std::min(low, *value) : *value;
        high = any ? std::max(high, *value) : *value;
        any = true;
      }
      values.emplace_back(row, value);
    }
    const double span = high - low;
    for (const auto& [row, value] : values) {
      someMissing = someMissing || !value;
      colouring.rows.emplace_back(
          row, value ? SequentialColour(span > 0 ? (*value - low) / span : 0.0) : kNoValueColour);
    }
    const int decimals = property == CellProperty::FaceCount ? 0 : 1;
    if (any)
      for (int k = static_cast<int>(kSequentialStops.size()) - 1; k >= 0; --k) {
        const double fraction = k / double(kSequentialStops.size() - 1);
        colouring.legend.push_back(
            {kSequentialStops[static_cast<std::size_t>(k)], exchange::Fixed(low + fraction * span, 0, decimals)});
      }
  }
  if (someMissing) colouring.legend.push_back({kNoValueColour, "no value"});
  return colouring;
}

void PaintColourColumn(GridModel& tab1, const PropertyColouring& colouring) {
  if (tab1.Cols() <= kColumnColour) return;
  for (const auto& [row, colour] : colouring.rows) {
    if (row < 1 || row >= tab1.Rows()) continue;
    if (tab1.CellAt(row, kColumnColour).foreColour != kMarkedText) continue;  // as the type colours do
    tab1.SetRow(row);
    tab1.SetCol(kColumnColour);
    tab1.SetCellBackColor(colour);
  }
}

}  // namespace mirelda::results
