// Builds the cells of every point on several threads and hands them over in point order, so that what is
// written from them is the same, byte for byte, whatever the number of threads.
#pragma once

#include <functional>
#include <span>

#include "brindel/cell_builder.h"
#include "brindel/neighbour_grid.h"
#include "brindel/vector3.h"

namespace mirelda::tessellation {

// The threads a run uses: MIRELDA_THREADS when it holds a positive number, else the machine's cores.
int ThreadCount();

struct CellRunLimits {
  double rcut2 = 0;
  double dcut2 = 0;
  int threads = 1;
  CellParts parts = CellParts::All;
  // By centre, whether anything is read from its cell (empty: every cell is). A cell nobody reads is not
  // built: its candidates are only counted, so that too many of them stop the run there all the same.
  std::span<const char> wanted;
  // Set by a caller that knows that no centre has too many candidates: the cells not wanted are then not
  // even counted.
  bool noneCrowded = false;
};

// Centres are built ahead of their delivery, at most `window` of them: inspect(slot, centre, cell) runs
// once per centre on any of the threads (slot = centre % window, so that callers keep per-slot results
// without locks: a slot is reused only after its centre was delivered); deliver(slot, centre) runs on the
// calling thread in centre order, while the other threads go on building the next centres. A centre with
// more than NeighbourLimit candidates is not inspected, and neither it nor any later centre is delivered
// (later ones may have been inspected): the return value is that centre, or -1 when every cell was built.
// Neither inspect nor deliver runs for a centre whose cell is not wanted.
int BuildCellsInOrder(std::span<const Vec3> positions, std::span<const double> powerWeights,
                      const CellRunLimits& limits, int window,
                      const std::function<void(int slot, int centre, const Cell& cell)>& inspect,
                      const std::function<void(int slot, int centre)>& deliver);
// The same with the caller's grid of the positions at limits.dcut2 (a caller that also asks the grid
// whether some centre is crowded builds it once).
int BuildCellsInOrder(const NeighbourGrid& grid, std::span<const Vec3> positions,
                      std::span<const double> powerWeights, const CellRunLimits& limits, int window,
                      const std::function<void(int slot, int centre, const Cell& cell)>& inspect,
                      const std::function<void(int slot, int centre)>& deliver);

}  // namespace mirelda::tessellation
