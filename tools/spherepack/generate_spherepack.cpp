// Generates data/spherepack_1.txt, the template of the environment points: a periodic random close
// packing of 1024 spheres of diameter 1 in a cube of side 9.3898 (packing fraction 0.648), seeded and
// deterministic. Usage: generate_spherepack OUTPUT_FILE [SEED]
//
// Two stages. A soft-sphere compression: random positions, then the diameter is grown step by step to 1
// and the harmonic overlap energy is minimised with FIRE after every step; quick growth from a random
// start jams the spheres in a disordered state, far from any crystal. Then a greedy Monte Carlo polish:
// every sphere takes small random moves that never bring it nearer to its closest neighbour (while that
// neighbour is nearer than one diameter), which spreads the remaining overlaps over the packing and
// raises the smallest distance towards 1. The file holds one point per line, "%9.4f%9.4f%9.4f", with
// coordinates in [0, 9.3898).
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int PointCount = 1024;
constexpr double CellSide = 9.3898;  // the side that makes 1024 unit spheres fill 64.8 % of the cube
constexpr double Diameter = 1.0;
constexpr double StartFraction = 0.30;     // packing fraction of the first, easily relaxed state
constexpr double FractionStep = 0.01;      // growth per compression step, as a packing fraction
constexpr double FinishedEnergy = 1e-16;   // energy per sphere below which the spheres no longer touch
constexpr double FinishedForce = 1e-12;    // largest force at which a jammed state counts as minimised
constexpr int MaxFireSteps = 200000;       // per minimisation; a jammed state converges well before
constexpr int PolishSweeps = 4000;         // Monte Carlo sweeps of the polish
constexpr double AcceptedDistance = 0.99;  // smallest pair distance the file must reach
constexpr std::uint64_t DefaultSeed = 20261208;

struct Vec {
  double x = 0, y = 0, z = 0;
};

// SplitMix64: the same numbers on every platform and standard library, unlike the std distributions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }  // [0, 1)

 private:
  std::uint64_t state_;
};

double Wrap(double c) {
  c = std::fmod(c, CellSide);
  if (c < 0) c += CellSide;
  if (c >= CellSide) c -= CellSide;
  return c;
}

double MinimumImage(double d) { return d - CellSide * std::nearbyint(d / CellSide); }

// Cell list over the periodic cube; cells at least one diameter wide, so neighbours lie in the 27 cells.
class CellList {
 public:
  CellList() : perSide_(static_cast<int>(std::floor(CellSide / Diameter))) {}

  void Build(const std::vector<Vec>& points) {
    heads_.assign(static_cast<std::size_t>(perSide_ * perSide_ * perSide_), -1);
    next_.assign(points.size(), -1);
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
      const int c = CellOf(points[static_cast<std::size_t>(i)]);
      next_[static_cast<std::size_t>(i)] = heads_[static_cast<std::size_t>(c)];
      heads_[static_cast<std::size_t>(c)] = i;
    }
  }

  // Calls visit(j) for every point j in the 27 cells around p.
  template <typename Visit>
  void ForNeighbours(const Vec& p, Visit&& visit) const {
    const int cx = Index(p.x), cy = Index(p.y), cz = Index(p.z);
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        for (int dz = -1; dz <= 1; ++dz) {
          const int c = (Mod(cx + dx) * perSide_ + Mod(cy + dy)) * perSide_ + Mod(cz + dz);
          for (int j = heads_[static_cast<std::size_t>(c)]; j >= 0; j = next_[static_cast<std::size_t>(j)])
            visit(j);
        }
  }

  // Moves point i from the cell of 'from' to the cell of 'to'.
  void Move(int i, const Vec& from, const Vec& to) {
    const int a = CellOf(from), b = CellOf(to);
    if (a == b) return;
    int* link = &heads_[static_cast<std::size_t>(a)];
    while (*link != i) link = &next_[static_cast<std::size_t>(*link)];
    *link = next_[static_cast<std::size_t>(i)];
    next_[static_cast<std::size_t>(i)] = heads_[static_cast<std::size_t>(b)];
    heads_[static_cast<std::size_t>(b)] = i;
  }

 private:
  int Index(double c) const {
    const int k = static_cast<int>(c / CellSide * perSide_);
    return k >= perSide_ ? perSide_ - 1 : k;
  }
  int Mod(int k) const { return (k % perSide_ + perSide_) % perSide_; }
  int CellOf(const Vec& p) const { return (Index(p.x) * perSide_ + Index(p.y)) * perSide_ + Index(p.z); }

  int perSide_;
  std::vector<int> heads_;
  std::vector<int> next_;
};

