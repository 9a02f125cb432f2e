#include "mirelda/results/face_reader.h"

#include <vector>

#include "brindel/exchange/cell_lines.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/model/scene_numbers.h"
#include "mirelda/results/result_numbers.h"
#include "mirelda/results/results_table.h"
#include "mirelda/results/table_numbers.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::results {
namespace {

// The residue a face line belongs to.
struct FaceOwner {
  std::string code;
  std::int16_t number = 0;
  std::string chain;
  bool operator==(const FaceOwner&) const = default;
};

// One line of the face file, cut at the columns of the F file.
Voisin CutNeighbour(std::string_view line) {
  Voisin voisin;
  voisin.NOM = TrimBlanks(FieldOf(line, FaceColumns::NeighbourLetter));
  voisin.CHA = TrimBlanks(FieldOf(line, FaceColumns::NeighbourChain));
  voisin.NUM = RoundToInt16(LeadingNumber(FieldOf(line, FaceColumns::NeighbourNumber))).value_or(0);
  voisin.NBC = RoundToInt16(LeadingNumber(FieldOf(line, FaceColumns::Vertices))).value_or(0);
  voisin.SUR = LeadingNumber(FieldOf(line, FaceColumns::Area));
  voisin.PER = LeadingNumber(FieldOf(line, FaceColumns::Perimeter));
  voisin.DIS = LeadingNumber(FieldOf(line, FaceColumns::Distance));
  return voisin;
}

void SetCell(GridModel& grid, int row, int col, const std::string& text) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetText(text);
}

void SetBack(GridModel& grid, int row, int col, GridColour back) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetCellBackColor(back);
}

bool Matches(const DEF_AA* residue, const std::string& code, std::int16_t number, const std::string& chain) {
  return residue && residue->NUM() == number && residue->NAME() == code && residue->CHAIN() == chain;
}

}  // namespace

ReadReport ReadFaceText(std::string_view text, std::string_view sourceName, Residues& residues,
                        const std::function<void()>& pumpEvents) {
  ReadReport report;
  report.read = true;
  const int count = residues.ResidueCount();
  int next = 1;  // where the search for the next residue starts
  FaceOwner owner;
  int firstLine = 0;  // the first line of the current group (0: no group yet)
  std::vector<Voisin> list;

  auto attach = [&](int lastLine) {
    int i = next;
    while (i <= count &&
           (residues.ResidueAt(i).NUM() != owner.number || residues.ResidueAt(i).NAME() != owner.code))
      ++i;
    if (i > count) {
      report.problems.push_back(std::string(sourceName) + " lines " + std::to_string(firstLine) + " to " +
                                std::to_string(lastLine) + ": residue " + owner.code + " " +
                                PlainInteger(owner.number) +
                                " is not among the residues that follow the last one read "
                                "(unknown, or out of order); its faces are left out");
      return;
    }
    report.linesUsed += static_cast<int>(list.size());
    residues.ResidueAt(i).SetVOIS(std::move(list));
    next = i + 1;
  };

  int lineNumber = 0;
  int lastGroupLine = 0;
  for (std::string_view rawLine : SplitLines(text)) {
    ++lineNumber;
    if (pumpEvents) pumpEvents();
    const std::string_view line = TrimBlanks(rawLine);
    if (line.empty()) continue;
    const auto number = RoundToInt16(LeadingNumber(FieldOf(line, FaceColumns::Number)));
    if (!number) {
      report.problems.push_back(std::string(sourceName) + " line " + std::to_string(lineNumber) +
                                ": the residue number is out of range; line left out");
      continue;
    }
    // A residue's lines end where the code, number or chain changes: two chains may meet at one number.
    const FaceOwner lineOwner{std::string(TrimBlanks(FieldOf(line, FaceColumns::Letter))), *number,
                              std::string(FieldOf(line, FaceColumns::Chain))};
    if (firstLine == 0) {
      owner = lineOwner;
      firstLine = lineNumber;
    } else if (!(lineOwner == owner)) {
      attach(lastGroupLine);
      list.clear();
      owner = lineOwner;
      firstLine = lineNumber;
    }
    list.push_back(CutNeighbour(line));
    lastGroupLine = lineNumber;
  }
  if (firstLine != 0) attach(lastGroupLine);
  if (firstLine == 0 && report.problems.empty())
    report.problems.push_back(std::string(sourceName) + " holds no face line: no residue has neighbours");
  return report;
}

