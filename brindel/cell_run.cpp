#include "brindel/cell_run.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "brindel/neighbour_grid.h"

using namespace mirelda::exchange;

namespace mirelda::tessellation {

int ThreadCount() {
  if (const char* value = std::getenv("MIRELDA_THREADS"); value != nullptr) {
    int threads = 0;
    const char* end = value + std::strlen(value);
    const auto [next, error] = std::from_chars(value, end, threads);
    if (error == std::errc() && next == end && threads > 0) return threads;
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

int BuildCellsInOrder(std::span<const Vec3> positions, std::span<const double> powerWeights,
                      const CellRunLimits& limits, int batch,
                      const std::function<void(int slot, int centre, const Cell& cell)>& inspect,
                      const std::function<void(int slot, int centre)>& deliver) {
  const int count = static_cast<int>(positions.size());
  const int threads = std::max(1, std::min(limits.threads, count));
  const NeighbourGrid grid(positions, limits.dcut2);
  std::vector<std::unique_ptr<CellBuilder>> builders;
  builders.reserve(static_cast<std::size_t>(threads));
  for (int t = 0; t < threads; ++t) {
    builders.push_back(
        std::make_unique<CellBuilder>(positions, powerWeights, limits.rcut2, limits.dcut2, &grid));
  }

  for (int first = 0; first < count; first += batch) {
    const int end = std::min(count, first + batch);
    std::atomic<int> next{first};
    std::atomic<int> failed{end};  // the first centre of the batch that could not be built
    const auto work = [&](CellBuilder& builder) {
      for (int centre = next++; centre < end; centre = next++) {
        if (centre > failed.load()) continue;
        if (builder.Build(centre, limits.parts) == BuildOutcome::TooManyNeighbours) {
          int seen = failed.load();
          while (centre < seen && !failed.compare_exchange_weak(seen, centre)) {
          }
          continue;
        }
        inspect(centre - first, centre, builder.GetCell());
      }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads && first + t < end; ++t) helpers.emplace_back(work, std::ref(*builders[t]));
    work(*builders[0]);
    for (std::thread& helper : helpers) helper.join();

    const int stop = failed.load();
    for (int centre = first; centre < stop; ++centre) deliver(centre - first, centre);
    if (stop < end) return stop;
  }
  return -1;
}

}  // namespace mirelda::tessellation
