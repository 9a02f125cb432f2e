#include "tests/support/ca_points.h"

#include <algorithm>
#include <cmath>
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

std::vector<PointRecord> ReadResiduePoints(const std::filesystem::path& proteinFile, ResiduePoint kind) {
  if (kind == ResiduePoint::Ca) return ReadCaPoints(proteinFile);
  struct Residue {
    std::string key;  // chain, number and insertion code
    PointRecord point;
    bool hasCa = false, hasCb = false;
    double ca[3] = {0, 0, 0}, cb[3] = {0, 0, 0}, sum[3] = {0, 0, 0};
    int atoms = 0;
  };
  std::vector<Residue> residues;
  std::ifstream in(proteinFile, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string_view text(line);
    if (text.starts_with("ENDMDL")) break;
    if (!text.starts_with("ATOM") || text.size() < 54) continue;
    const char altLoc = text[16];
    if (altLoc != ' ' && altLoc != 'A') continue;
    const std::string key(Field(text, 21, 6));
    if (residues.empty() || residues.back().key != key) {
      Residue residue;
      residue.key = key;
      residue.point.name = std::string(Field(text, 17, 3));
      residue.point.chain = text[21];
      residue.point.letter = LetterOf(residue.point.name);
      residue.point.residueNumber = static_cast<std::int32_t>(IntegerAt(Field(text, 22, 4), 0));
      residues.push_back(residue);
    }
    Residue& residue = residues.back();
    const double c[3] = {DoubleAt(Field(text, 30, 8), 0), DoubleAt(Field(text, 38, 8), 0),
                         DoubleAt(Field(text, 46, 8), 0)};
    const std::string_view atom = Field(text, 12, 4);
    for (int k = 0; k < 3; ++k) residue.sum[k] += c[k];
    ++residue.atoms;
    if (atom == " CA ") std::copy(c, c + 3, residue.ca), residue.hasCa = true;
    if (atom == " CB ") std::copy(c, c + 3, residue.cb), residue.hasCb = true;
  }
  std::vector<PointRecord> points;
  for (Residue& residue : residues) {
    double c[3];
    if (kind == ResiduePoint::Cb) {
      if (!residue.hasCb && !residue.hasCa) continue;
      std::copy(residue.hasCb ? residue.cb : residue.ca, (residue.hasCb ? residue.cb : residue.ca) + 3, c);
    } else {
      for (int k = 0; k < 3; ++k) c[k] = residue.sum[k] / residue.atoms;
    }
    // Through the point file's three decimals, as the programs read them.
    for (double& value : c) value = std::round(value * 1000) / 1000;
    residue.point.x = c[0];
    residue.point.y = c[1];
    residue.point.z = c[2];
    points.push_back(residue.point);
  }
  return points;
}

}  // namespace mirelda::testing
