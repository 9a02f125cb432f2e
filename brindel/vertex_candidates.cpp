#include "brindel/vertex_candidates.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "brindel/small_sort.h"
#include "brindel/tessellation_limits.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mirelda::tessellation {
namespace {

// Two directions within this angle (radians), or a plane within it of parallel to m's, make a nearly
// singular triple: its determinant may be as small as NearlySingularAngle^3 times the product of the
// three offsets, and below that its computed vertex is no longer tied to the exact one.
constexpr double NearlySingularAngle = 1e-3;
// The polygons are widened by this fraction of RCUT + DCUT, some fifty times the largest distance between
// a computed vertex of a triple that is not nearly singular and the exact meeting point of its planes.
constexpr double PolygonMargin = 1e-4;
// Pairs are packed into one int for sorting: a * KeyBase + b.
constexpr int KeyBase = 256;
static_assert(NeighbourLimit <= KeyBase);

// A direction in a plane as a number in [0, 2) that grows with the angle modulo a half turn, and never
// faster than the angle, so that a difference below an angle means an angle difference below it.
inline double HalfTurnKey(double x, double y) {
  const double flip = (y < 0 || (y == 0 && x < 0)) ? -1.0 : 1.0;
  x *= flip;
  y *= flip;
  return 1 - x / (std::fabs(x) + y);
}

// The nearly-singular search's buckets, in single precision (see AddNearlySingularPairs).
constexpr int Buckets = VertexCandidates::DirectionBuckets;
constexpr float BucketsPerKey = Buckets / 2.0f;
constexpr float SinglePrecisionReach = 4e-3f;
static_assert((Buckets & (Buckets - 1)) == 0);
static_assert(1 / BucketsPerKey >= NearlySingularAngle + 2 * 6e-7 / SinglePrecisionReach);

struct RoughColumns {
  const float *x, *y, *z;  // unit normals
  int* bucket;
  float* square;
};

// The bucket of each entry's line on plane m (basis e1, e2) and the line's squared length.
inline __attribute__((always_inline)) void RoughBucketsOf(const RoughColumns& c, int from, int end,
                                                          std::array<float, 3> e1, std::array<float, 3> e2) {
  for (int i = from; i < end; ++i) {
    const float x = c.x[i] * e1[0] + c.y[i] * e1[1] + c.z[i] * e1[2];
    const float y = c.x[i] * e2[0] + c.y[i] * e2[1] + c.z[i] * e2[2];
    const float flip = (y < 0 || (y == 0 && x < 0)) ? -1.0f : 1.0f;
    const float key = 1 - (x * flip) / (std::fabs(x) + y * flip);
    // A line of no length has no key (NaN): its square sends it to the exact path.
    const float scaled = key * BucketsPerKey;
    c.bucket[i] = scaled < Buckets ? static_cast<int>(scaled) : Buckets - 1;
    c.square[i] = x * x + y * y;
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Eight entries at a time where the processor has the wider registers (no fused multiply-add: the
// rounding stays that of the portable loop).
__attribute__((target("avx2"))) void RoughBucketsWide(const RoughColumns& c, int from, int end,
                                                      std::array<float, 3> e1, std::array<float, 3> e2) {
  RoughBucketsOf(c, from, end, e1, e2);
}
#endif

void RoughBuckets(const RoughColumns& c, int from, int end, std::array<float, 3> e1,
                  std::array<float, 3> e2) {
#if defined(__x86_64__) && defined(__GNUC__)
  static const bool wide = __builtin_cpu_supports("avx2");
  if (wide) {
    RoughBucketsWide(c, from, end, e1, e2);
    return;
  }
#endif
  RoughBucketsOf(c, from, end, e1, e2);
}

}  // namespace

VertexCandidates::VertexCandidates(double rcut2, double dcut2)
    : rcut_(std::sqrt(rcut2)), margin_(PolygonMargin * (std::sqrt(rcut2) + std::sqrt(dcut2))) {}

bool VertexCandidates::Prepare(std::span<const Vec3> offsets, std::span<const double> planes) {
  if (!std::isfinite(rcut_) || !std::isfinite(margin_)) return false;
  const std::size_t count = offsets.size();
  planes_.resize(count);
  nearestFirst_.clear();
  for (std::size_t k = 0; k < count; ++k) {
    Plane& plane = planes_[k];
    plane.length = Norm(offsets[k]);
    if (!std::isfinite(plane.length) || !std::isfinite(planes[k])) return false;
    if (plane.length == 0) {
      // No triple with this entry has a non-zero determinant: it is never a vertex plane, and clipping
      // by it would only narrow the search.
      plane.unit = {};
      plane.height = 0;
      continue;
    }
    plane.unit = offsets[k] / plane.length;
    plane.height = planes[k] / (2 * plane.length);
    if (!std::isfinite(plane.height)) return false;
    nearestFirst_.push_back(static_cast<int>(k));
  }
  for (std::size_t k = 0; k < count; ++k) {
    unitX_[k] = planes_[k].unit.x;
    unitY_[k] = planes_[k].unit.y;
    unitZ_[k] = planes_[k].unit.z;
    unitXf_[k] = static_cast<float>(unitX_[k]);
    unitYf_[k] = static_cast<float>(unitY_[k]);
    unitZf_[k] = static_cast<float>(unitZ_[k]);
  }
  kept_.assign(count, false);
  reachOf_.assign(count, INFINITY);
  cornerX_.clear();
  cornerY_.clear();
  cornerZ_.clear();
  corners_.clear();
  // Sorted on the height in single precision, as bits that order like it as signed integers, then on the
  // entry. Heights that single precision cannot tell apart come in entry order, which changes nothing
  // but the time (see ClipPolygon).
  heightKeys_.clear();
  for (int k : nearestFirst_) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(static_cast<float>(planes_[k].height));
    const std::uint32_t ordered = (bits & 0x80000000u) != 0 ? ~bits : bits | 0x80000000u;
    heightKeys_.push_back(static_cast<std::int32_t>(ordered ^ 0x80000000u));
  }
  StableSortSmallBy(heightKeys_, nearestFirst_);
  return true;
}

void VertexCandidates::PairsOf(int m, std::span<const int> later, const ClosePairs& close,
                               std::vector<std::pair<int, int>>& pairs) {
  pairs.clear();
  keys_.clear();
  const Plane& pm = planes_[m];
  if (pm.length == 0 || later.size() < 2) return;

  // An orthonormal basis of plane m, from the axis least aligned with its normal.
  const Vec3 n = pm.unit;
  const double ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
  const Vec3 axis = ax <= ay && ax <= az ? Vec3{1, 0, 0} : ay <= az ? Vec3{0, 1, 0} : Vec3{0, 0, 1};
  const Vec3 c = Cross(n, axis);
  const Vec3 e1 = c / Norm(c);
  const Vec3 e2 = Cross(n, e1);

  // On every plane, even one the certificate below finds empty: three planes through one line (a point
  // given twice, four co-circular points of a grid) leave a determinant and a numerator that are rounding
  // residues, and their vertex may land anywhere in the cell (the centre itself for a point given twice).
  AddNearlySingularPairs(later, close, e1, e2);
  // The crossing pairs come sorted and once each: alone they need no sorting.
  const bool mixed = !keys_.empty();
  if (std::fabs(pm.height) <= rcut_ + margin_ && !CertifiedEmpty(m, close)) {
    ClipPolygon(m, close, e1, e2);
    if (polygon_.size != 0) {
      AddCrossingPairs(m, later, close, e1, e2);
      KeepCorners(m, e1, e2);
      reachOf_[static_cast<std::size_t>(m)] = polygonReach_;
    }
  }

  if (mixed) {
    std::sort(keys_.begin(), keys_.end());
    keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
  }
  for (int key : keys_) pairs.emplace_back(key % KeyBase, key / KeyBase);
}

// Pairs whose lines on plane m are within the angle of each other (modulo a half turn), or that hold a
// plane within the angle of parallel to m's. Near directions are rare outside lattices, so they are found
// through buckets at least the angle wide, comparing keys only with the company of the same and the
// neighbouring buckets.
//
// The buckets are chosen from keys in single precision, twice as many at a time as in double: a line
// whose direction is at least SinglePrecisionReach long keys within 6e-7 / SinglePrecisionReach of its exact
// key (its coordinates stray by under 3e-7, the key by that over the length, and its own rounding by
// 2.4e-7 more), so that two lines within the angle still fall in the same or neighbouring buckets. Shorter
// ones, and every comparison that decides, take the exact key.
void VertexCandidates::AddNearlySingularPairs(std::span<const int> later, const ClosePairs& close, Vec3 e1,
                                              Vec3 e2) {
  const auto add = [&](int k, int l) {
    if (close.Test(k, l)) keys_.push_back(std::max(k, l) * KeyBase + std::min(k, l));
  };
  const auto exactKey = [&](int k) {
    const double x = unitX_[k] * e1.x + unitY_[k] * e1.y + unitZ_[k] * e1.z;
    const double y = unitX_[k] * e2.x + unitY_[k] * e2.y + unitZ_[k] * e2.z;
    return std::pair{HalfTurnKey(x, y), x * x + y * y};
  };

  // First the bucket of every entry from m's first to its last later entry, in a loop over contiguous
  // columns that the compiler can vectorise, then m's close entries among them in turn.
  const float f1x = static_cast<float>(e1.x), f1y = static_cast<float>(e1.y), f1z = static_cast<float>(e1.z);
  const float f2x = static_cast<float>(e2.x), f2y = static_cast<float>(e2.y), f2z = static_cast<float>(e2.z);
  RoughBuckets({unitXf_.data(), unitYf_.data(), unitZf_.data(), bucketOf_.data(), roughSquare_.data()},
               later.front(), later.back() + 1, {f1x, f1y, f1z}, {f2x, f2y, f2z});
  // A bucket b is marked at b + 1 of nearBuckets_, and the first and last buckets once more beyond the
  // other end, so that the three around any bucket are three bytes in a row.
  const auto mark = [&](int bucket, int entry) {
    std::uint8_t& here = nearBuckets_[static_cast<std::size_t>(bucket) + 1];
    nextInBucket_[entry] = here != 0 ? firstInBucket_[bucket] : -1;
    firstInBucket_[bucket] = entry;
    here = 1;
    if (bucket == 0) nearBuckets_[Buckets + 1] = 1;
    if (bucket == Buckets - 1) nearBuckets_[0] = 1;
  };
  steep_.clear();
  for (int a : later) {
    int bucket = bucketOf_[a];
    if (roughSquare_[a] < SinglePrecisionReach * SinglePrecisionReach) {
      if (planes_[a].length == 0) continue;
      const auto [exact, square] = exactKey(a);
      if (square < NearlySingularAngle * NearlySingularAngle) {
        steep_.push_back(a);
        continue;
      }
      bucket = std::min(Buckets - 1, static_cast<int>(exact * BucketsPerKey));
      bucketOf_[a] = bucket;
    }
    const std::uint8_t* around = nearBuckets_.data() + bucket;
    if ((around[0] | around[1] | around[2]) != 0) {
      const double own = exactKey(a).first;
      for (int near = bucket - 1; near <= bucket + 1; ++near) {
        const int wrapped = near & (Buckets - 1);
        if (nearBuckets_[static_cast<std::size_t>(wrapped) + 1] == 0) continue;
        for (int b = firstInBucket_[wrapped]; b >= 0; b = nextInBucket_[b]) {
          const double gap = std::fabs(own - exactKey(b).first);
          if (gap < NearlySingularAngle || 2 - gap < NearlySingularAngle) add(a, b);
        }
      }
    }
    mark(bucket, a);
  }
  // Every bucket of a later entry is cleared, marked or not: all are valid buckets.
  for (int a : later) nearBuckets_[static_cast<std::size_t>(bucketOf_[a]) + 1] = 0;
  nearBuckets_[0] = nearBuckets_[Buckets + 1] = 0;
  for (int s : steep_) {
    for (int b : later) {
      if (b != s && planes_[b].length != 0) add(s, b);
    }
  }
}

// Plane m's polygon: the disc of vertices within RCUT, as a square around it, cut by the half-spaces of
// m's close neighbours, each widened by the margin, nearest first; a plane farther from the centre than
// every vertex of the polygon cannot cut it, and neither can any later one (but for a later one of the
// same height in single precision, which, left out, only leaves the polygon larger: more candidates, the
// same vertices).
void VertexCandidates::ClipPolygon(int m, const ClosePairs& close, Vec3 e1, Vec3 e2) {
  const Plane& pm = planes_[m];
  const double reach = rcut_ + margin_;
  const double half = std::sqrt(std::max(0.0, reach * reach - pm.height * pm.height)) + margin_;
  polygon_.Hold(4);
  polygon_.size = 4;
  std::copy_n(std::array{-half, half, half, -half}.begin(), 4, polygon_.x.begin());
  std::copy_n(std::array{-half, -half, half, half}.begin(), 4, polygon_.y.begin());
  std::fill_n(polygon_.edge.begin(), 4, -1);
  Enclose(pm.height);

  for (int k : nearestFirst_) {
    const Plane& pk = planes_[k];
    if (pk.height + margin_ >= polygonReach_) break;
    if (k == m || !close.Test(m, k)) continue;
    const double a1 = Dot(pk.unit, e1), a2 = Dot(pk.unit, e2);
    const double limit = pk.height + margin_ - pm.height * Dot(pk.unit, pm.unit);
    // A line clear of the circle around the polygon leaves it whole.
    const double clearance = limit - a1 * centreX_ - a2 * centreY_;
    if (clearance >= 0 && clearance * clearance >= (a1 * a1 + a2 * a2) * radius2_) continue;
    const std::size_t size = polygon_.size;
    if (side_.size() < size) side_.resize(size);
    const double* x = polygon_.x.data();
    const double* y = polygon_.y.data();
    const int* edge = polygon_.edge.data();
    double* side = side_.data();
    // Counted rather than branched on: which side a corner falls is as likely one way as the other.
    std::size_t outside = 0;
    for (std::size_t i = 0; i < size; ++i) {
      side[i] = a1 * x[i] + a2 * y[i] - limit;
      outside += side[i] > 0 ? 1 : 0;
    }
    if (outside == 0) continue;
    if (outside == size) {
      polygon_.size = 0;
      return;
    }
    // The corners kept, and a new corner where an edge crosses the line: each is written in turn and
    // counted only when it belongs, so that the loop has no branch to mispredict. Where an edge does not
    // cross, its crossing point may be no number at all, and is overwritten.
    clipped_.Hold(2 * size);
    double* outX = clipped_.x.data();
    double* outY = clipped_.y.data();
    int* outEdge = clipped_.edge.data();
    std::size_t count = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const std::size_t j = i + 1 == size ? 0 : i + 1;
      const bool keptHere = side[i] <= 0, keptNext = side[j] <= 0;
      outX[count] = x[i];
      outY[count] = y[i];
      outEdge[count] = edge[i];
      count += keptHere ? 1 : 0;
      // From where the edge leaves the half-plane the polygon follows the cutting line; from where it
      // comes back, the edge's own line.
      const double t = side[i] / (side[i] - side[j]);
      outX[count] = x[i] + t * (x[j] - x[i]);
      outY[count] = y[i] + t * (y[j] - y[i]);
      outEdge[count] = keptHere ? k : edge[i];
      count += keptHere != keptNext ? 1 : 0;
    }
    clipped_.size = count;
    std::swap(polygon_, clipped_);
    Enclose(pm.height);
  }
}

// Plane m's polygon is empty when m's normal lies in the cone of the normals of three of m's close planes
// p: every point within their widened half-spaces has n_m . x <= sum of lambda_p (h_p + margin), where
// n_m = sum of lambda_p n_p with every lambda_p >= 0, so plane m, above that bound, misses them. The three
// are those of the corner found so far that lies farthest along n_m: for a plane beyond the cell, the
// corner where the cell comes nearest to it, whose cone holds the plane's normal. Only the three planes'
// normals and heights decide, with a wide allowance for rounding, so the corner's position need not be
// exact.
bool VertexCandidates::CertifiedEmpty(int m, const ClosePairs& close) const {
  const std::size_t count = corners_.size();
  if (count == 0) return false;
  const Plane& pm = planes_[m];
  const Vec3 n = pm.unit;
  const Corner& corner = corners_[FarthestCorner(n)];
  const std::array<int, 3> three = {corner.plane, corner.before, corner.after};
  for (int p : three) {
    if (p == m || !close.Test(m, p)) return false;
  }
  const Plane &p0 = planes_[three[0]], &p1 = planes_[three[1]], &p2 = planes_[three[2]];
  const Vec3 c12 = Cross(p1.unit, p2.unit), c20 = Cross(p2.unit, p0.unit), c01 = Cross(p0.unit, p1.unit);
  const double det = Dot(p0.unit, c12);
  if (!(std::fabs(det) > 1e-6)) return false;
  const double l0 = Dot(n, c12) / det, l1 = Dot(n, c20) / det, l2 = Dot(n, c01) / det;
  if (!(l0 >= 0 && l1 >= 0 && l2 >= 0)) return false;
  const Vec3 residual = n - (l0 * p0.unit + l1 * p1.unit + l2 * p2.unit);
  const double bound = l0 * (p0.height + margin_) + l1 * (p1.height + margin_) + l2 * (p2.height + margin_);
  // Points of the polygon lie within twice RCUT of the centre, where the residual (with its own rounding)
  // counts; the rest covers the rounding of the bound.
  const double scale = std::fabs(pm.height) + l0 * std::fabs(p0.height) + l1 * std::fabs(p1.height) +
                       l2 * std::fabs(p2.height) + (l0 + l1 + l2 + 1) * margin_;
  const double allowance =
      (Norm(residual) + 1e-12 * (1 + l0 + l1 + l2)) * 2 * (rcut_ + margin_) + 1e-9 * scale;
  return bound + allowance < pm.height;
}

// The corner reaching farthest along n, in single precision (any corner is sound for the certificate).
std::size_t VertexCandidates::FarthestCorner(Vec3 n) const {
  const std::size_t count = corners_.size();
  const float nx = static_cast<float>(n.x), ny = static_cast<float>(n.y), nz = static_cast<float>(n.z);
  const float *x = cornerX_.data(), *y = cornerY_.data(), *z = cornerZ_.data();
  std::size_t best = 0;
  float farthest = -INFINITY;
  std::size_t i = 0;
#if defined(__SSE2__)
  // Four at a time, each lane keeping its own farthest and where it was, then the best lane.
  if (count >= 8) {
    const __m128 vx = _mm_set1_ps(nx), vy = _mm_set1_ps(ny), vz = _mm_set1_ps(nz);
    __m128 top = _mm_set1_ps(-INFINITY);
    __m128i where = _mm_setzero_si128(), index = _mm_setr_epi32(0, 1, 2, 3);
    const __m128i four = _mm_set1_epi32(4);
    for (; i + 4 <= count; i += 4) {
      const __m128 along =
          _mm_add_ps(_mm_add_ps(_mm_mul_ps(_mm_loadu_ps(x + i), vx), _mm_mul_ps(_mm_loadu_ps(y + i), vy)),
                     _mm_mul_ps(_mm_loadu_ps(z + i), vz));
      const __m128i higher = _mm_castps_si128(_mm_cmpgt_ps(along, top));
      where = _mm_or_si128(_mm_and_si128(higher, index), _mm_andnot_si128(higher, where));
      top = _mm_max_ps(along, top);
      index = _mm_add_epi32(index, four);
    }
    alignas(16) float tops[4];
    alignas(16) std::int32_t places[4];
    _mm_store_ps(tops, top);
    _mm_store_si128(reinterpret_cast<__m128i*>(places), where);
    for (int lane = 0; lane < 4; ++lane) {
      if (tops[lane] > farthest) {
        farthest = tops[lane];
        best = static_cast<std::size_t>(places[lane]);
      }
    }
  }
#endif
  for (; i < count; ++i) {
    const float along = nx * x[i] + ny * y[i] + nz * z[i];
    if (along > farthest) {
      farthest = along;
      best = i;
    }
  }
  return best;
}

// The corners of plane m's polygon where two neighbour planes meet it, for CertifiedEmpty; a corner on a
// plane whose polygon was kept before is most likely one of its corners already.
void VertexCandidates::KeepCorners(int m, Vec3 e1, Vec3 e2) {
  const Plane& pm = planes_[m];
  const Vec3 base = pm.height * pm.unit;
  const std::size_t size = polygon_.size;
  kept_[static_cast<std::size_t>(m)] = true;
  for (std::size_t i = 0; i < size; ++i) {
    const int before = polygon_.edge[i == 0 ? size - 1 : i - 1], after = polygon_.edge[i];
    if (before < 0 || after < 0 || before == after) continue;
    if (kept_[static_cast<std::size_t>(before)] || kept_[static_cast<std::size_t>(after)]) continue;
    const Vec3 position = base + polygon_.x[i] * e1 + polygon_.y[i] * e2;
    cornerX_.push_back(static_cast<float>(position.x));
    cornerY_.push_back(static_cast<float>(position.y));
    cornerZ_.push_back(static_cast<float>(position.z));
    corners_.push_back({m, before, after});
  }
}

// The reach of the polygon from the centre, and a circle around it: the one around its bounding box,
// slightly widened so that rounding never leaves a vertex outside.
void VertexCandidates::Enclose(double height) {
  const double* x = polygon_.x.data();
  const double* y = polygon_.y.data();
  double far2 = 0;
  double lowX = x[0], highX = lowX, lowY = y[0], highY = lowY;
  for (std::size_t i = 0; i < polygon_.size; ++i) {
    far2 = std::max(far2, x[i] * x[i] + y[i] * y[i]);
    lowX = std::min(lowX, x[i]);
    highX = std::max(highX, x[i]);
    lowY = std::min(lowY, y[i]);
    highY = std::max(highY, y[i]);
  }
  polygonReach_ = std::sqrt(height * height + far2);
  centreX_ = (lowX + highX) / 2;
  centreY_ = (lowY + highY) / 2;
  const double halfX = (highX - lowX) / 2, halfY = (highY - lowY) / 2;
  radius2_ = (halfX * halfX + halfY * halfY) * (1 + 1e-9) + margin_ * margin_ * 1e-6;
}

// The planes of later whose line on plane m meets the widened polygon; every pair of them that is close
// is a candidate.
void VertexCandidates::AddCrossingPairs(int m, std::span<const int> later, const ClosePairs& close, Vec3 e1,
                                        Vec3 e2) {
  const Plane& pm = planes_[m];
  crossing_.clear();
  for (int a : later) {
    const Plane& pa = planes_[a];
    if (pa.length == 0 || pa.height - margin_ > polygonReach_) continue;
    const double a1 = Dot(pa.unit, e1), a2 = Dot(pa.unit, e2);
    const double level = pa.height - pm.height * Dot(pa.unit, pm.unit);
    double highest = -INFINITY;
    for (std::size_t i = 0; i < polygon_.size; ++i) {
      highest = std::max(highest, a1 * polygon_.x[i] + a2 * polygon_.y[i] - level);
    }
    if (highest >= -margin_) crossing_.push_back(a);
  }
  // In increasing keys: a (the later entry) outer, b inner, both increasing.
  for (std::size_t j = 1; j < crossing_.size(); ++j) {
    for (std::size_t i = 0; i < j; ++i) {
      if (close.Test(crossing_[i], crossing_[j])) keys_.push_back(crossing_[j] * KeyBase + crossing_[i]);
    }
  }
}

}  // namespace mirelda::tessellation
