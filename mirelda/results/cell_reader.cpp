#include "mirelda/results/cell_reader.h"

#include <string>

#include "brindel/exchange/cell_lines.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/model/scene_numbers.h"
#include "mirelda/results/result_numbers.h"
#include "mirelda/results/results_table.h"
#include "mirelda/results/table_numbers.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::results {
namespace {

// One line of the cell file, cut at the columns of the C file.
struct CellLine {
  std::string code;
  double number = 0.0;
  double volume = 0.0;
  double area = 0.0;
  double faces = 0.0;
  std::string indicator;
  double exposure = 0.0;
};

CellLine CutCellLine(std::string_view line) {
  CellLine cell;
  cell.code = TrimBlanks(FieldOf(line, CellColumns::Letter));
  cell.number = LeadingNumber(FieldOf(line, CellColumns::Number));
  cell.volume = LeadingNumber(FieldOf(line, CellColumns::Volume));
  cell.area = LeadingNumber(FieldOf(line, CellColumns::Area));
  cell.faces = LeadingNumber(FieldOf(line, CellColumns::Faces));
  cell.indicator = TrimBlanks(FieldOf(line, CellColumns::State));
  cell.exposure = LeadingNumber(FieldOf(line, CellColumns::Share));
  return cell;
}

void Paint(GridModel& grid, int row, int col, const char* text, GridColour fore, GridColour back) {
  grid.SetRow(row);
  grid.SetCol(col);
  if (text) grid.SetText(text);
  grid.SetCellForeColor(fore);
  grid.SetCellBackColor(back);
}

void SetFore(GridModel& grid, int row, int col, GridColour fore) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetCellForeColor(fore);
}

void SetBack(GridModel& grid, int row, int col, GridColour back) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetCellBackColor(back);
}

void SetText(GridModel& grid, int row, int col, const std::string& text) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetText(text);
}

// A residue without a cell: every toggle column of its row is locked.
void LockRow(GridModel& tab1, int row) {
  for (int c = kColumnCell; c < tab1.Cols(); ++c) SetFore(tab1, row, c, kLockedText);
}

void WriteRow(GridModel& tab1, int row, const DEF_AA& residue, const CellReadOptions& options) {
  tab1.SetRow(row);
  tab1.SetCol(kColumnCode);
  tab1.SetCellFontBold(true);
  SetText(tab1, row, kColumnVolume, TableNumberText(residue.VOL(), options.decimalSeparator));
  SetText(tab1, row, kColumnArea, TableNumberText(residue.SUR(), options.decimalSeparator));
  SetText(tab1, row, kColumnFaces, PlainInteger(residue.NBF()));
  SetText(tab1, row, kColumnIndicator, residue.IND());

  Paint(tab1, row, kColumnTrace, "x", kMarkedText, kMarkedBack);
  Paint(tab1, row, kColumnAll, "x", kUnmarkedText, kUnmarkedBack);
  Paint(tab1, row, kColumnLabel, "x", kUnmarkedText, kUnmarkedBack);
  if (options.environmentOn) {
    SetText(tab1, row, kColumnExposure, TableNumberText(residue.EXP(), options.decimalSeparator));
    SetBack(tab1, row, kColumnExposure, kMarkedBack);
  }

  if (residue.IND() == "S") {  // an open cell: no cell to draw, colour or make transparent
    for (int c : {kColumnCell, kColumnColour, kColumnTransparency}) SetFore(tab1, row, c, kLockedText);
    return;
  }
  SetText(tab1, row, kColumnCell, "x");
  if (residue.EXP() != 0.0) {
    SetFore(tab1, row, kColumnCell, kMarkedText);
    SetBack(tab1, row, kColumnCell, kMarkedBack);
  } else {
    SetFore(tab1, row, kColumnCell, kUnmarkedText);
  }
  for (int c = kColumnCode; c <= kColumnIndicator; ++c) SetBack(tab1, row, c, kMarkedBack);
  Paint(tab1, row, kColumnFaceLink, "+", kColourBlack, kFaceLinkBack);
  Paint(tab1, row, kColumnTransparency, "x", kMarkedText, kMarkedBack);
  SetFore(tab1, row, kColumnColour, kColourBlack);
  // Every residue of the array has a known type (the protein reader checked it); an unknown code would
  // leave the colour cell unpainted rather than stop the reading.
  if (const DEF_RESIDU* type = ResidueTypeByLetter(residue.NAME()))
    SetBack(tab1, row, kColumnColour, type->col);
}

