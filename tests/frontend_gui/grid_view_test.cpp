// The grid widget over the grid model: what it shows of each cell, and the residue table's mouse rules
// driven through the view as a user drives them (press, drag, release on the cells or the header).
#include "mirelda/ui/grid_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>

#include "mirelda/ui/grid_table_model.h"
#include "mirelda/workflow/residue_table_layout.h"
#include "mirelda/workflow/toggle_cells.h"

using namespace mirelda::workflow;
using namespace mirelda::ui;

namespace mirelda {
namespace {

TEST(GridTableModel, ShowsTextsColoursAndBoldExactlyAsSet) {
  GridModel grid;
  grid.SetRows(3);
  grid.SetCols(2);
  grid.SetFormatString("<AA|>NUM");
  GridTableModel model(grid);
  QPalette palette;
  model.SetPalette(palette);
  ASSERT_EQ(model.rowCount(), 2);  // row 0 is the header
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "NUM");
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
            Qt::AlignRight);

  grid.SetRow(1);
  grid.SetCol(0);
  grid.SetText("K");
  grid.SetCellForeColor(0x00008000);  // green, red in the low byte
  grid.SetCellBackColor(0x000080FF);  // orange: red 255, green 128
  grid.SetCellFontBold(true);
  grid.SetCol(1);
  grid.SetCellForeColor(kSystemWorkspace);
  grid.SetRow(2);
  grid.SetCellForeColor(kColourBlack);  // an explicit black is black, not "the default"

