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

namespace {

// What a slot of the window holds.
enum SlotState : int { Empty, Built, Unwanted, Failed, Skipped };

}  // namespace

int BuildCellsInOrder(std::span<const Vec3> positions, std::span<const double> powerWeights,
                      const CellRunLimits& limits, int window,
                      const std::function<void(int slot, int centre, const Cell& cell)>& inspect,
                      const std::function<void(int slot, int centre)>& deliver) {
  return BuildCellsInOrder(NeighbourGrid(positions, limits.dcut2), positions, powerWeights, limits, window,
                           inspect, deliver);
}

int BuildCellsInOrder(const NeighbourGrid& grid, std::span<const Vec3> positions,
                      std::span<const double> powerWeights, const CellRunLimits& limits, int window,
                      const std::function<void(int slot, int centre, const Cell& cell)>& inspect,
                      const std::function<void(int slot, int centre)>& deliver) {
  const int count = static_cast<int>(positions.size());
  if (count == 0) return -1;
  window = std::max(1, window);
  const int threads = std::max(1, std::min(limits.threads, count));
  std::vector<std::unique_ptr<CellBuilder>> builders;
  builders.reserve(static_cast<std::size_t>(threads));
  for (int t = 0; t < threads; ++t) {
    builders.push_back(
        std::make_unique<CellBuilder>(positions, powerWeights, limits.rcut2, limits.dcut2, &grid));
  }

  const std::unique_ptr<std::atomic<int>[]> slots(new std::atomic<int>[static_cast<std::size_t>(window)]());
  std::atomic<int> next{0};        // the next centre to build
  std::atomic<int> delivered{0};   // every centre below it was delivered and its slot emptied
  std::atomic<int> failed{count};  // the first centre found that could not be built
  std::atomic<bool> stopped{false};

  const auto build = [&](CellBuilder& builder, int centre) {
    std::atomic<int>& slot = slots[static_cast<std::size_t>(centre % window)];
    int state = Skipped;
    const bool wanted = limits.wanted.empty() || limits.wanted[static_cast<std::size_t>(centre)] != 0;
    if (centre < failed.load()) {
      const BuildOutcome outcome = wanted               ? builder.Build(centre, limits.parts)
                                   : limits.noneCrowded ? BuildOutcome::Built
                                                        : builder.CheckCandidates(centre);
      if (outcome == BuildOutcome::TooManyNeighbours) {
        int seen = failed.load();
        while (centre < seen && !failed.compare_exchange_weak(seen, centre)) {
        }
        state = Failed;
      } else if (wanted) {
        inspect(centre % window, centre, builder.GetCell());
        state = Built;
      } else {
        state = Unwanted;
      }
    }
    slot.store(state);
    slot.notify_all();
  };
  // The helpers take centres in turn, each waiting for its slot to be emptied by the delivery.
  const auto help = [&](CellBuilder& builder) {
    for (int centre = next++; centre < count; centre = next++) {
      for (int seen = delivered.load(); centre >= seen + window && !stopped.load(); seen = delivered.load()) {
        delivered.wait(seen);
      }
      if (stopped.load()) return;
      build(builder, centre);
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) helpers.emplace_back(help, std::ref(*builders[t]));

  // The calling thread delivers in order, and builds a centre itself whenever the next one to deliver
  // is not ready and a centre within the window is left to take.
  int stop = -1;
  for (int centre = 0; centre < count; ++centre) {
    std::atomic<int>& slot = slots[static_cast<std::size_t>(centre % window)];
    for (int state = slot.load(); state == Empty; state = slot.load()) {
      int taken = next.load();
      const int limit = std::min(count, centre + window);
      while (taken < limit && !next.compare_exchange_weak(taken, taken + 1)) {
      }
      if (taken < limit) {
        build(*builders[0], taken);
      } else {
        slot.wait(Empty);
      }
    }
    const int state = slot.load();
    if (state != Built && state != Unwanted) {
      stop = centre;
      break;
    }
    if (state == Built) deliver(centre % window, centre);
    slot.store(Empty);
    delivered.store(centre + 1);
    delivered.notify_all();
  }
  // The helpers wait for `delivered` to change: it changes here, after `stopped`, so that a helper about
  // to wait sees either the stop or the new value (a notification alone could come before its wait).
  stopped.store(true);
  delivered.store(count);
  delivered.notify_all();
  for (std::thread& helper : helpers) helper.join();
  return stop;
}

}  // namespace mirelda::tessellation
