// The grid behind the residue table (Tab1) and the face table (Tab2): rows and columns of cells with
// text, colours and bold, column widths and alignments, row heights, a header row and a current cell.
// Plain C++; a table view shows it and learns of changes through a GridListener.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::workflow {

// Colours are 0x00BBGGRR; a value with the top bit set names a system colour (0x8000000C: the
// application workspace colour).
using GridColour = std::int32_t;

inline constexpr GridColour kColourBlack = 0x00000000;
inline constexpr GridColour kColourLightYellow = 0x00C0FFFF;
inline constexpr GridColour kColourLightGrey = 0x00E0E0E0;
inline constexpr GridColour kColourGreen = 0x00008000;
inline constexpr GridColour kColourLightBlue = 0x00FFC0C0;
inline constexpr GridColour kColourOrange = 0x000080FF;
inline constexpr GridColour kSystemColourFlag = static_cast<GridColour>(0x80000000u);
inline constexpr GridColour kSystemWorkspace = static_cast<GridColour>(0x8000000Cu);
inline constexpr GridColour kSystemWindowBackground = static_cast<GridColour>(0x80000005u);
constexpr bool IsSystemColour(GridColour colour) { return (colour & kSystemColourFlag) != 0; }

// Column alignment values: 4 centres the text; the default 9 is "general" (text left, numbers right).
inline constexpr int kAlignCentre = 4;
inline constexpr int kAlignGeneral = 9;

// Sizes are in twips (1/1440 inch). Defaults of a grid whose sizes were never set: wide enough for a few
// characters, one line of the standard font high.
inline constexpr int kDefaultColumnWidth = 960;
inline constexpr int kDefaultRowHeight = 240;

// One cell. A fresh cell has no text, text and background colours 0 ("not set": shown with the grid's
// default colours, and read back as 0) and no bold. The *Set flags tell the view that a colour was given
// explicitly, so that an explicit black (0) is shown as black; reads never depend on them.
struct GridCell {
  std::string text;
  GridColour foreColour = 0;
  GridColour backColour = 0;
  bool bold = false;
  bool foreSet = false;
  bool backSet = false;
};

// How a header title of row 0 is aligned, from the format text: '<' left, '>' right, '^' centre.
enum class HeaderAlignment { Left, Right, Centre };

// What a view is told. Structure changes (counts, clear, header format) come bracketed by
// GridAboutToReset / GridReset; the others after the change.
class GridListener {
 public:
  virtual ~GridListener() = default;
  virtual void GridAboutToReset() {}
  virtual void GridReset() {}
  virtual void CellChanged(int /*row*/, int /*col*/) {}
  virtual void ColumnChanged(int /*col*/) {}  // width or alignment
  virtual void RowChanged(int /*row*/) {}     // height
  virtual void CurrentCellChanged() {}        // current cell or selection
  virtual void GridPropertiesChanged() {}     // total width, general background
};

// The operations the front-end calls on its grids. Row and column indices count from 0 (row 0 is the
// header row). An index outside the grid (current row or column, a column width, a row height), a
// negative count, and using the current cell of a grid without cells are the caller's error: they throw
// std::out_of_range, as an invalid index of a grid control stops the operation.
class GridModel {
 public:
  // Empties every cell (text, colours, bold) and the header format; keeps counts, sizes and alignments.
  void Clear();

  int Rows() const { return rows_; }
  void SetRows(int rows);  // new rows get fresh cells and the default height
  int Cols() const { return cols_; }
  void SetCols(int cols);  // new columns get fresh cells, the default width and alignment

  // Size of the control (0 until set: the view decides). The face table is sized to its rows.
  int Width() const { return width_; }
  void SetWidth(int twips);
  int Height() const { return height_; }
  void SetHeight(int twips);

  // Titles of row 0 as one text: "|" between columns, a leading '<', '>' or '^' aligns the title. Adds
  // columns, and row 0, when the text names more than the grid has.
  const std::string& FormatString() const { return formatString_; }
  void SetFormatString(std::string_view format);
  HeaderAlignment HeaderAlignmentOf(int col) const;

  int ColWidth(int col) const;
  void SetColWidth(int col, int twips);
  int ColAlignment(int col) const;
  void SetColAlignment(int col, int value);
  int RowHeight(int row) const;
  void SetRowHeight(int row, int twips);
  int ColPos(int col) const;  // left edge of a column: the widths of the columns before it

  int Row() const { return row_; }
  void SetRow(int row);  // also collapses the selection end onto the current row
  int Col() const { return col_; }
  void SetCol(int col);  // also collapses the selection end onto the current column
  int RowSel() const { return rowSel_; }
  int ColSel() const { return colSel_; }
  // Where a drag with the pointer has got to (the view's report; the current cell stays).
  void SetSelectionEnd(int row, int col);

  // The current cell.
  const std::string& Text() const;
  void SetText(std::string_view text);
  GridColour CellForeColor() const;
  void SetCellForeColor(GridColour colour);
  GridColour CellBackColor() const;
  void SetCellBackColor(GridColour colour);
  bool CellFontBold() const;
  void SetCellFontBold(bool bold);

  GridColour BackColor() const { return backColour_; }  // the general background
  void SetBackColor(GridColour colour);

  // Any cell, for views and tests; throws std::out_of_range outside the grid.
  const GridCell& CellAt(int row, int col) const;
  const std::string& TextAt(int row, int col) const { return CellAt(row, col).text; }

  // The listener (not owned; nullptr for none) that a view installs.
  void SetListener(GridListener* listener) { listener_ = listener; }

 private:
  GridCell& Current();
  const GridCell& Current() const;
  void CheckRow(int row) const;
  void CheckCol(int col) const;
  void Resize(int rows, int cols);
  void ClampCurrent();

  int rows_ = 0;
  int cols_ = 0;
  std::vector<GridCell> cells_;  // row-major, rows_ * cols_
  std::vector<int> colWidths_;
  std::vector<int> colAlignments_;
  std::vector<int> rowHeights_;
  std::string formatString_;
  std::vector<HeaderAlignment> headerAlignments_;
  int width_ = 0;
  int height_ = 0;
  GridColour backColour_ = kSystemWindowBackground;
  int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
  GridListener* listener_ = nullptr;
};

}  // namespace mirelda::workflow
