// The template data file spherepack_1.txt as the application folder holds it: its fixed columns, and the
// physics of a periodic random close packing (no overlaps, no crystal order).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "orvane/environment_input.h"
#include "orvane/environment_shell.h"
#include "tests/support/test_paths.h"
#include "tests/support/text_lines.h"

using namespace mirelda::environment;

namespace mirelda {
namespace {

constexpr double SmallestAllowedDistance = 0.99;  // spheres of diameter 1 may overlap by 1 % at most
constexpr double NeighbourCutoff = 1.2;           // between the first and second shells of a dense packing
constexpr double DisorderedQ6Limit = 0.2;         // a random packing gives a few hundredths, fcc 0.575

using Point = std::array<double, 3>;

std::vector<std::string> Lines(const std::string& text) { return testing::TextLines(text); }

Point Separation(const Point& a, const Point& b, double side) {
  Point d;
  for (int c = 0; c < 3; ++c) {
    d[c] = a[c] - b[c];
    d[c] -= side * std::nearbyint(d[c] / side);
  }
  return d;
}

double Length(const Point& d) { return std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]); }

// Global bond-orientational order Q6 over all bonds shorter than the cutoff in a periodic cube.
double GlobalQ6(const std::vector<Point>& points, double side) {
  constexpr unsigned l = 6;
  std::array<std::complex<double>, l + 1> sum{};  // m = 0 .. 6; negative m mirror them
  long bonds = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    for (std::size_t j = i + 1; j < points.size(); ++j) {
      const Point d = Separation(points[i], points[j], side);
      const double r = Length(d);
      if (r >= NeighbourCutoff || r == 0) continue;
      ++bonds;
      const double theta = std::acos(std::clamp(d[2] / r, -1.0, 1.0));
      const double phi = std::atan2(d[1], d[0]);
      for (unsigned m = 0; m <= l; ++m) sum[m] += std::sph_legendre(l, m, theta) * std::polar(1.0, m * phi);
    }
  }
  if (bonds == 0) return 0;
  double total = std::norm(sum[0]);
  for (unsigned m = 1; m <= l; ++m) total += 2 * std::norm(sum[m]);
  const double pi = std::acos(-1.0);
  return std::sqrt(4 * pi / (2 * l + 1) * total) / static_cast<double>(bonds);
}

class SpherePackFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto path = testing::RequireInput(testing::AppDir() / "spherepack_1.txt", "the build copies it");
    if (!path) return;
    text_ = testing::ReadFileText(*path);
    std::istringstream in(text_);
    const TemplateCell cell = ReadTemplateCell(in);
    for (int t = 0; t < cell.pointsRead; ++t) {
      const TemplatePoint& p = cell.points[static_cast<std::size_t>(t)];
      points_.push_back({p.x, p.y, p.z});
    }
  }
  std::string text_;
  std::vector<Point> points_;
};

TEST_F(SpherePackFile, HoldsOnePointPerLineInNineCharacterColumns) {
  const std::vector<std::string> lines = Lines(text_);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(TemplateBlockSize));
  ASSERT_EQ(points_.size(), lines.size());
  for (std::size_t t = 0; t < lines.size(); ++t) {
    ASSERT_EQ(lines[t].size(), 3 * TemplateColumnWidth) << "line " << t + 1;
    // The columns the program reads must give the numbers a free-format reader sees.
    std::istringstream fields(lines[t]);
    Point free{};
    fields >> free[0] >> free[1] >> free[2];
    ASSERT_FALSE(fields.fail()) << "line " << t + 1;
    for (int c = 0; c < 3; ++c) ASSERT_EQ(free[c], points_[t][c]) << "line " << t + 1;
  }
}

TEST_F(SpherePackFile, EveryPointLiesInsideThePeriodicCube) {
  for (std::size_t t = 0; t < points_.size(); ++t)
    for (double c : points_[t]) {
      EXPECT_GE(c, 0.0) << "line " << t + 1;
      EXPECT_LT(c, TemplateCellSide) << "line " << t + 1;
    }
}

TEST_F(SpherePackFile, SpheresOfDiameterOneBarelyOverlap) {
  double smallest = TemplateCellSide;
  for (std::size_t i = 0; i < points_.size(); ++i)
    for (std::size_t j = i + 1; j < points_.size(); ++j)
      smallest = std::min(smallest, Length(Separation(points_[i], points_[j], TemplateCellSide)));
  std::cout << "smallest periodic distance " << smallest << "\n";
  EXPECT_GE(smallest, SmallestAllowedDistance);
}

TEST_F(SpherePackFile, HasNoCrystalOrder) {
  const double q6 = GlobalQ6(points_, TemplateCellSide);
  std::cout << "global Q6 " << q6 << "\n";
  EXPECT_LT(q6, DisorderedQ6Limit);
}

TEST(BondOrder, FaceCentredCubicLatticeIsRecognisedAsCrystal) {
  // The order measure itself must see a crystal: fcc with nearest neighbours at distance 1.
  const int cells = 4;
  const double a = std::sqrt(2.0), side = cells * a;
  std::vector<Point> fcc;
  const Point basis[] = {{0, 0, 0}, {0.5, 0.5, 0}, {0.5, 0, 0.5}, {0, 0.5, 0.5}};
  for (int i = 0; i < cells; ++i)
    for (int j = 0; j < cells; ++j)
      for (int k = 0; k < cells; ++k)
        for (const Point& b : basis) fcc.push_back({(i + b[0]) * a, (j + b[1]) * a, (k + b[2]) * a});
  EXPECT_NEAR(GlobalQ6(fcc, side), 0.575, 0.01);
}

}  // namespace
}  // namespace mirelda
