// relaxation's whole input side: option.txt and file_01 read from the same bytes, then two passes of the
// relaxation of what was read (cut-offs refused first, as the program does).
#include <cmath>
#include <sstream>
#include <string>

#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"
#include "relaxation/environment_relaxation.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda::exchange;

MIRELDA_FUZZ_TARGET(relaxation_input) {
  std::istringstream optionsIn{std::string(input)};
  const RelaxationOptions options = ReadRelaxationOptions(optionsIn);
  mirelda::fuzz::Require(options.relaxationCount <= MaxRelaxationCount, "relaxation count capped");
  if (!CutOffProblem(options.rcut, options.dcut).empty()) return;
  std::istringstream pointsIn{std::string(input)};
  PointFile file = ReadPointFile(pointsIn);
  if (file.points.size() > 120) return;
  const int count = static_cast<int>(file.points.size());
  mirelda::relaxation::EnvironmentRelaxation relaxation(std::move(file.points), options.Rcut2(), options.Dcut2());
  for (int pass = 0; pass < 2; ++pass) {
    const auto result = relaxation.RunPass(pass);
    if (result.outcome == mirelda::tessellation::BuildOutcome::TooManyNeighbours) return;
  }
  for (int i = 0; i < count; ++i) {
    const auto moved = relaxation.WrittenPosition(i);
    mirelda::fuzz::Require(std::isfinite(moved.x) && std::isfinite(moved.y) && std::isfinite(moved.z),
                           "moved positions are numbers");
  }
}
