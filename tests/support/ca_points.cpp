#include "tests/support/ca_points.h"

#include <fstream>
#include <string_view>

#include "brindel/exchange/decimal_reading.h"
#include "brindel/exchange/residue_codes.h"

using namespace mirelda::exchange;

namespace mirelda::testing {
namespace {

std::string_view Field(std::string_view line, std::size_t start, std::size_t length) {
  return start < line.size() ? line.substr(start, length) : std::string_view();
}

}  // namespace

std::vector<PointRecord> ReadCaPoints(const std::filesystem::path& proteinFile) {
  std::vector<PointRecord> points;
  std::ifstream in(proteinFile, std::ios::binary);
  std::string line;
  std::string lastResidue;  // chain, number and insertion code of the last residue kept
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string_view text(line);
    if (text.starts_with("ENDMDL")) break;
    if (!text.starts_with("ATOM") || Field(text, 12, 4) != " CA ") continue;
    const char altLoc = text.size() > 16 ? text[16] : ' ';
    if (altLoc != ' ' && altLoc != 'A') continue;
    const std::string residue(Field(text, 21, 6));
    if (!points.empty() && residue == lastResidue) continue;
    lastResidue = residue;
    PointRecord point;
    point.name = std::string(Field(text, 17, 3));
    point.chain = text.size() > 21 ? text[21] : ' ';
    point.letter = LetterOf(point.name);
    point.residueNumber = static_cast<std::int32_t>(IntegerAt(Field(text, 22, 4), 0));
    point.x = DoubleAt(Field(text, 30, 8), 0);
    point.y = DoubleAt(Field(text, 38, 8), 0);
    point.z = DoubleAt(Field(text, 46, 8), 0);
    points.push_back(point);
  }
  return points;
}

}  // namespace mirelda::testing
