// voro_timing: the time voro++ (Debian's voro++-dev) takes for the radical (power) tessellation of the
// points of a point file, on one core, for side-by-side comparison with brindel and relaxation.
// Usage: voro_timing file_02 option_bis.txt [repeats]
//   prints "<points> <best seconds> <closed cells> <best CPU seconds>"; the CPU time stands when other jobs
//   share the cores and stretch the wall time.
// With "-" as the option file every weight is equal (the ordinary Voronoi cells of the relaxation).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <string>
#include <voro++/voro++.hh>

#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"
#include "brindel/power_weight.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace {

struct Timing {
  double seconds = 0;
  double cpuSeconds = 0;
  int cells = 0;
};

// Cells are computed in a box with a margin of RCUT around the points, as brindel bounds its cells.
Timing Tessellate(const std::vector<mirelda::exchange::PointRecord>& points, const std::vector<double>& powers,
                  double margin) {
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  double low[3] = {points[0].x, points[0].y, points[0].z}, high[3] = {low[0], low[1], low[2]};
  for (const auto& p : points) {
    const double c[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], c[k]);
      high[k] = std::max(high[k], c[k]);
    }
  }
  const double lowest = *std::min_element(powers.begin(), powers.end());
  const double shift = 1.0 - std::min(0.0, lowest);
  // About five points a block, voro++'s advice.
  const double volume =
      (high[0] - low[0] + 2 * margin) * (high[1] - low[1] + 2 * margin) * (high[2] - low[2] + 2 * margin);
  const double side = std::cbrt(volume * 5 / static_cast<double>(points.size()));
  auto blocks = [&](int k) { return std::max(1, static_cast<int>((high[k] - low[k] + 2 * margin) / side)); };
  voro::container_poly container(low[0] - margin, high[0] + margin, low[1] - margin, high[1] + margin,
                                 low[2] - margin, high[2] + margin, blocks(0), blocks(1), blocks(2), false,
                                 false, false, 8);
  for (std::size_t i = 0; i < points.size(); ++i) {
    container.put(static_cast<int>(i), points[i].x, points[i].y, points[i].z, std::sqrt(powers[i] + shift));
  }
  Timing timing;
  voro::c_loop_all loop(container);
  voro::voronoicell_neighbor cell;
  double sum = 0;
  if (loop.start()) {
    do {
      if (!container.compute_cell(cell, loop)) continue;
      sum += cell.volume();
      ++timing.cells;
    } while (loop.inc());
  }
  timing.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  timing.cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  if (sum < 0) std::puts("");  // keeps the volumes computed
  return timing;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: voro_timing file_02 option_bis.txt|- [repeats]\n");
    return 2;
  }
  std::ifstream pointInput(argv[1], std::ios::binary);
  const mirelda::exchange::PointFile file = mirelda::exchange::ReadPointFile(pointInput);
  if (file.points.empty()) {
    std::fprintf(stderr, "no points in %s\n", argv[1]);
    return 1;
  }
  mirelda::exchange::TessellationOptions options;
  std::vector<double> powers(file.points.size(), 0.0);
  if (std::string(argv[2]) != "-") {
    std::ifstream optionInput(argv[2], std::ios::binary);
    options = mirelda::exchange::ReadTessellationOptions(optionInput);
    powers = mirelda::tessellation::PowerWeights(file.points, options.weights);
  }
  const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
  Timing best;
  for (int r = 0; r < repeats; ++r) {
    const Timing timing = Tessellate(file.points, powers, options.rcut);
    const double cpuSeconds = r == 0 ? timing.cpuSeconds : std::min(best.cpuSeconds, timing.cpuSeconds);
    if (r == 0 || timing.seconds < best.seconds) best = timing;
    best.cpuSeconds = cpuSeconds;
  }
  std::printf("%zu %.4f %d %.4f\n", file.points.size(), best.seconds, best.cells, best.cpuSeconds);
  return 0;
}
