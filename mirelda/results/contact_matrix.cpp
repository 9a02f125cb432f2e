#include "mirelda/results/contact_matrix.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "brindel/exchange/contact_file.h"
#include "mirelda/model/scene_numbers.h"
#include "mirelda/results/result_numbers.h"

using namespace mirelda::exchange;
using namespace mirelda::model;

namespace mirelda::results {
namespace {

// Window layout, pixels. The picture sits right of and below the Nter label and its edge lines.
constexpr int kPictureLeft = 40;
constexpr int kPictureTop = 30;
constexpr int kLabelWidth = 36;
constexpr int kLabelHeight = 16;
constexpr int kEdgeLineOffset = 6;  // the top and left lines run this far outside the picture
constexpr int kLegendTopGap = 24;   // between the picture and the first legend entry
constexpr int kLegendRowHeight = 22;
constexpr int kLegendSample = 16;  // the colour squares
constexpr int kLegendTextGap = 8;
constexpr int kLegendTextWidth = 420;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kBottomMargin = 12;

}  // namespace

std::uint8_t ContactDrawing::DigitAt(int row, int col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return kNotDrawn;
  return digits_[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
                 static_cast<std::size_t>(col)];
}

void ContactDrawing::ForEachCell(const std::function<void(const ContactCell&)>& paint) const {
  const int side = cellSize_ - gap_;
  for (int i = 0; i < rows_; ++i)
    for (int j = 0; j < cols_; ++j) {
      const std::uint8_t digit = DigitAt(i, j);
      if (digit == kNotDrawn) continue;
      paint(ContactCell{i, j, PixelRect{j * cellSize_, i * cellSize_, side, side}, kContactColours[digit]});
    }
}

std::vector<ContactCell> ContactDrawing::Cells() const {
  std::vector<ContactCell> cells;
  ForEachCell([&](const ContactCell& cell) { cells.push_back(cell); });
  return cells;
}

bool ContactDrawing::PairAt(int x, int y, int& row, int& col) const {
  if (cellSize_ <= 0 || x < 0 || y < 0) return false;
  const int j = x / cellSize_, i = y / cellSize_;
  if (i >= rows_ || j >= cols_ || x % cellSize_ >= cellSize_ - gap_ || y % cellSize_ >= cellSize_ - gap_)
    return false;
  row = i;
  col = j;
  return true;
}

ContactDrawing DrawContactMatrix(std::string_view text, int areaPixels) {
  ContactDrawing drawing;
  const std::vector<std::string_view> lines = ContactRows(text);
  if (lines.empty() || lines.front().empty()) return drawing;  // nothing to divide the area by
  // A contact file holds every pair it describes, so its pairs never outnumber its characters: a text
  // whose first line and line count would ask for more (a long line over many short ones) is not drawn,
  // which bounds the drawing by the size of the file.
  const std::size_t pairs = lines.size() * lines.front().size();
  if (pairs / lines.size() != lines.front().size() || pairs > text.size()) {
    drawing.problem = "not a contact matrix: " + std::to_string(lines.size()) + " lines, the first of " +
                      std::to_string(lines.front().size()) + " characters";
    return drawing;
  }
  drawing.rows_ = static_cast<int>(lines.size());
  drawing.cols_ = static_cast<int>(lines.front().size());
  drawing.cellSize_ = areaPixels / drawing.rows_;
  if (drawing.cellSize_ <= kContactGridGap) {
    // Too many residues for the area: one pixel a pair, no grid, rather than an empty picture.
    drawing.cellSize_ = 1;
    drawing.gap_ = 0;
  }
  drawing.digits_.assign(static_cast<std::size_t>(drawing.rows_) * static_cast<std::size_t>(drawing.cols_),
                         0);
  for (int i = 0; i < drawing.rows_; ++i) {
    const std::string_view line = lines[static_cast<std::size_t>(i)];
    for (int j = 0; j < drawing.cols_; ++j) {
      std::uint8_t digit = 0;  // a missing or non-digit character reads as 0
      if (std::abs(i - j) == 1) {
        digit = kSequenceNeighbourDigit;
      } else if (static_cast<std::size_t>(j) < line.size() && line[static_cast<std::size_t>(j)] >= '0' &&
                 line[static_cast<std::size_t>(j)] <= '9') {
        const int value = line[static_cast<std::size_t>(j)] - '0';
        digit = value < kContactColourCount ? static_cast<std::uint8_t>(value) : kNotDrawn;
      }
      drawing.digits_[static_cast<std::size_t>(i) * static_cast<std::size_t>(drawing.cols_) +
                      static_cast<std::size_t>(j)] = digit;
    }
  }
  return drawing;
}

std::string ContactPairLabel(const Residues& residues, int row, int col) {
  const DEF_AA* a = residues.Find(row + 1);
  const DEF_AA* b = residues.Find(col + 1);
  if (!a || !b) return {};
  auto name = [](const DEF_AA& r) {
    std::string text = r.NAME();
    text.append(PlainInteger(r.NUM())).append(r.CHAIN());
    return text;
  };
  std::string label = name(*a);
  label.append(" / ").append(name(*b));
  return label;
}

ContactAxisMarks AxisMarksOf(const Residues& residues, int positions) {
  ContactAxisMarks marks;
  const DEF_AA* previous = nullptr;
  for (int i = 0; i < positions; ++i) {
    const DEF_AA* residue = residues.Find(i + 1);
    if (residue == nullptr) continue;
    if (residue->NUM() % kContactTickEvery == 0) marks.ticks.emplace_back(i, PlainInteger(residue->NUM()));
    if (previous != nullptr && previous->CHAIN() != residue->CHAIN()) marks.chainStarts.push_back(i);
    previous = residue;
  }
  return marks;
}

ContactWindowLayout LayOutContactWindow() {
  ContactWindowLayout layout;
  const int side = kContactAreaPixels;
  layout.picture = {kPictureLeft, kPictureTop, side, side};
  layout.nter = {
      {kPictureLeft - kLabelWidth, kPictureTop - kLabelHeight - kEdgeLineOffset, kLabelWidth, kLabelHeight},
      "Nter"};
  layout.cter = {{kPictureLeft + side + 2, kPictureTop + side + 2, kLabelWidth, kLabelHeight}, "Cter"};
  layout.topLine = {kPictureLeft, kPictureTop - kEdgeLineOffset, kPictureLeft + side,
                    kPictureTop - kEdgeLineOffset};
  layout.leftLine = {kPictureLeft - kEdgeLineOffset, kPictureTop, kPictureLeft - kEdgeLineOffset,
                     kPictureTop + side};

  struct Entry {
    int digit;
    const char* text;
  };
  constexpr Entry kEntries[] = {{0, "no contact"},
                                {3, "contact with D=1"},
                                {2, "strong contacts with 1<D<7"},
                                {1, "contacts with D>6 or small contacts with 1<D<7"}};
  int y = kPictureTop + side + kLegendTopGap;
  for (const Entry& entry : kEntries) {
    ContactLegendEntry legend;
    legend.sample = {kPictureLeft, y, kLegendSample, kLegendSample};
    legend.colour = kContactColours[entry.digit];
    legend.label = {{kPictureLeft + kLegendSample + kLegendTextGap, y, kLegendTextWidth, kLegendSample},
                    entry.text};
    layout.legend.push_back(legend);
    y += kLegendRowHeight;
  }
  layout.closeButton = {kPictureLeft + side - kButtonWidth, y, kButtonWidth, kButtonHeight};
  layout.width = kPictureLeft + side + kLabelWidth + 2 * kEdgeLineOffset;
  layout.height = y + kButtonHeight + kBottomMargin;
  return layout;
}

}  // namespace mirelda::results
