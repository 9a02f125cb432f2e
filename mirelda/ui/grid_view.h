// The grid widget: a table view over a GridModel. Row 0 of the grid is shown as the horizontal header, so
// it stays in place while the rows scroll, as a fixed row does; the grid's twips sizes are shown at 15
// twips a pixel. The mouse is reported in the grid's terms: a press makes the cell under the pointer the
// current cell, a move with a button held sets the selection end there, a release gives the pointer
// position in twips from the grid's top-left corner (header included), and a press and release in the
// cells make a click.
#pragma once

#include <QTableView>
#include <functional>

#include "mirelda/workflow/grid_model.h"

namespace mirelda::ui {

class GridTableModel;

// The grids' sizes are twips; the screen shows 15 twips a pixel (96 dots per inch).
inline constexpr int kGridTwipsPerPixel = 15;

// Buttons as the grid reports them: 1 left, 2 right, 4 middle (held buttons are summed).
int GridButtons(Qt::MouseButtons buttons);

class GridView : public QTableView {
 public:
  GridView(workflow::GridModel& grid, QWidget* parent = nullptr);

  workflow::GridModel& Grid() { return grid_; }

  // The events, called after the grid's current cell or selection end was set.
  std::function<void()> onClick;
  std::function<void(int buttons)> onDrag;
  std::function<void(int button, int xTwips, int yTwips)> onRelease;
  // The copy key (Ctrl+C) over the view.
  std::function<void()> onCopy;

  // The view is never shorter than the header and this many rows, whatever height the grid asks.
  void SetMinimumRows(int rows);

  // Sizes columns, rows, the header and the control from the grid (done after changes, coalesced).
  void ApplySizes();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ScheduleSizes();
  // The grid cell under a viewport point: false outside the cells.
  bool CellAt(const QPoint& point, int& row, int& col) const;
  // A viewport (or header) x in pixels as twips from the grid's left edge.
  int TwipsX(int viewportX) const;
  void Released(Qt::MouseButton button, int xTwips, int yTwips);

  workflow::GridModel& grid_;
  GridTableModel* model_;
  bool sizesPending_ = false;
  bool pressedInCells_ = false;
  int minimumRows_ = 0;
};

}  // namespace mirelda::ui
