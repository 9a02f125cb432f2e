// The relaxation of the environment points: passes of ordinary (unweighted) Voronoi cells in which every
// environment point whose cell is closed moves to the mean of its cell's vertices. Amino-acid points never
// move; open environment cells, the outer layer of the shell, hold the shell's boundary in place.
// A cell may have any number of vertices: the mean is taken over all of them, with no fixed-size table.
#pragma once

#include <vector>

#include "brindel/cell_builder.h"
#include "brindel/exchange/point_file.h"
#include "brindel/exchange/residue_codes.h"
#include "brindel/vector3.h"

namespace mirelda::relaxation {

struct RelaxationPassResult {
  tessellation::BuildOutcome outcome = tessellation::BuildOutcome::Built;
  int failedCentre = -1;            // with TooManyNeighbours: the point whose cell could not be built
  std::vector<int> openAminoAcids;  // amino-acid points (from 0) whose cell is open, in point order
};

class EnvironmentRelaxation {
 public:
  // The cells of a pass are built on `threads` threads; the results do not depend on it.
  EnvironmentRelaxation(std::vector<exchange::PointRecord> points, double rcut2, double dcut2,
                        int threads = 1);

  // Pass p (from 0): the moves of pass p - 1 take effect, then every cell is built and the moves of this
  // pass are computed. A pass cut short by too many neighbours leaves the moves of the built cells only.
  // Without openAminoAcids, the cells of the points that never move are not built (too many candidates
  // still stop the pass) and the result lists no open amino acid: the moves are the same.
  RelaxationPassResult RunPass(int pass, bool openAminoAcids = true);

  const std::vector<exchange::PointRecord>& Points() const { return points_; }

  // Where point i is written: environment points (letter 'U') at their moved position, which is the read
  // position until a pass moves them; every other point at its read position.
  tessellation::Vec3 WrittenPosition(int i) const;

  static bool Moves(const exchange::PointRecord& point) {
    return point.letter == exchange::EnvironmentLetter;
  }

 private:
  std::vector<exchange::PointRecord> points_;
  std::vector<tessellation::Vec3> positions_;  // positions of the current pass
  std::vector<tessellation::Vec3> moved_;      // moves computed in the last pass
  std::vector<double> powerWeights_;           // all 0: the cells are the ordinary Voronoi cells
  double rcut2_;
  double dcut2_;
  int threads_;
  std::vector<char> open_;    // per point, in the pass: an amino-acid cell that is open
  std::vector<char> movers_;  // per point: it moves
};

}  // namespace mirelda::relaxation
