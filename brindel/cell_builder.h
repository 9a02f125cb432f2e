// The cell of one point in the power diagram of a point set, built locally from the candidate neighbours
// closer than DCUT: its accepted vertices, its faces with their areas, and whether it closes. Shared by
// brindel (weighted, all results) and relaxation (all power weights 0, vertices and state only).
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "brindel/close_pairs.h"
#include "brindel/exchange/point_file.h"
#include "brindel/neighbour_grid.h"
#include "brindel/tessellation_limits.h"
#include "brindel/vector3.h"
#include "brindel/vertex_candidates.h"

namespace mirelda::tessellation {

enum class CellState : int { Closed = 1, Open = 2 };

// A vertex as recorded on one face: the two other neighbours whose planes meet there (entries of the
// neighbour list, from 0), called previous and next, which the boundary walk follows.
struct FaceVertex {
  Vec3 offset;  // from the centre
  int previous = 0;
  int next = 0;
  std::array<float, 3> position;  // absolute position in single precision, as the scene writes it
  int vertex = 0;                 // which of the cell's vertices (an index into Cell::vertices)
};

struct Face {
  int neighbour = 0;                     // point index (from 0) of the point across the face
  std::span<const FaceVertex> vertices;  // in recording order
  double area = 0;
  double perimeter = 0;
  double distance = 0;  // from the centre to the neighbour
  double height = 0;    // of the face plane above the centre

  int VertexCount() const { return static_cast<int>(vertices.size()); }
};

struct Cell {
  int centre = 0;  // point index, from 0
  CellState state = CellState::Closed;
  std::vector<Face> faces;     // the neighbours with at least one vertex, in neighbour-list order
  std::vector<Vec3> vertices;  // every accepted vertex once per accepted triple, absolute positions
  double volume = 0;
  double totalArea = 0;

  int FaceCount() const { return static_cast<int>(faces.size()); }
  bool IsClosed() const { return state == CellState::Closed; }
};

// What a build computes: everything, or only the vertices and whether the cell closes (the relaxation's
// need), which leaves the faces empty and the volume and area 0.
enum class CellParts { All, VerticesAndState };

enum class BuildOutcome {
  Built,
  TooManyNeighbours  // more than NeighbourLimit candidates: the cell is not built
};

std::vector<Vec3> PositionsOf(const std::vector<exchange::PointRecord>& points);

// Builds cells one centre at a time. The builder views the caller's positions and power weights (one per
// point) and keeps all per-centre storage between builds, so after the first few centres nothing is
// allocated; the caller may move points between builds. The cell returned by GetCell() and its faces stay
// valid until the next Build(). The positions must stay in place (moved, not reallocated) while the builder
// lives, and there is one power weight per position.
//
// The candidates come from `grid` when one is given (it must view the same positions, unmoved), else
// from a scan of every point. Vertices are sought by clipping (vertex_candidates.h) and decided with the
// literal arithmetic, so the cells are those of the full enumeration of triples, bit for bit.
//
// The relaxation's use, with all power weights 0:
//   std::vector<double> zeros(positions.size(), 0.0);
//   CellBuilder builder(positions, zeros, rcut * rcut, dcut * dcut);
//   if (builder.Build(i) == BuildOutcome::TooManyNeighbours) ...  // report "IVMAX too small", stop
//   const Cell& cell = builder.GetCell();  // cell.IsClosed(), cell.vertices (absolute, once per triple)
class CellBuilder {
 public:
  // rcut2 and dcut2 are the squared cut-offs: vertices farther than RCUT from the centre are dropped, and
  // only points closer than DCUT to the centre (strictly) are candidates.
  CellBuilder(std::span<const Vec3> positions, std::span<const double> powerWeights, double rcut2,
              double dcut2, const NeighbourGrid* grid = nullptr);

  BuildOutcome Build(int centre, CellParts parts = CellParts::All);
  // Whether Build(centre) would build the cell, from its candidates alone, without building it.
  BuildOutcome CheckCandidates(int centre);
  const Cell& GetCell() const { return cell_; }

 private:
  struct Neighbour {
    int point = 0;
    Vec3 offset;                             // d = p_neighbour - p_centre
    double plane = 0;                        // c = |d|^2 + w_centre - w_neighbour; the plane is 2 d.v = c
    std::vector<int> later;                  // the entries after this one within DCUT of it, increasing
    std::vector<std::pair<int, int>> pairs;  // candidates (b, a) of the triples (m, b, a), m this one
    std::vector<FaceVertex> vertices;
    double angleSum = 0;  // sum of the exterior angles of the face polygon
  };

  bool FindNeighbours(int centre);
  void EnumerateVertices(int centre);
  void EnumerateAllTriples(int centre);
  void GatherHalfSpaces(int m);
  void TryTriple(int centre, int m, int b, int a);
  void DecideState();
  void MeasureFaces(int centre);
  static void WalkBoundary(std::span<const FaceVertex> vertices, Face& face);

  std::span<const Vec3> positions_;
  std::span<const double> powerWeights_;
  double rcut2_;
  double dcut2_;
  const NeighbourGrid* grid_;
  std::vector<Neighbour> neighbours_;  // NeighbourLimit entries, the first count_ in use
  int count_ = 0;
  std::vector<int> found_;
  ClosePairs closePairs_;
  VertexCandidates candidates_;
  std::vector<Vec3> offsets_;
  std::vector<double> planes_;
  std::array<double, ClosePairs::PaddedLimit> xs_{}, ys_{}, zs_{};  // the offsets as columns
  // The planes of m's close entries for the half-space test, as columns padded to whole blocks with
  // planes through the vertex (0 = 0), which never reject.
  static constexpr int HalfSpaceBlock = 8;
  static constexpr int HalfSpaceColumn =
      (NeighbourLimit + HalfSpaceBlock - 1) / HalfSpaceBlock * HalfSpaceBlock;
  int gatheredFor_ = -1;  // the entry m whose close planes are gathered, or -1
  int halfSpaceCount_ = 0;
  std::array<double, HalfSpaceColumn> halfPlane_{}, halfX_{}, halfY_{}, halfZ_{};
  std::array<int, HalfSpaceColumn> halfEntry_{};
  std::array<int, NeighbourLimit + ClosePairs::IndexSlack> closeEntries_{};  // m's close entries
  bool heightsKnown_ = false;   // the candidates' plane heights are known for this centre
  double lowReach_ = INFINITY;  // the first lowCount_ gathered planes are all those not higher than this
  int lowCount_ = 0;
  int lastRejecting_ = -1;  // the entry whose plane rejected the last vertex: tried first on the next
  Cell cell_;
};

}  // namespace mirelda::tessellation