std::string Describe(std::string_view sourceName, int lineNumber) {
  return std::string(sourceName) + " line " + std::to_string(lineNumber) + ": ";
}

}  // namespace

void LayOutResultsTable(GridModel& tab1, bool environmentOn) {
  // The table gets exactly its result columns, even if an earlier table was not cut back first.
  const int columns = environmentOn ? kResultsColumnsWithEnvironment : kResultsColumnsWithoutEnvironment;
  tab1.SetCols(columns);
  tab1.SetFormatString(environmentOn ? kResultsFormatWithEnvironment : kResultsFormatWithoutEnvironment);
  tab1.SetWidth(environmentOn ? kResultsWidthWithEnvironment : kResultsWidthWithoutEnvironment);
  for (int c = 0; c < columns; ++c) {
    tab1.SetColWidth(c, kResultsColumnWidths[c]);
    tab1.SetColAlignment(c, kAlignCentre);
  }
}

ReadReport ReadCellText(std::string_view text, std::string_view sourceName, Residues& residues,
                        GridModel& tab1, const CellReadOptions& options) {
  ReadReport report;
  report.read = true;
  const int count = residues.ResidueCount();
  if (tab1.Rows() != count + 1) tab1.SetRows(count + 1);  // row r must be residue r
  LayOutResultsTable(tab1, options.environmentOn);

  int matched = 0;  // index of the last residue matched; 0 before the first
  int lineNumber = 0;
  for (std::string_view rawLine : SplitLines(text)) {
    ++lineNumber;
    if (options.pumpEvents) options.pumpEvents();
    const std::string_view line = TrimBlanks(rawLine);
    if (line.empty()) continue;
    const CellLine cell = CutCellLine(line);
    const auto number = RoundToInt16(cell.number);
    if (!number) {
      report.problems.push_back(Describe(sourceName, lineNumber) +
                                "the residue number is out of range; line left out");
      continue;
    }
    // The residue last matched may match again (a repeated line overwrites it); the search never goes back.
    int i = matched == 0 ? 1 : matched;
    while (i <= count &&
           (residues.ResidueAt(i).NAME() != cell.code || residues.ResidueAt(i).NUM() != *number))
      ++i;
    if (i > count) {
      report.problems.push_back(Describe(sourceName, lineNumber) + "residue " + cell.code + " " +
                                PlainInteger(*number) +
                                " is not among the residues that follow the last one read "
                                "(unknown, or out of order); line left out");
      continue;
    }
    for (int k = matched + 1; k < i; ++k) LockRow(tab1, k);
    matched = i;
    DEF_AA& residue = residues.ResidueAt(i);
    residue.SetVOL(cell.volume);
    residue.SetSUR(cell.area);
    residue.SetNBF(RoundToInt16(cell.faces).value_or(0));
    residue.SetIND(cell.indicator);
    residue.SetEXP(cell.exposure);
    WriteRow(tab1, i, residue, options);
    ++report.linesUsed;
  }
  // The residues after the last line have no cell either: locked like those between two lines, so that
  // no toggle of theirs reads as marked.
  for (int k = matched + 1; k <= count; ++k) LockRow(tab1, k);
  if (report.linesUsed == 0 && report.problems.empty())
    report.problems.push_back(std::string(sourceName) + " holds no cell line: no residue has a cell");
  return report;
}

}  // namespace mirelda::results
