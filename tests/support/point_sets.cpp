#include "tests/support/point_sets.h"

#include <fstream>
#include <random>

#include "brindel/exchange/residue_codes.h"

using namespace mirelda::exchange;

namespace mirelda::testing {

PointRecord MakePoint(double x, double y, double z, const std::string& name, char chain, int residueNumber) {
  PointRecord point;
  point.name = name;
  point.letter = LetterOf(name);
  point.chain = chain;
  point.residueNumber = residueNumber;
  point.x = x;
  point.y = y;
  point.z = z;
  return point;
}

std::vector<PointRecord> JitteredGrid(int n, double spacing, double jitter, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> shift(-jitter, jitter);
  std::vector<PointRecord> points;
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      for (int k = 0; k < n; ++k) {
        const double x = i * spacing + shift(random);
        const double y = j * spacing + shift(random);
        const double z = k * spacing + shift(random);
        points.push_back(MakePoint(x, y, z, "ALA", 'A', static_cast<int>(points.size()) + 1));
      }
    }
  }
  return points;
}

std::vector<PointRecord> ReadPointFileAt(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return ReadPointFile(in).points;
}

bool OnOuterLayer(int index, int n) {
  const int i = index / (n * n), j = (index / n) % n, k = index % n;
  const auto outer = [n](int c) { return c == 0 || c == n - 1; };
  return outer(i) || outer(j) || outer(k);
}

std::string PointFileText(const std::vector<PointRecord>& points,
                          const std::vector<std::string>& leadingLines) {
  std::string text;
  for (const std::string& line : leadingLines) text += line + "\n";
  for (std::size_t k = 0; k < points.size(); ++k) text += FormatPointLine(static_cast<int>(k) + 1, points[k]);
  return text;
}

}  // namespace mirelda::testing