FaceDisplay ShowResidueFaces(GridModel& tab1, GridModel& tab2, const Residues& residues,
                             FaceDisplayState& state, int row, int col, char decimalSeparator) {
  FaceDisplay display;
  if (col != kColumnFaceLink || row < 1 || row >= tab1.Rows() || col >= tab1.Cols()) return display;
  if (tab1.TextAt(row, col) != "+") return display;
  display.shown = true;

  if (state.lastRow != 0 && state.lastRow < tab1.Rows() && state.lastCol < tab1.Cols())
    SetBack(tab1, state.lastRow, state.lastCol, kFaceLinkBack);
  SetBack(tab1, row, col, kHighlightBack);
  state.lastRow = row;
  state.lastCol = col;

  tab2.Clear();
  const std::string code(FieldAt(tab1.TextAt(row, kColumnCode), 1, 1));
  const std::int16_t number = RoundToInt16(LeadingNumber(tab1.TextAt(row, kColumnNumber))).value_or(0);
  const std::string chain(FieldAt(tab1.TextAt(row, kColumnChain), 1, 1));
  // Row r is residue r; the search is only for a table out of step with the residues. It compares the
  // chain too, so that a chain B row of a homodimer never shows the faces of chain A.
  const DEF_AA* residue = residues.Find(row);
  if (!Matches(residue, code, number, chain)) {
    residue = nullptr;
    for (int i = 1; i <= residues.ResidueCount() && !residue; ++i)
      if (Matches(residues.Find(i), code, number, chain)) residue = residues.Find(i);
  }
  const std::vector<Voisin> none;
  const std::vector<Voisin>& neighbours = residue ? residue->VOIS() : none;
  if (!residue)
    display.problem =
        "residue " + code + " " + PlainInteger(number) + " " + chain + " is not in the residue list";

  const int n = static_cast<int>(neighbours.size());
  tab2.SetCols(kFaceColumns);
  tab2.SetFormatString(kFaceTableFormat);
  for (int c = 0; c < kFaceColumns; ++c) {
    tab2.SetColWidth(c, kFaceColumnWidths[c]);
    tab2.SetColAlignment(c, kAlignCentre);
  }
  tab2.SetRows(n + 1);
  if (n > kFaceTableScrollRows)
    display.size = {kFaceTableScrollWidth, kFaceTableScrollHeight};
  else
    display.size = {kFaceTableWidth, n * kFaceRowHeight + kFaceTableHeaderHeight};
  tab2.SetWidth(display.size.width);
  tab2.SetHeight(display.size.height);

  for (int j = 1; j <= n; ++j) {
    const Voisin& v = neighbours[static_cast<std::size_t>(j - 1)];
    tab2.SetRowHeight(j, kFaceRowHeight);
    SetCell(tab2, j, 0, PlainInteger(j));
    SetCell(tab2, j, 1, v.NOM);
    SetCell(tab2, j, 2, PlainInteger(v.NUM));
    SetCell(tab2, j, 3, v.CHA);
    SetCell(tab2, j, 4, PlainInteger(v.NBC));
    SetCell(tab2, j, 5, TableNumberText(v.SUR, decimalSeparator));
    SetCell(tab2, j, 6, TableNumberText(v.PER, decimalSeparator));
    SetCell(tab2, j, 7, TableNumberText(v.DIS, decimalSeparator));
    if (v.NOM != "U")  // amino-acid neighbours stand out from environment points
      for (int c = 0; c < kFaceColumns; ++c) SetBack(tab2, j, c, kMarkedBack);
  }
  tab1.SetRow(row);
  tab1.SetCol(col);
  return display;
}

}  // namespace mirelda::results