Vec Separation(const Vec& a, const Vec& b) {
  return {MinimumImage(a.x - b.x), MinimumImage(a.y - b.y), MinimumImage(a.z - b.z)};
}
double Length(const Vec& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// Harmonic overlap energy sum (1 - r/sigma)^2 / 2 over overlapping pairs, and the forces.
double EnergyAndForces(const std::vector<Vec>& points, const CellList& cells, double sigma,
                       std::vector<Vec>& forces) {
  forces.assign(points.size(), Vec{});
  double energy = 0;
  for (int i = 0; i < static_cast<int>(points.size()); ++i) {
    const Vec& p = points[static_cast<std::size_t>(i)];
    cells.ForNeighbours(p, [&](int j) {
      if (j <= i) return;
      const Vec d = Separation(p, points[static_cast<std::size_t>(j)]);
      const double r = Length(d);
      if (r >= sigma || r == 0) return;
      const double overlap = 1 - r / sigma;
      energy += 0.5 * overlap * overlap;
      const double f = overlap / (sigma * r);
      Vec& fi = forces[static_cast<std::size_t>(i)];
      Vec& fj = forces[static_cast<std::size_t>(j)];
      fi.x += f * d.x, fi.y += f * d.y, fi.z += f * d.z;
      fj.x -= f * d.x, fj.y -= f * d.y, fj.z -= f * d.z;
    });
  }
  return energy;
}

// FIRE minimisation of the overlap energy at diameter sigma. Returns the energy reached.
double Minimise(std::vector<Vec>& points, CellList& cells, double sigma) {
  constexpr double dtStart = 0.05, dtMax = 0.5, growth = 1.1, shrink = 0.5, alphaStart = 0.1,
                   alphaShrink = 0.99;
  constexpr int delay = 5;
  const std::size_t n = points.size();
  std::vector<Vec> velocities(n), forces;
  double dt = dtStart, alpha = alphaStart, energy = 0;
  int sincePositive = 0;
  for (int step = 0; step < MaxFireSteps; ++step) {
    cells.Build(points);
    energy = EnergyAndForces(points, cells, sigma, forces);
    double maxForce2 = 0, power = 0, vv = 0, ff = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const Vec& f = forces[i];
      const Vec& v = velocities[i];
      maxForce2 = std::max(maxForce2, f.x * f.x + f.y * f.y + f.z * f.z);
      power += f.x * v.x + f.y * v.y + f.z * v.z;
      vv += v.x * v.x + v.y * v.y + v.z * v.z;
      ff += f.x * f.x + f.y * f.y + f.z * f.z;
    }
    if (energy < FinishedEnergy * static_cast<double>(n) || maxForce2 < FinishedForce * FinishedForce) break;
    if (power > 0) {
      const double scale = ff > 0 ? std::sqrt(vv / ff) : 0;
      for (std::size_t i = 0; i < n; ++i) {
        Vec& v = velocities[i];
        const Vec& f = forces[i];
        v.x = (1 - alpha) * v.x + alpha * scale * f.x;
        v.y = (1 - alpha) * v.y + alpha * scale * f.y;
        v.z = (1 - alpha) * v.z + alpha * scale * f.z;
      }
      if (++sincePositive > delay) {
        dt = std::min(dt * growth, dtMax);
        alpha *= alphaShrink;
      }
    } else {
      sincePositive = 0;
      dt *= shrink;
      alpha = alphaStart;
      for (Vec& v : velocities) v = Vec{};
    }
    // Semi-implicit Euler step with unit masses.
    for (std::size_t i = 0; i < n; ++i) {
      Vec& v = velocities[i];
      const Vec& f = forces[i];
      v.x += dt * f.x, v.y += dt * f.y, v.z += dt * f.z;
      Vec& p = points[i];
      p = {Wrap(p.x + dt * v.x), Wrap(p.y + dt * v.y), Wrap(p.z + dt * v.z)};
    }
  }
  return energy;
}

