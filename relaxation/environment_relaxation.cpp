#include "relaxation/environment_relaxation.h"

#include "brindel/cell_run.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda::relaxation {

namespace {

// Cells built ahead of their delivery in point order (cell_run.h).
constexpr int CellsAhead = 1024;

}  // namespace

EnvironmentRelaxation::EnvironmentRelaxation(std::vector<PointRecord> points, double rcut2, double dcut2,
                                             int threads)
    : points_(std::move(points)),
      positions_(PositionsOf(points_)),
      moved_(positions_),
      powerWeights_(points_.size(), 0.0),
      rcut2_(rcut2),
      dcut2_(dcut2),
      threads_(threads) {
  movers_.reserve(points_.size());
  for (const PointRecord& point : points_) movers_.push_back(Moves(point) ? 1 : 0);
}

RelaxationPassResult EnvironmentRelaxation::RunPass(int pass, bool openAminoAcids) {
  if (pass > 0) {
    for (std::size_t i = 0; i < points_.size(); ++i) {
      if (Moves(points_[i])) positions_[i] = moved_[i];
    }
  }
  RelaxationPassResult result;
  // Each cell writes only its own point's move and flag, so the cells may be built on any thread. A pass
  // needs only the vertices and the closure, never the faces' measures.
  open_.assign(points_.size(), 0);
  const int failed = BuildCellsInOrder(
      positions_, powerWeights_,
      {rcut2_, dcut2_, threads_, CellParts::VerticesAndState,
       openAminoAcids ? std::span<const char>() : movers_},
      CellsAhead,
      [&](int, int i, const Cell& cell) {
        if (Moves(points_[i])) {
          // A closed cell without any vertex (a point with no neighbour) has no mean: the point stays put.
          if (cell.IsClosed() && !cell.vertices.empty()) {
            Vec3 sum;
            for (const Vec3& vertex : cell.vertices) sum = sum + vertex;
            moved_[i] = sum / static_cast<double>(cell.vertices.size());
          } else {
            moved_[i] = positions_[i];
          }
        } else if (!cell.IsClosed()) {
          open_[i] = 1;
        }
      },
      [&](int, int i) {
        if (open_[i]) result.openAminoAcids.push_back(i);
      });
  if (failed >= 0) {
    result.outcome = BuildOutcome::TooManyNeighbours;
    result.failedCentre = failed;
  }
  return result;
}

Vec3 EnvironmentRelaxation::WrittenPosition(int i) const {
  return Moves(points_[i]) ? moved_[i] : Vec3{points_[i].x, points_[i].y, points_[i].z};
}

}  // namespace mirelda::relaxation
