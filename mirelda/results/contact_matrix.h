// The picture of the contact matrix: one square cell per residue pair, coloured by the contact file's
// digit (the sequence neighbours always green), with a one-pixel gap forming the grid, and the geometry of
// the window around it (Nter/Cter labels, the two edge lines, the legend). Pure: text in, shapes out.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "mirelda/model/residue_records.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::results {

// Sizes are in pixels; the window's twips sizes are converted at 15 twips a pixel.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kContactAreaTwips = 7335;                                 // the drawing area, a square
inline constexpr int kContactAreaPixels = kContactAreaTwips / kTwipsPerPixel;  // 489
inline constexpr int kContactGridGap = 1;  // the pixel each cell leaves out on its right and bottom

// The colour of each digit (0x00BBGGRR); digit 4 has no colour of its own and draws black.
inline constexpr int kContactColourCount = 5;
inline constexpr workflow::GridColour kContactColours[kContactColourCount] = {
    model::PackColour(0, 0, 0), model::PackColour(255, 0, 0), model::PackColour(255, 255, 0),
    model::PackColour(0, 255, 0), 0};
inline constexpr int kSequenceNeighbourDigit = 3;  // |i - j| = 1
inline constexpr std::uint8_t kNotDrawn = 0xFF;    // digits 5 to 9: the cell keeps the background

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
};

struct ContactCell {
  int row = 0, col = 0;  // 0-based residue positions
  PixelRect rect;
  workflow::GridColour colour = 0;
};

// The matrix of one contact file: rows() x cols() digits (cols() is the length of the first line), and
// the cell size. Kept as one byte a pair, so that a large protein does not need a shape per cell.
class ContactDrawing {
 public:
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  int CellSize() const { return cellSize_; }  // pixels, including the gap
  int Gap() const { return gap_; }
  // The colour index of a pair (0-based), kNotDrawn for digits 5 to 9 and outside the matrix.
  std::uint8_t DigitAt(int row, int col) const;
  // Every drawn cell, rows top to bottom and columns left to right.
  void ForEachCell(const std::function<void(const ContactCell&)>& paint) const;
  std::vector<ContactCell> Cells() const;
  // The pair under a pixel of the drawing area; false on a gap or outside the matrix.
  bool PairAt(int x, int y, int& row, int& col) const;

  std::string
      problem;  // why nothing was drawn ("cannot open ..."); never shown, the drawing just stays empty

 private:
  friend ContactDrawing DrawContactMatrix(std::string_view, int);
  int rows_ = 0, cols_ = 0, cellSize_ = 0, gap_ = kContactGridGap;
  std::vector<std::uint8_t> digits_;
};

// Draws the contact file text in a square area of areaPixels. The cell size is the integer part of the
// area height over the number of lines; when that is below one pixel a cell takes one pixel without gap,
// and the matrix then outgrows the area (the window scrolls). Lines longer than the first are cut to it;
// missing and non-digit characters draw black. An empty text draws nothing.
ContactDrawing DrawContactMatrix(std::string_view text, int areaPixels = kContactAreaPixels);

// "K45A / L50A": the two residues of a pair, for a tooltip; "" when a position is not a residue.
std::string ContactPairLabel(const model::Residues& residues, int row, int col);

// What the picture marks along its axes: a tick with the residue number at every residue whose number
// is a multiple of ten, and a line where a chain begins (not before the first). Positions are 0-based
// matrix positions: position i is residue i + 1, as in ContactPairLabel.
struct ContactAxisMarks {
  std::vector<std::pair<int, std::string>> ticks;
  std::vector<int> chainStarts;
};
inline constexpr int kContactTickEvery = 10;
ContactAxisMarks AxisMarksOf(const model::Residues& residues, int positions);

// The window around the drawing, in pixels from its top-left corner.
struct ContactText {
  PixelRect rect;
  std::string text;
};
struct ContactLine {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
struct ContactLegendEntry {
  PixelRect sample;
  workflow::GridColour colour = 0;
  ContactText label;
};
struct ContactWindowLayout {
  int width = 0, height = 0;
  PixelRect picture;
  ContactText nter, cter;
  ContactLine topLine, leftLine;
  std::vector<ContactLegendEntry> legend;  // top to bottom: black, green, yellow, red
  PixelRect closeButton;
  std::string closeText = "Close";
  std::string caption = "Matrice";
};
ContactWindowLayout LayOutContactWindow();

}  // namespace mirelda::results
