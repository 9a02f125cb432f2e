#include "mirelda/results/results_table.h"

#include "brindel/exchange/text_lines.h"

using namespace mirelda::workflow;

namespace mirelda::results {

bool HasMarkedBackground(const GridModel& grid, int row, int col) {
  if (row < 0 || row >= grid.Rows() || col < 0 || col >= grid.Cols()) return false;
  return grid.CellAt(row, col).backColour == kMarkedBack;
}

RowCell CellOfRow(const GridModel& tab1, int row) {
  if (tab1.Cols() <= kColumnIndicator) return {};
  const std::string_view indicator = exchange::TrimBlanks(tab1.TextAt(row, kColumnIndicator));
  return {indicator == "V" || indicator == "S", indicator == "V"};
}

char ClassOfRow(const GridModel& tab1, int row) {
  if (tab1.Cols() <= kResultsColumnsWithEnvironment) return 0;
  const std::string_view text = exchange::TrimBlanks(tab1.TextAt(row, tab1.Cols() - 1));
  return text.size() == 1 && text[0] >= 'a' && text[0] <= 'c' ? text[0] : 0;
}

}  // namespace mirelda::results
