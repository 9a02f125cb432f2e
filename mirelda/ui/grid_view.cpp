#include "mirelda/ui/grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "mirelda/ui/grid_table_model.h"

using namespace mirelda::workflow;

namespace mirelda::ui {
namespace {

int Pixels(int twips) { return std::max(0, twips / kGridTwipsPerPixel); }

}  // namespace

int GridButtons(Qt::MouseButtons buttons) {
  int value = 0;
  if (buttons & Qt::LeftButton) value += 1;
  if (buttons & Qt::RightButton) value += 2;
  if (buttons & Qt::MiddleButton) value += 4;
  return value;
}

GridView::GridView(GridModel& grid, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(new GridTableModel(grid, this)) {
  model_->SetPalette(palette());
  model_->onSizesChanged = [this] { ScheduleSizes(); };
  setModel(model_);
  // The grid decides what a click does: no selection or editing of Qt's own.
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFocusPolicy(Qt::NoFocus);
  setWordWrap(false);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->viewport()->installEventFilter(this);
  QFont small = font();
  small.setPixelSize(11);  // rows of 240 twips are 16 pixels high
  setFont(small);
  horizontalHeader()->setFont(small);
  ApplySizes();
}

void GridView::ScheduleSizes() {
  if (sizesPending_) return;
  sizesPending_ = true;
  QTimer::singleShot(0, this, [this] { ApplySizes(); });
}

void GridView::ApplySizes() {
  sizesPending_ = false;
  for (int col = 0; col < grid_.Cols(); ++col) setColumnWidth(col, Pixels(grid_.ColWidth(col)));
  // Rows of one height (the usual case) take it as the default size: setting each of many rows is slow.
  bool uniform = true;
  for (int row = 2; row < grid_.Rows() && uniform; ++row)
    uniform = grid_.RowHeight(row) == grid_.RowHeight(1);
  if (uniform && grid_.Rows() > 1) {
    verticalHeader()->setDefaultSectionSize(Pixels(grid_.RowHeight(1)));
  }
  for (int row = 1; row < grid_.Rows(); ++row) {
    const int qtRow = GridTableModel::QtRow(row);
    const int height = Pixels(grid_.RowHeight(row));
    if (rowHeight(qtRow) != height) setRowHeight(qtRow, height);
  }
  if (grid_.Rows() > 0) {
    horizontalHeader()->setFixedHeight(Pixels(grid_.RowHeight(0)));
    horizontalHeader()->show();
  } else {
    horizontalHeader()->hide();
  }
  if (grid_.Width() > 0) setFixedWidth(Pixels(grid_.Width()));
  if (grid_.Height() > 0 || minimumRows_ > 0) {
    const int rowPixels = Pixels(grid_.Rows() > 1 ? grid_.RowHeight(1) : workflow::kDefaultRowHeight);
    const int headerPixels = Pixels(grid_.Rows() > 0 ? grid_.RowHeight(0) : workflow::kDefaultRowHeight);
    const int leastPixels = minimumRows_ > 0 ? headerPixels + minimumRows_ * rowPixels + 2 * frameWidth() : 0;
    setFixedHeight(std::max(Pixels(grid_.Height()), leastPixels));
  }
  viewport()->update();
}

void GridView::SetMinimumRows(int rows) {
  minimumRows_ = rows;
  ScheduleSizes();
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy) && onCopy) {
    onCopy();
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

bool GridView::CellAt(const QPoint& point, int& row, int& col) const {
  const int qtRow = rowAt(point.y());
  const int qtCol = columnAt(point.x());
  if (qtRow < 0 || qtCol < 0) return false;
  row = GridTableModel::GridRow(qtRow);
  col = qtCol;
  return true;
}

int GridView::TwipsX(int viewportX) const {
  const int col = columnAt(viewportX);
  if (col < 0)
    return grid_.Cols() > 0 ? grid_.ColPos(grid_.Cols() - 1) + grid_.ColWidth(grid_.Cols() - 1) : 0;
  // Within a column the offset scales by 15; the column's left edge is the grid's own, so a hit test on
  // the grid's widths finds the column under the pointer.
  const int offset = (viewportX - columnViewportPosition(col)) * kGridTwipsPerPixel;
  return grid_.ColPos(col) + std::min(offset, grid_.ColWidth(col) - 1);
}

void GridView::mousePressEvent(QMouseEvent* event) {
  int row = 0, col = 0;
  pressedInCells_ = CellAt(event->position().toPoint(), row, col);
  if (pressedInCells_ && event->button() == Qt::LeftButton) {
    grid_.SetRow(row);
    grid_.SetCol(col);
  }
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  const int buttons = GridButtons(event->buttons());
  if (buttons == 0 || !pressedInCells_) return;
  int row = 0, col = 0;
  if (!CellAt(event->position().toPoint(), row, col)) return;
  grid_.SetSelectionEnd(row, col);
  if (onDrag) onDrag(buttons);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  // Below the header: the height of row 0 plus the distance into the cells.
  const int yTwips = (grid_.Rows() > 0 ? grid_.RowHeight(0) : 0) +
                     (point.y() + verticalScrollBar()->value()) * kGridTwipsPerPixel;
  Released(event->button(), TwipsX(point.x()), yTwips);
  int row = 0, col = 0;
  if (pressedInCells_ && event->button() == Qt::LeftButton && CellAt(point, row, col) && onClick) onClick();
  pressedInCells_ = false;
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  // A second click, as the grid reports it.
  mousePressEvent(event);
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint point = mouse->position().toPoint();
    const int rowHeight = grid_.Rows() > 0 ? grid_.RowHeight(0) : 0;
    const int yTwips = std::min(point.y() * kGridTwipsPerPixel, std::max(0, rowHeight - 1));
    Released(mouse->button(), TwipsX(point.x()), yTwips);
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

void GridView::Released(Qt::MouseButton button, int xTwips, int yTwips) {
  if (!onRelease) return;
  const int value = GridButtons(button);
  if (value != 0) onRelease(value, xTwips, yTwips);
}

}  // namespace mirelda::ui