double NearestDistance(const std::vector<Vec>& points, const CellList& cells, int i) {
  double nearest = CellSide;
  const Vec& p = points[static_cast<std::size_t>(i)];
  cells.ForNeighbours(p, [&](int j) {
    if (j != i) nearest = std::min(nearest, Length(Separation(p, points[static_cast<std::size_t>(j)])));
  });
  return nearest;
}

double SmallestDistance(const std::vector<Vec>& points, CellList& cells) {
  cells.Build(points);
  double smallest = CellSide;
  for (int i = 0; i < static_cast<int>(points.size()); ++i)
    smallest = std::min(smallest, NearestDistance(points, cells, i));
  return smallest;
}

// Greedy polish: a move of sphere i is kept when its nearest distance, capped at one diameter, does not
// decrease. The smallest distance of the packing therefore never decreases.
void Polish(std::vector<Vec>& points, CellList& cells, Random& random) {
  cells.Build(points);
  double step = 0.01;
  for (int sweep = 0; sweep < PolishSweeps; ++sweep) {
    int accepted = 0;
    for (int m = 0; m < PointCount; ++m) {
      const int i = static_cast<int>(random.Next() % PointCount);
      Vec& p = points[static_cast<std::size_t>(i)];
      const Vec old = p;
      const double before = std::min(Diameter, NearestDistance(points, cells, i));
      const Vec moved{Wrap(p.x + step * (2 * random.Uniform() - 1)),
                      Wrap(p.y + step * (2 * random.Uniform() - 1)),
                      Wrap(p.z + step * (2 * random.Uniform() - 1))};
      cells.Move(i, old, moved);
      p = moved;
      if (std::min(Diameter, NearestDistance(points, cells, i)) >= before) {
        ++accepted;
      } else {
        cells.Move(i, moved, old);
        p = old;
      }
    }
    // Keep roughly a third of the moves accepted.
    const double rate = static_cast<double>(accepted) / PointCount;
    step *= rate > 0.33 ? 1.05 : 0.95;
    step = std::min(step, 0.1);
  }
}

double PackingFraction(double diameter) {
  const double pi = std::acos(-1.0);
  return PointCount * pi / 6 * diameter * diameter * diameter / (CellSide * CellSide * CellSide);
}

double DiameterOfFraction(double fraction) {
  const double pi = std::acos(-1.0);
  return std::cbrt(fraction * CellSide * CellSide * CellSide * 6 / (pi * PointCount));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: generate_spherepack OUTPUT_FILE [SEED]\n");
    return 2;
  }
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : DefaultSeed;
  const auto start = std::chrono::steady_clock::now();
  Random random(seed);
  std::vector<Vec> points(PointCount);
  for (Vec& p : points)
    p = {random.Uniform() * CellSide, random.Uniform() * CellSide, random.Uniform() * CellSide};

  CellList cells;
  const double finalFraction = PackingFraction(Diameter);
  for (double fraction = StartFraction;; fraction += FractionStep) {
    const bool last = fraction >= finalFraction;
    const double sigma = last ? Diameter : DiameterOfFraction(fraction);
    const double energy = Minimise(points, cells, sigma);
    std::fprintf(stderr, "fraction %.4f energy per sphere %.3e\n", PackingFraction(sigma),
                 energy / PointCount);
    if (last) break;
  }
  std::fprintf(stderr, "after compression: smallest distance %.5f\n", SmallestDistance(points, cells));
  Polish(points, cells, random);
  const double smallest = SmallestDistance(points, cells);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fprintf(stderr, "after polish: smallest distance %.5f, packing fraction %.4f, %.1f s\n", smallest,
               finalFraction, seconds);

  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 2;
  }
  for (const Vec& p : points) {
    // Rounding to four decimals may reach the side itself; fold it back to 0.
    std::array<double, 3> c{p.x, p.y, p.z};
    for (double& v : c) {
      v = std::round(v * 1e4) / 1e4;
      if (v >= CellSide) v -= CellSide;
    }
    std::fprintf(out, "%9.4f%9.4f%9.4f\n", c[0], c[1], c[2]);
  }
  if (std::fclose(out) != 0) return 2;
  if (smallest < AcceptedDistance) {
    std::fprintf(stderr, "smallest distance %.5f below %.2f\n", smallest, AcceptedDistance);
    return 1;
  }
  return 0;
}
