#include "mirelda/ui/grid_table_model.h"

#include <QFont>
#include <cctype>

#include "mirelda/ui/qt_colours.h"

using namespace mirelda::workflow;

namespace mirelda::ui {
namespace {

// "General" alignment shows numbers to the right and other texts to the left.
bool LooksNumeric(const std::string& text) {
  bool digit = false;
  for (const char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digit = true;
    } else if (c != ' ' && c != '-' && c != '+' && c != '.' && c != ',' && c != 'e' && c != 'E') {
      return false;
    }
  }
  return digit;
}

// Column alignment values: 0-2 left, 3-5 centre, 6-8 right (each top, middle, bottom), 9 general.
Qt::Alignment CellAlignment(int value, const std::string& text) {
  if (value == kAlignGeneral || value < 0 || value > kAlignGeneral) {
    return Qt::AlignVCenter | (LooksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft);
  }
  const Qt::Alignment horizontal = value < 3 ? Qt::AlignLeft : value < 6 ? Qt::AlignHCenter : Qt::AlignRight;
  const int vertical = value % 3;
  return horizontal | (vertical == 0 ? Qt::AlignTop : vertical == 1 ? Qt::AlignVCenter : Qt::AlignBottom);
}

Qt::Alignment HeaderTitleAlignment(HeaderAlignment alignment) {
  switch (alignment) {
    case HeaderAlignment::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case HeaderAlignment::Centre:
      return Qt::AlignCenter;
    case HeaderAlignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

GridTableModel::GridTableModel(GridModel& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
  grid_.SetListener(this);
}

GridTableModel::~GridTableModel() { grid_.SetListener(nullptr); }

int GridTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || resetting_) return 0;
  return grid_.Rows() > 1 ? grid_.Rows() - 1 : 0;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || resetting_) return 0;
  return grid_.Cols();
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || resetting_) return {};
  const int row = GridRow(index.row());
  if (row >= grid_.Rows() || index.column() >= grid_.Cols()) return {};
  const GridCell& cell = grid_.CellAt(row, index.column());
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(cell.text);
    case Qt::ForegroundRole:
      // A colour never set is the grid's default text colour; an explicit 0 is black.
      return cell.foreSet ? QVariant(ToQColor(cell.foreColour, palette_)) : QVariant();
    case Qt::BackgroundRole:
      return ToQColor(cell.backSet ? cell.backColour : grid_.BackColor(), palette_);
    case Qt::FontRole:
      if (cell.bold) {
        QFont font;
        font.setBold(true);
        return font;
      }
      return {};
    case Qt::TextAlignmentRole:
      return static_cast<int>(CellAlignment(grid_.ColAlignment(index.column()), cell.text));
    default:
      return {};
  }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || resetting_ || grid_.Rows() == 0 || section >= grid_.Cols()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  const GridCell& cell = grid_.CellAt(0, section);
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(cell.text);
    case Qt::TextAlignmentRole:
      return static_cast<int>(HeaderTitleAlignment(grid_.HeaderAlignmentOf(section)));
    case Qt::ForegroundRole:
      return cell.foreSet ? QVariant(ToQColor(cell.foreColour, palette_)) : QVariant();
    case Qt::BackgroundRole:
      return cell.backSet ? QVariant(ToQColor(cell.backColour, palette_)) : QVariant();
    default:
      return {};
  }
}

void GridTableModel::GridAboutToReset() {
  beginResetModel();
  resetting_ = true;
}

void GridTableModel::GridReset() {
  resetting_ = false;
  endResetModel();
  if (onSizesChanged) onSizesChanged();
}

void GridTableModel::CellChanged(int row, int col) {
  if (row == 0) {
    emit headerDataChanged(Qt::Horizontal, col, col);
    return;
  }
  const QModelIndex cell = index(QtRow(row), col);
  emit dataChanged(cell, cell);
}

void GridTableModel::ColumnChanged(int col) {
  if (grid_.Rows() > 1) emit dataChanged(index(0, col), index(rowCount() - 1, col));
  if (onSizesChanged) onSizesChanged();
}

void GridTableModel::RowChanged(int /*row*/) {
  if (onSizesChanged) onSizesChanged();
}

void GridTableModel::GridPropertiesChanged() {
  if (rowCount() > 0 && columnCount() > 0)
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  if (onSizesChanged) onSizesChanged();
}

}  // namespace mirelda::ui
