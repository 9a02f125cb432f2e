// The triples of neighbour planes that may meet at an accepted vertex of a cell, found by clipping each
// plane's polygon by the planes of its close neighbours, nearest first, instead of trying every triple.
// The set found always holds every triple that the literal test accepts (with the rounding of that test
// allowed for), so that the caller, which decides each candidate with the literal arithmetic, records
// exactly the vertices of the full enumeration, in its order.
//
// Why a superset: a triple whose three normals are far from coplanar has its computed vertex within a
// few 1e-5 of the exact meeting point of its planes, so that point lies in plane m's polygon widened by a
// margin far larger than that, and both other planes cross the widened polygon. Triples with nearly
// coplanar normals (exact lattices have many: four or more planes through one line or point) can round
// to any vertex, so every such pair is a candidate whatever the polygon says.
//
// Most planes are no face at all; once the polygons of the nearer planes are known, such a plane is
// mostly shown to have no polygon by three close planes at one corner of them, without clipping.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "brindel/close_pairs.h"
#include "brindel/tessellation_limits.h"
#include "brindel/vector3.h"

namespace mirelda::tessellation {

class VertexCandidates {
 public:
  // Buckets of the directions of lines on a plane in the nearly-singular search.
  static constexpr int DirectionBuckets = 1024;

  VertexCandidates(double rcut2, double dcut2);

  // Takes the neighbour entries of one centre: offsets and plane constants (the plane of entry k is
  // 2 d_k . v = c_k). Returns false when some value is not finite: the caller then tries every triple.
  bool Prepare(std::span<const Vec3> offsets, std::span<const double> planes);

  // The pairs (b, a), b < a, both from later (m's close neighbours after m, increasing) and close to each
  // other, that may form an accepted vertex with m; in the order of the full enumeration (a, then b).
  // Each plane's polygon helps rule out the planes after it: calling it in NearestFirst() order, faces
  // mostly come first and most other planes are then found empty without clipping.
  void PairsOf(int m, std::span<const int> later, const ClosePairs& close,
               std::vector<std::pair<int, int>>& pairs);

  // The entries of the last Prepare() by increasing plane height (in single precision), without those at
  // the centre's position (which have no pairs).
  std::span<const int> NearestFirst() const { return nearestFirst_; }
  // The height of entry k's plane above the centre; -inf for an entry at the centre's position.
  double Height(int k) const { return planes_[k].length == 0 ? -INFINITY : planes_[k].height; }
  // How far from the centre plane m's polygon reaches, as found by its last PairsOf(); +inf when it has
  // no polygon.
  double PolygonReach(int m) const { return reachOf_[static_cast<std::size_t>(m)]; }

 private:
  // A convex polygon on plane m, its corners' coordinates as columns, which only grow, and the entry of
  // each edge's line from corner i to the next (-1 for the sides of the starting square).
  struct Polygon {
    std::vector<double> x, y;
    std::vector<int> edge;
    std::size_t size = 0;
    void Hold(std::size_t corners) {
      if (x.size() < corners) {
        x.resize(corners);
        y.resize(corners);
        edge.resize(corners);
      }
    }
  };
  // A corner of a polygon found for this centre where three planes meet: its polygon's and its two edges'.
  struct Corner {
    int plane, before, after;
  };
  struct Plane {
    Vec3 unit;          // unit normal
    double height = 0;  // signed distance of the plane from the centre along the normal
    double length = 0;  // |d|; 0 for a neighbour at the centre's own position
  };

  // later is never empty.
  void AddNearlySingularPairs(std::span<const int> later, const ClosePairs& close, Vec3 e1, Vec3 e2);
  bool CertifiedEmpty(int m, const ClosePairs& close) const;
  std::size_t FarthestCorner(Vec3 n) const;
  void KeepCorners(int m, Vec3 e1, Vec3 e2);
  void Enclose(double height);
  void ClipPolygon(int m, const ClosePairs& close, Vec3 e1, Vec3 e2);
  void AddCrossingPairs(int m, std::span<const int> later, const ClosePairs& close, Vec3 e1, Vec3 e2);

  double rcut_;
  double margin_;
  std::vector<Plane> planes_;
  std::vector<int> nearestFirst_;         // entries by increasing plane height
  std::vector<std::int32_t> heightKeys_;  // of nearestFirst_'s entries, for sorting them
  Polygon polygon_, clipped_;
  std::vector<double> side_;
  double polygonReach_ = 0;                         // largest distance of a polygon vertex from the centre
  double centreX_ = 0, centreY_ = 0, radius2_ = 0;  // a circle around the polygon
  std::array<double, NeighbourLimit> unitX_{}, unitY_{}, unitZ_{};    // the unit normals as columns
  std::array<float, NeighbourLimit> unitXf_{}, unitYf_{}, unitZf_{};  // and in single precision
  // The nearly-singular search's buckets of directions: by entry, for the plane m at hand, the bucket and
  // squared length of its line in single precision; the buckets taken, and the entries of each (most
  // recent first; valid for the buckets taken).
  std::array<int, NeighbourLimit> bucketOf_{};
  std::array<float, NeighbourLimit> roughSquare_{};
  std::array<std::uint8_t, DirectionBuckets + 2> nearBuckets_{};
  std::array<int, DirectionBuckets> firstInBucket_{};
  std::array<int, NeighbourLimit> nextInBucket_{};
  std::vector<int> steep_, crossing_;
  std::vector<float> cornerX_, cornerY_, cornerZ_;  // the corners' positions as columns
  std::vector<Corner> corners_;
  std::vector<double> reachOf_;  // by entry: PolygonReach
  std::vector<char> kept_;       // by entry: its polygon's corners were kept
  std::vector<int> keys_;        // a * KeyBase + b
};

}  // namespace mirelda::tessellation
