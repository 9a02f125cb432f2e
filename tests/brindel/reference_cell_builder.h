// The literal construction of a cell, kept as the reference for the tests: every point is scanned for
// the candidates and every triple of mutually close candidate planes is tried, in the documented order.
// The library's CellBuilder must give the same cells, bit for bit.
#pragma once

#include <span>
#include <vector>

#include "brindel/cell_builder.h"
#include "brindel/vector3.h"

namespace mirelda::testing {

// Same interface and contract as CellBuilder.
class ReferenceCellBuilder {
 public:
  // rcut2 and dcut2 are the squared cut-offs: vertices farther than RCUT from the centre are dropped, and
  // only points closer than DCUT to the centre (strictly) are candidates.
  ReferenceCellBuilder(std::span<const tessellation::Vec3> positions, std::span<const double> powerWeights,
                       double rcut2, double dcut2);

  tessellation::BuildOutcome Build(int centre);
  const tessellation::Cell& GetCell() const { return cell_; }

 private:
  struct Neighbour {
    int point = 0;
    tessellation::Vec3 offset;  // d = p_neighbour - p_centre
    double plane = 0;           // c = |d|^2 + w_centre - w_neighbour; the plane is 2 d.v = c
    std::vector<int> close;     // entries within DCUT of this one, in the order the pairs were found
    std::vector<int> later;     // the close entries found after this one, increasing
    std::vector<tessellation::FaceVertex> vertices;
    double angleSum = 0;  // sum of the exterior angles of the face polygon
  };

  bool FindNeighbours(int centre);
  void EnumerateVertices(int centre);
  void TryTriple(int centre, int m, int b, int a);
  void DecideState();
  void MeasureFaces(int centre);
  static void WalkBoundary(std::span<const tessellation::FaceVertex> vertices, tessellation::Face& face);

  std::span<const tessellation::Vec3> positions_;
  std::span<const double> powerWeights_;
  double rcut2_;
  double dcut2_;
  std::vector<Neighbour> neighbours_;  // NeighbourLimit entries, the first count_ in use
  int count_ = 0;
  tessellation::Cell cell_;
};

}  // namespace mirelda::testing
