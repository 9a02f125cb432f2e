#include "mirelda/results/results_table.h"

using namespace mirelda::workflow;

namespace mirelda::results {

bool HasMarkedBackground(const GridModel& grid, int row, int col) {
  if (row < 0 || row >= grid.Rows() || col < 0 || col >= grid.Cols()) return false;
  return grid.CellAt(row, col).backColour == kMarkedBack;
}

}  // namespace mirelda::results