  const QModelIndex k = model.index(0, 0);
  EXPECT_EQ(model.data(k, Qt::DisplayRole).toString(), "K");
  EXPECT_EQ(model.data(k, Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
  EXPECT_EQ(model.data(k, Qt::BackgroundRole).value<QColor>(), QColor(255, 128, 0));
  EXPECT_TRUE(model.data(k, Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(model.data(model.index(0, 1), Qt::ForegroundRole).value<QColor>(), palette.color(QPalette::Dark));
  EXPECT_EQ(model.data(model.index(1, 1), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
  EXPECT_FALSE(model.data(model.index(1, 0), Qt::ForegroundRole).isValid());
  // Cells without a background of their own show the grid's general background.
  EXPECT_EQ(model.data(model.index(1, 0), Qt::BackgroundRole).value<QColor>(), palette.color(QPalette::Base));
  grid.SetBackColor(kColourLightYellow);
  EXPECT_EQ(model.data(model.index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 192));
  EXPECT_EQ(model.data(k, Qt::BackgroundRole).value<QColor>(), QColor(255, 128, 0));
}

// A results table of three residues with the toggle columns 8 to 13, all unmarked except row 3 of
// column 8, which is locked.
void FillToggleTable(GridModel& grid) {
  grid.SetRows(4);
  grid.SetCols(14);
  grid.SetFormatString("<AA|<NUM|<CH|<VOL|<AREA|<FACES|<I|<+|<cell|<trac|<all|<labl|<col|<tra");
  grid.SetRowHeight(0, 300);
  for (int row = 1; row < 4; ++row) {
    grid.SetRowHeight(row, 300);
    for (int col = kColumnCell; col <= kColumnTransparency; ++col) {
      grid.SetRow(row);
      grid.SetCol(col);
      grid.SetCellForeColor(kUnmarkedText);
      grid.SetCellBackColor(kUnmarkedBack);
    }
  }
  for (int col = 0; col < 14; ++col) grid.SetColWidth(col, 450);
  grid.SetRow(3);
  grid.SetCol(kColumnCell);
  grid.SetCellForeColor(kLockedText);
}

class ResidueTableView : public ::testing::Test {
 protected:
  void SetUp() override {
    FillToggleTable(grid_);
    view_ = std::make_unique<GridView>(grid_);
    view_->onClick = [this] { ClickResidueTable(grid_, drag_, hooks_); };
    view_->onDrag = [this](int buttons) { DragOverResidueTable(grid_, drag_, buttons); };
    view_->onRelease = [this](int button, int x, int y) {
      ReleaseOverResidueTable(grid_, button, x, y, hooks_);
    };
    hooks_.openCellColourDialog = [this] { ++colourDialogs_; };
    view_->resize(700, 200);
    view_->show();
    view_->ApplySizes();
    QApplication::processEvents();
  }

  QPoint CellCentre(int row, int col) const {
    return view_->visualRect(view_->model()->index(GridTableModel::QtRow(row), col)).center();
  }
  static void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                   Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  }
  void Click(int row, int col) {
    Send(view_->viewport(), QEvent::MouseButtonPress, CellCentre(row, col), Qt::LeftButton, Qt::LeftButton);
    Send(view_->viewport(), QEvent::MouseButtonRelease, CellCentre(row, col), Qt::LeftButton, Qt::NoButton);
  }
  void ReleaseOnHeader(int col, Qt::MouseButton button) {
    QHeaderView* header = view_->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(col) + 5, header->height() / 2);
    Send(header->viewport(), QEvent::MouseButtonRelease, at, button, Qt::NoButton);
  }
  ToggleState State(int row, int col) {
    grid_.SetRow(row);
    grid_.SetCol(col);
    return CurrentToggleState(grid_);
  }

  GridModel grid_;
  DragState drag_;
  ResidueTableHooks hooks_;
  int colourDialogs_ = 0;
  std::unique_ptr<GridView> view_;
};

TEST_F(ResidueTableView, SizesComeFromTheGridInTwipsAtFifteenAPixel) {
  EXPECT_EQ(view_->columnWidth(kColumnCell), 30);
  EXPECT_EQ(view_->rowHeight(0), 20);
  EXPECT_EQ(view_->horizontalHeader()->height(), 20);
  // The view's cell (Qt row 0) is the grid's row 1.
  EXPECT_EQ(view_->model()->data(view_->model()->index(0, kColumnCell), Qt::BackgroundRole).value<QColor>(),
            QColor(224, 224, 224));
}

TEST_F(ResidueTableView, ClicksToggleAndALockedCellStays) {
  Click(1, kColumnCell);
  EXPECT_EQ(State(1, kColumnCell), ToggleState::Marked);
  EXPECT_EQ(grid_.TextAt(1, kColumnCell), "x");
  // The same cell clicked again toggles back: each click resets the drag's memory.
  Click(1, kColumnCell);
  EXPECT_EQ(State(1, kColumnCell), ToggleState::Unmarked);
  Click(3, kColumnCell);
  EXPECT_EQ(State(3, kColumnCell), ToggleState::Locked);
}

TEST_F(ResidueTableView, DragDownAColumnTogglesEachRowOnce) {
  QWidget* cells = view_->viewport();
  Send(cells, QEvent::MouseButtonPress, CellCentre(1, kColumnAll), Qt::LeftButton, Qt::LeftButton);
  Send(cells, QEvent::MouseMove, CellCentre(1, kColumnAll), Qt::NoButton, Qt::LeftButton);
  Send(cells, QEvent::MouseMove, CellCentre(1, kColumnAll) + QPoint(2, 1), Qt::NoButton, Qt::LeftButton);
  Send(cells, QEvent::MouseMove, CellCentre(2, kColumnAll), Qt::NoButton, Qt::LeftButton);
  Send(cells, QEvent::MouseMove, CellCentre(3, kColumnAll), Qt::NoButton, Qt::LeftButton);
  Send(cells, QEvent::MouseButtonRelease, CellCentre(3, kColumnAll), Qt::LeftButton, Qt::NoButton);
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(State(row, kColumnAll), ToggleState::Marked) << "row " << row;
}

TEST_F(ResidueTableView, HeaderReleasesMarkAndUnmarkAColumn) {
  ReleaseOnHeader(kColumnTrace, Qt::LeftButton);
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(State(row, kColumnTrace), ToggleState::Marked);
  ReleaseOnHeader(kColumnTrace, Qt::RightButton);
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(State(row, kColumnTrace), ToggleState::Unmarked);
  // The "col" header: the right button does nothing, the left one opens the colour dialog, then marks.
  ReleaseOnHeader(kColumnColour, Qt::RightButton);
  EXPECT_EQ(colourDialogs_, 0);
  EXPECT_EQ(State(1, kColumnColour), ToggleState::Unmarked);
  ReleaseOnHeader(kColumnColour, Qt::LeftButton);
  EXPECT_EQ(colourDialogs_, 1);
  EXPECT_EQ(State(2, kColumnColour), ToggleState::Marked);
  // The locked cell of column 8 is passed over.
  ReleaseOnHeader(kColumnCell, Qt::LeftButton);
  EXPECT_EQ(State(3, kColumnCell), ToggleState::Locked);
}

// A release over the cells, below the header, must not act as a header release.
TEST_F(ResidueTableView, ReleaseBelowTheHeaderDoesNothing) {
  Send(view_->viewport(), QEvent::MouseButtonRelease, CellCentre(1, kColumnTrace), Qt::LeftButton,
       Qt::NoButton);
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(State(row, kColumnTrace), ToggleState::Unmarked);
}

}  // namespace
}  // namespace mirelda
