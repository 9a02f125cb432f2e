// The one place where the front-end's colours meet Qt's: 0x00BBGGRR values and the system colours
// (top bit set, the low byte an index) become QColor, and a chosen QColor becomes 0x00BBGGRR again.
#pragma once

#include <QColor>
#include <QPalette>

#include "mirelda/workflow/grid_model.h"

namespace mirelda::ui {

// System colour indexes: 5 the window background, 8 the window text, 12 the application workspace
// (the text of an unmarked toggle cell, grey), 15 the button face, 18 the button text.
QColor ToQColor(workflow::GridColour colour, const QPalette& palette = QPalette());
workflow::GridColour FromQColor(const QColor& colour);

}  // namespace mirelda::ui
