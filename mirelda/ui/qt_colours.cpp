#include "mirelda/ui/qt_colours.h"

using namespace mirelda::workflow;

namespace mirelda::ui {
namespace {

QColor SystemColour(int index, const QPalette& palette) {
  switch (index) {
    case 5:
      return palette.color(QPalette::Base);
    case 8:
      return palette.color(QPalette::Text);
    case 12:  // the workspace behind documents: a mid grey on every usual theme
      return palette.color(QPalette::Dark);
    case 13:
      return palette.color(QPalette::Highlight);
    case 14:
      return palette.color(QPalette::HighlightedText);
    case 15:
      return palette.color(QPalette::Button);
    case 18:
      return palette.color(QPalette::ButtonText);
    default:
      return palette.color(QPalette::Text);
  }
}

}  // namespace

QColor ToQColor(GridColour colour, const QPalette& palette) {
  if (IsSystemColour(colour)) return SystemColour(colour & 0xFF, palette);
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

GridColour FromQColor(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return rgb.red() + 256 * rgb.green() + 65536 * rgb.blue();
}

}  // namespace mirelda::ui
