#include "relaxation/environment_relaxation.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda::relaxation {

EnvironmentRelaxation::EnvironmentRelaxation(std::vector<PointRecord> points, double rcut2, double dcut2)
    : points_(std::move(points)),
      positions_(PositionsOf(points_)),
      moved_(positions_),
      powerWeights_(points_.size(), 0.0),
      builder_(positions_, powerWeights_, rcut2, dcut2) {}

RelaxationPassResult EnvironmentRelaxation::RunPass(int pass) {
  if (pass > 0) {
    for (std::size_t i = 0; i < points_.size(); ++i) {
      if (Moves(points_[i])) positions_[i] = moved_[i];
    }
  }
  RelaxationPassResult result;
  const int count = static_cast<int>(points_.size());
  for (int i = 0; i < count; ++i) {
    if (builder_.Build(i) == BuildOutcome::TooManyNeighbours) {
      result.outcome = BuildOutcome::TooManyNeighbours;
      result.failedCentre = i;
      return result;
    }
    const Cell& cell = builder_.GetCell();
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
      result.openAminoAcids.push_back(i);
    }
  }
  return result;
}

Vec3 EnvironmentRelaxation::WrittenPosition(int i) const {
  return Moves(points_[i]) ? moved_[i] : Vec3{points_[i].x, points_[i].y, points_[i].z};
}

}  // namespace mirelda::relaxation
