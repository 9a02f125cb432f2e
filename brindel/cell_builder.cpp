#include "brindel/cell_builder.h"

#include <algorithm>
#include <cmath>

#include "brindel/tessellation_limits.h"

using namespace mirelda::exchange;

namespace mirelda::tessellation {
namespace {

// acos of a cosine computed from rounded products, which may stray just outside [-1, 1]. A NaN stays NaN
// and reads as an open face in the closure test.
double ClampedAcos(double cosine) { return std::acos(std::clamp(cosine, -1.0, 1.0)); }

double CornerAngle(Vec3 u, Vec3 w) { return ClampedAcos(-Dot(u, w) / (Norm(u) * Norm(w))); }

}  // namespace

std::vector<Vec3> PositionsOf(const std::vector<PointRecord>& points) {
  std::vector<Vec3> positions;
  positions.reserve(points.size());
  for (const PointRecord& point : points) positions.push_back({point.x, point.y, point.z});
  return positions;
}

CellBuilder::CellBuilder(std::span<const Vec3> positions, std::span<const double> powerWeights, double rcut2,
                         double dcut2, const NeighbourGrid* grid)
    : positions_(positions),
      powerWeights_(powerWeights),
      rcut2_(rcut2),
      dcut2_(dcut2),
      grid_(grid),
      neighbours_(NeighbourLimit),
      candidates_(rcut2, dcut2) {}

BuildOutcome CellBuilder::Build(int centre, CellParts parts) {
  cell_.centre = centre;
  cell_.state = CellState::Closed;
  cell_.faces.clear();
  cell_.vertices.clear();
  cell_.volume = 0;
  cell_.totalArea = 0;
  lastRejecting_ = -1;
  if (!FindNeighbours(centre)) return BuildOutcome::TooManyNeighbours;
  EnumerateVertices(centre);
  DecideState();
  if (parts == CellParts::All) MeasureFaces(centre);
  return BuildOutcome::Built;
}

// The candidates are the points strictly closer than DCUT, increasing.
BuildOutcome CellBuilder::CheckCandidates(int centre) {
  const Vec3 p = positions_[centre];
  if (grid_ != nullptr) {
    grid_->Find(centre, found_);
  } else {
    found_.clear();
    const int pointCount = static_cast<int>(positions_.size());
    for (int j = 0; j < pointCount; ++j) {
      if (j != centre && Norm2(positions_[j] - p) < dcut2_) found_.push_back(j);
    }
  }
  return found_.size() > static_cast<std::size_t>(NeighbourLimit) ? BuildOutcome::TooManyNeighbours
                                                                  : BuildOutcome::Built;
}

// Every candidate becomes the next entry; each pair of entries within DCUT of each other (the bound
// included) is recorded on both.
bool CellBuilder::FindNeighbours(int centre) {
  count_ = 0;
  if (CheckCandidates(centre) == BuildOutcome::TooManyNeighbours) return false;
  const Vec3 p = positions_[centre];
  count_ = static_cast<int>(found_.size());
  offsets_.resize(count_);
  for (int k = 0; k < count_; ++k) {
    const int j = found_[k];
    const Vec3 d = positions_[j] - p;
    Neighbour& entry = neighbours_[k];
    entry.point = j;
    entry.offset = d;
    entry.plane = Norm2(d) + powerWeights_[centre] - powerWeights_[j];
    entry.vertices.clear();
    entry.angleSum = 0;
    offsets_[k] = d;
    xs_[k] = d.x;
    ys_[k] = d.y;
    zs_[k] = d.z;
  }
  for (int k = count_; k < ClosePairs::PaddedLimit; ++k) xs_[k] = ys_[k] = zs_[k] = NAN;
  closePairs_.Fill(xs_.data(), ys_.data(), zs_.data(), count_, dcut2_);
  for (int k = 0; k < count_; ++k) {
    Neighbour& entry = neighbours_[k];
    const int later = closePairs_.CountAfter(k);
    entry.later.resize(static_cast<std::size_t>(later + ClosePairs::IndexSlack));
    closePairs_.IndicesFrom(k, k + 1, entry.later.data());
    entry.later.resize(static_cast<std::size_t>(later));
  }
  return true;
}

// The candidate triples of each m, in the order of the full enumeration; when the geometry has values
// that are not finite, every triple.
void CellBuilder::EnumerateVertices(int centre) {
  planes_.resize(count_);
  for (int k = 0; k < count_; ++k) planes_[k] = neighbours_[k].plane;
  heightsKnown_ = candidates_.Prepare(offsets_, planes_);
  if (!heightsKnown_) {
    EnumerateAllTriples(centre);
    return;
  }
  // The candidates nearest first, which lets most planes beyond the cell be ruled out without clipping;
  // the triples in the order of the full enumeration.
  for (int m = 0; m < count_; ++m) neighbours_[m].pairs.clear();
  for (int m : candidates_.NearestFirst()) {
    candidates_.PairsOf(m, neighbours_[m].later, closePairs_, neighbours_[m].pairs);
  }
  for (int m = 0; m < count_; ++m) {
    const std::vector<std::pair<int, int>>& pairs = neighbours_[m].pairs;
    // Gathered when a vertex first needs them: most candidates of a plane without a face lie beyond RCUT.
    gatheredFor_ = -1;
    for (const auto& [b, a] : pairs) TryTriple(centre, m, b, a);
  }
}

// Each unordered triple m < b < a of mutually close entries is visited once.
void CellBuilder::EnumerateAllTriples(int centre) {
  for (int m = 0; m < count_; ++m) {
    const std::span<const int> later = neighbours_[m].later;
    gatheredFor_ = -1;
    for (std::size_t v = 1; v < later.size(); ++v) {
      for (std::size_t u = 0; u < v; ++u) TryTriple(centre, m, later[u], later[v]);
    }
  }
}

// m's close entries; when the heights are known, those not above m's polygon's reach first (any order
// decides alike, see TryTriple).
void CellBuilder::GatherHalfSpaces(int m) {
  gatheredFor_ = m;
  halfSpaceCount_ = closePairs_.IndicesFrom(m, 0, closeEntries_.data());
  lowReach_ = heightsKnown_ ? candidates_.PolygonReach(m) : INFINITY;
  int low = 0, high = halfSpaceCount_;
  for (int c = 0; c < halfSpaceCount_; ++c) {
    const int k = closeEntries_[c];
    // Written without a branch: which side a plane falls is hard to foresee.
    const int above = heightsKnown_ && candidates_.Height(k) > lowReach_ ? 1 : 0;
    high -= above;
    const int i = above != 0 ? high : low;
    low += 1 - above;
    const Neighbour& nn = neighbours_[k];
    halfPlane_[i] = nn.plane;
    halfX_[i] = nn.offset.x;
    halfY_[i] = nn.offset.y;
    halfZ_[i] = nn.offset.z;
    halfEntry_[i] = k;
  }
  lowCount_ = low;
  const int padded = (halfSpaceCount_ + HalfSpaceBlock - 1) / HalfSpaceBlock * HalfSpaceBlock;
  for (int i = halfSpaceCount_; i < padded; ++i) {
    halfPlane_[i] = halfX_[i] = halfY_[i] = halfZ_[i] = 0;
    halfEntry_[i] = -1;
  }
}

void CellBuilder::TryTriple(int centre, int m, int b, int a) {
  Neighbour& nm = neighbours_[m];
  Neighbour& na = neighbours_[a];
  Neighbour& nb = neighbours_[b];
  if (Norm2(na.offset - nb.offset) > dcut2_) return;

  const Vec3 uab = Cross(na.offset, nb.offset);
  const Vec3 ubm = Cross(nb.offset, nm.offset);
  const Vec3 uma = Cross(nm.offset, na.offset);
  const double det = Dot(nm.offset, uab);
  if (det == 0) return;
  const Vec3 num = nm.plane * uab + na.plane * ubm + nb.plane * uma;
  const Vec3 v = num / (2 * det);
  const double distance2 = Norm2(v);
  if (distance2 > rcut2_) return;

  // The vertex must lie on the centre's side of the plane of every close neighbour of m (on it passes).
  // The plane that rejected the last vertex often rejects this one too: it is tried first, which changes
  // nothing but the time, since the vertex passes only when no plane rejects it. The others are tested a
  // block at a time, with the same expression in a loop the compiler can vectorise.
  const int first = lastRejecting_;
  if (first >= 0 && first != a && first != b && first != m && closePairs_.Test(m, first)) {
    const Neighbour& nn = neighbours_[first];
    const double t = nn.plane * det - Dot(nn.offset, num);
    if (t * det < 0) return;
  }
  if (gatheredFor_ != m) GatherHalfSpaces(m);
  // A plane higher above the centre than the vertex lies from it cannot reject it: with c = 2 |d| h,
  // t = c det - d . num = det (c - 2 d . v) has the sign of det when h > |v|, by a margin (a billionth
  // of h) far beyond the rounding of t, as long as det is a normal number. So a vertex within the reach
  // of m's polygon needs only the planes gathered first.
  int tested = halfSpaceCount_;
  const double reach = std::sqrt(distance2) * (1 + 1e-9);
  if (reach <= lowReach_ && std::fabs(det) >= 1e-200) tested = lowCount_;
  for (int i = 0; i < tested; i += HalfSpaceBlock) {
    int rejected = 0;
    for (int j = i; j < i + HalfSpaceBlock; ++j) {
      const double t = halfPlane_[j] * det - (halfX_[j] * num.x + halfY_[j] * num.y + halfZ_[j] * num.z);
      rejected |= static_cast<int>(t * det < 0) & static_cast<int>(halfEntry_[j] != a) &
                  static_cast<int>(halfEntry_[j] != b);
    }
    if (rejected == 0) continue;
    for (int j = i;; ++j) {
      const double t = halfPlane_[j] * det - (halfX_[j] * num.x + halfY_[j] * num.y + halfZ_[j] * num.z);
      if (t * det < 0 && halfEntry_[j] != a && halfEntry_[j] != b) {
        lastRejecting_ = halfEntry_[j];
        return;
      }
    }
  }

  const Vec3 absolute = v + positions_[centre];
  const std::array<float, 3> position = {static_cast<float>(absolute.x), static_cast<float>(absolute.y),
                                         static_cast<float>(absolute.z)};
  const int vertex = static_cast<int>(cell_.vertices.size());
  nm.vertices.push_back({v, b, a, position, vertex});
  na.vertices.push_back({v, m, b, position, vertex});
  nb.vertices.push_back({v, a, m, position, vertex});
  cell_.vertices.push_back(absolute);

  nm.angleSum += CornerAngle(uma, ubm);
  na.angleSum += CornerAngle(uma, uab);
  nb.angleSum += CornerAngle(ubm, uab);
}

// A cell is open when one of its faces does not close; written so that a NaN sum also reads as open.
void CellBuilder::DecideState() {
  for (int k = 0; k < count_; ++k) {
    const Neighbour& entry = neighbours_[k];
    if (entry.vertices.empty()) continue;
    if (!(std::fabs(entry.angleSum - FullTurn) <= ClosureTolerance)) cell_.state = CellState::Open;
  }
}

void CellBuilder::MeasureFaces(int centre) {
  for (int k = 0; k < count_; ++k) {
    const Neighbour& entry = neighbours_[k];
    if (entry.vertices.empty()) continue;
    Face face;
    face.neighbour = entry.point;
    face.vertices = entry.vertices;
    WalkBoundary(face.vertices, face);
    face.distance = Norm(entry.offset);
    face.height = (face.distance + (powerWeights_[centre] - powerWeights_[entry.point]) / face.distance) / 2;
    cell_.volume += face.height * face.area / 3;
    cell_.totalArea += face.area;
    cell_.faces.push_back(face);
  }
}

// Follows the corners of a face from its first vertex: the next corner is the vertex that shares the plane
// sought and is not the one just left; the walk ends at the corner whose other plane is the first
// vertex's second plane, or when no corner is found, and a straight edge closes it back to the first
// vertex. Where four or more planes meet at one point the records repeat and the walk could circle
// without reaching its end, so it takes at most one corner per other vertex: a closed polygon of q
// vertices has exactly q - 1, so no proper face is cut short.
void CellBuilder::WalkBoundary(std::span<const FaceVertex> vertices, Face& face) {
  const std::size_t q = vertices.size();
  Vec3 area;
  double perimeter = 0;
  const auto addEdge = [&](Vec3 from, Vec3 to) {
    const Vec3 edge = to - from;
    perimeter += Norm(edge);
    area = area + Cross(from, edge);
  };

  const Vec3 first = vertices[0].offset;
  Vec3 current = first;
  Vec3 last = first;
  int seek = vertices[0].previous;
  int came = vertices[0].next;
  const int stop = vertices[0].next;
  std::size_t corners = 0;
  std::size_t s = 1;
  while (s < q && corners + 1 < q) {
    const FaceVertex& candidate = vertices[s];
    int other = -1;
    if (candidate.previous == seek && candidate.next != came) {
      other = candidate.next;
    } else if (candidate.next == seek && candidate.previous != came) {
      other = candidate.previous;
    }
    if (other < 0) {
      ++s;
      continue;
    }
    addEdge(current, candidate.offset);
    last = candidate.offset;
    ++corners;
    if (other == stop) break;
    came = seek;
    seek = other;
    current = candidate.offset;
    s = 1;
  }
  addEdge(last, first);

  face.area = Norm(area) / 2;
  face.perimeter = perimeter;
}

}  // namespace mirelda::tessellation
