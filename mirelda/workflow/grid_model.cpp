#include "mirelda/workflow/grid_model.h"

#include <algorithm>
#include <stdexcept>

namespace mirelda::workflow {
namespace {

std::string Describe(const char* what, int index, int count) {
  return std::string("grid ") + what + " " + std::to_string(index) + " outside 0.." +
         std::to_string(count - 1);
}

}  // namespace

void GridModel::CheckRow(int row) const {
  if (row < 0 || row >= rows_) throw std::out_of_range(Describe("row", row, rows_));
}

void GridModel::CheckCol(int col) const {
  if (col < 0 || col >= cols_) throw std::out_of_range(Describe("column", col, cols_));
}

void GridModel::Clear() {
  if (listener_) listener_->GridAboutToReset();
  std::fill(cells_.begin(), cells_.end(), GridCell{});
  formatString_.clear();
  headerAlignments_.assign(static_cast<std::size_t>(cols_), HeaderAlignment::Left);
  if (listener_) listener_->GridReset();
}

void GridModel::Resize(int rows, int cols) {
  if (rows < 0 || cols < 0) throw std::out_of_range("negative grid size");
  if (listener_) listener_->GridAboutToReset();
  std::vector<GridCell> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  for (int r = 0; r < std::min(rows, rows_); ++r)
    for (int c = 0; c < std::min(cols, cols_); ++c)
      cells[static_cast<std::size_t>(r * cols + c)] =
          std::move(cells_[static_cast<std::size_t>(r * cols_ + c)]);
  cells_ = std::move(cells);
  rows_ = rows;
  cols_ = cols;
  rowHeights_.resize(static_cast<std::size_t>(rows), kDefaultRowHeight);
  colWidths_.resize(static_cast<std::size_t>(cols), kDefaultColumnWidth);
  colAlignments_.resize(static_cast<std::size_t>(cols), kAlignGeneral);
  headerAlignments_.resize(static_cast<std::size_t>(cols), HeaderAlignment::Left);
  ClampCurrent();
  if (listener_) listener_->GridReset();
}

void GridModel::ClampCurrent() {
  row_ = std::clamp(row_, 0, std::max(rows_ - 1, 0));
  col_ = std::clamp(col_, 0, std::max(cols_ - 1, 0));
  rowSel_ = std::clamp(rowSel_, 0, std::max(rows_ - 1, 0));
  colSel_ = std::clamp(colSel_, 0, std::max(cols_ - 1, 0));
}

void GridModel::SetRows(int rows) { Resize(rows, cols_); }
void GridModel::SetCols(int cols) { Resize(rows_, cols); }

void GridModel::SetWidth(int twips) {
  width_ = twips;
  if (listener_) listener_->GridPropertiesChanged();
}

void GridModel::SetHeight(int twips) {
  height_ = twips;
  if (listener_) listener_->GridPropertiesChanged();
}

void GridModel::SetFormatString(std::string_view format) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t bar = format.find('|', start);
    fields.push_back(format.substr(start, bar == std::string_view::npos ? bar : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  const int needed = static_cast<int>(fields.size());
  if (needed > cols_ || rows_ < 1) Resize(std::max(rows_, 1), std::max(cols_, needed));
  if (listener_) listener_->GridAboutToReset();
  formatString_ = format;
  for (int c = 0; c < needed; ++c) {
    std::string_view title = fields[static_cast<std::size_t>(c)];
    HeaderAlignment alignment = HeaderAlignment::Left;
    if (!title.empty() && (title.front() == '<' || title.front() == '>' || title.front() == '^')) {
      alignment = title.front() == '<'   ? HeaderAlignment::Left
                  : title.front() == '>' ? HeaderAlignment::Right
                                         : HeaderAlignment::Centre;
      title.remove_prefix(1);
    }
    headerAlignments_[static_cast<std::size_t>(c)] = alignment;
    cells_[static_cast<std::size_t>(c)].text = title;
  }
  if (listener_) listener_->GridReset();
}

HeaderAlignment GridModel::HeaderAlignmentOf(int col) const {
  CheckCol(col);
  return headerAlignments_[static_cast<std::size_t>(col)];
}

int GridModel::ColWidth(int col) const {
  CheckCol(col);
  return colWidths_[static_cast<std::size_t>(col)];
}

void GridModel::SetColWidth(int col, int twips) {
  CheckCol(col);
  colWidths_[static_cast<std::size_t>(col)] = twips;
  if (listener_) listener_->ColumnChanged(col);
}

int GridModel::ColAlignment(int col) const {
  CheckCol(col);
  return colAlignments_[static_cast<std::size_t>(col)];
}

void GridModel::SetColAlignment(int col, int value) {
  CheckCol(col);
  colAlignments_[static_cast<std::size_t>(col)] = value;
  if (listener_) listener_->ColumnChanged(col);
}

int GridModel::RowHeight(int row) const {
  CheckRow(row);
  return rowHeights_[static_cast<std::size_t>(row)];
}

void GridModel::SetRowHeight(int row, int twips) {
  CheckRow(row);
  rowHeights_[static_cast<std::size_t>(row)] = twips;
  if (listener_) listener_->RowChanged(row);
}

int GridModel::ColPos(int col) const {
  CheckCol(col);
  int left = 0;
  for (int c = 0; c < col; ++c) left += colWidths_[static_cast<std::size_t>(c)];
  return left;
}

void GridModel::SetRow(int row) {
  CheckRow(row);
  row_ = rowSel_ = row;
  if (listener_) listener_->CurrentCellChanged();
}

void GridModel::SetCol(int col) {
  CheckCol(col);
  col_ = colSel_ = col;
  if (listener_) listener_->CurrentCellChanged();
}

void GridModel::SetSelectionEnd(int row, int col) {
  CheckRow(row);
  CheckCol(col);
  rowSel_ = row;
  colSel_ = col;
  if (listener_) listener_->CurrentCellChanged();
}

const GridCell& GridModel::CellAt(int row, int col) const {
  CheckRow(row);
  CheckCol(col);
  return cells_[static_cast<std::size_t>(row * cols_ + col)];
}

const GridCell& GridModel::Current() const { return CellAt(row_, col_); }
GridCell& GridModel::Current() { return const_cast<GridCell&>(CellAt(row_, col_)); }

const std::string& GridModel::Text() const { return Current().text; }
GridColour GridModel::CellForeColor() const { return Current().foreColour; }
GridColour GridModel::CellBackColor() const { return Current().backColour; }
bool GridModel::CellFontBold() const { return Current().bold; }

void GridModel::SetText(std::string_view text) {
  Current().text = text;
  if (listener_) listener_->CellChanged(row_, col_);
}

void GridModel::SetCellForeColor(GridColour colour) {
  GridCell& cell = Current();
  cell.foreColour = colour;
  cell.foreSet = true;
  if (listener_) listener_->CellChanged(row_, col_);
}

void GridModel::SetCellBackColor(GridColour colour) {
  GridCell& cell = Current();
  cell.backColour = colour;
  cell.backSet = true;
  if (listener_) listener_->CellChanged(row_, col_);
}

void GridModel::SetCellFontBold(bool bold) {
  Current().bold = bold;
  if (listener_) listener_->CellChanged(row_, col_);
}

void GridModel::SetBackColor(GridColour colour) {
  backColour_ = colour;
  if (listener_) listener_->GridPropertiesChanged();
}

}  // namespace mirelda::workflow
