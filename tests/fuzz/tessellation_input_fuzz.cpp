// brindel's whole input side: option_bis.txt and file_02 read from the same bytes, then the tessellation
// of what was read, as the program runs it (cut-offs refused first, one thread).
#include <sstream>
#include <string>

#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"
#include "brindel/tessellation_run.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda::exchange;

MIRELDA_FUZZ_TARGET(tessellation_input) {
  std::istringstream optionsIn{std::string(input)};
  const TessellationOptions options = ReadTessellationOptions(optionsIn);
  if (!CutOffProblem(options.rcut, options.dcut).empty()) return;
  std::istringstream pointsIn{std::string(input)};
  const PointFile file = ReadPointFile(pointsIn);
  // Larger sets only repeat the same code at a cost in executions.
  if (file.points.size() > 120) return;
  std::ostringstream cells, faces, errors, contacts, scene;
  const mirelda::tessellation::TessellationOutcome outcome =
      mirelda::tessellation::WriteTessellation(file.points, options, {cells, faces, errors, contacts, scene}, 1);
  if (outcome.tooManyNeighbours) return;
  const std::string written = cells.str();
  std::size_t lines = 0;
  for (char c : written) lines += c == '\n' ? 1 : 0;
  mirelda::fuzz::Require(lines == static_cast<std::size_t>(outcome.aminoAcidCells), "one C line a cell");
  mirelda::fuzz::Require(outcome.facelessCells <= outcome.aminoAcidCells, "faceless cells counted");
}
