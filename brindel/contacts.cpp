#include "brindel/contacts.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "brindel/contact_area_table.h"
#include "brindel/tessellation_limits.h"

using namespace mirelda::exchange;

namespace mirelda::tessellation {

double ContactReferenceArea(int separation, char centreLetter, char neighbourLetter) {
  if (separation < FirstContactSeparation || separation > LastContactSeparation) return 0;
  const std::size_t row = ContactLetters.find(centreLetter);
  const std::size_t column = ContactLetters.find(neighbourLetter);
  if (row == std::string_view::npos || column == std::string_view::npos) return 0;
  return ContactAreaTable[separation - FirstContactSeparation][row][column];
}

char ContactCharacter(const PointRecord& centre, const PointRecord& neighbour, double faceArea) {
  const std::int64_t separation =
      std::llabs(static_cast<std::int64_t>(centre.residueNumber) - neighbour.residueNumber);
  if (separation < FirstContactSeparation || separation > LastContactSeparation) return '1';
  if (centre.chain != neighbour.chain) return '1';
  const double reference =
      ContactReferenceArea(static_cast<int>(separation), centre.letter, neighbour.letter);
  return faceArea > reference + ContactAreaMargin ? '2' : '1';
}

std::vector<int> AminoAcidRanks(const std::vector<PointRecord>& points) {
  std::vector<int> ranks;
  ranks.reserve(points.size());
  int next = 0;
  for (const PointRecord& point : points) ranks.push_back(point.IsEnvironment() ? -1 : next++);
  return ranks;
}

}  // namespace mirelda::tessellation
