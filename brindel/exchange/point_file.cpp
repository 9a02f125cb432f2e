#include "brindel/exchange/point_file.h"

#include <cstdio>
#include <new>

#include "brindel/exchange/buffered_lines.h"
#include "brindel/exchange/decimal_reading.h"
#include "brindel/exchange/fixed_format.h"
#include "brindel/exchange/residue_codes.h"

namespace mirelda::exchange {

bool PointRecord::IsEnvironment() const { return chain == EnvironmentChain; }

bool IsPointLine(std::string_view line) {
  return line.size() > 13 && line.substr(0, 4) == "ATOM" && line[13] == 'C';
}

PointRecord ParsePointLine(std::string_view line) {
  PointRecord point;
  point.name = std::string(line.size() > 17 ? line.substr(17, 3) : std::string_view());
  point.chain = line.size() > 21 ? line[21] : ' ';
  point.letter = LetterOf(point.name);
  point.residueNumber = static_cast<std::int32_t>(IntegerAt(line, 22));
  std::size_t at = 30;
  double* coordinates[] = {&point.x, &point.y, &point.z};
  for (double* coordinate : coordinates) {
    if (at >= line.size()) break;
    const LeadingNumber<double> number = ReadLeadingDouble(line.substr(at));
    *coordinate = number.value;
    if (!number.found) break;
    at += number.end;
  }
  return point;
}

bool AddPointLine(std::string_view line, std::vector<PointRecord>& points) {
  if (!IsPointLine(line)) return false;
  const std::int32_t residueNumber = static_cast<std::int32_t>(IntegerAt(line, 22));
  if (!points.empty() && points.back().residueNumber == residueNumber) return false;
  points.push_back(ParsePointLine(line));
  return true;
}

PointFile ReadPointFile(std::istream& in) {
  PointFile file;
  try {
    ForEachBufferedLine(in, PointLineBuffer, [&](std::string_view line) { AddPointLine(line, file.points); });
  } catch (const std::bad_alloc&) {
    file.outOfMemory = true;
  }
  for (const PointRecord& point : file.points) {
    if (!point.IsEnvironment()) ++file.aminoAcidCount;
  }
  return file;
}

std::string FormatPointLine(int serial, std::string_view name, char chain, int residueNumber, double x,
                            double y, double z) {
  const std::string shortName(name.substr(0, 3));
  char head[64];
  std::snprintf(head, sizeof head, "ATOM   %4d  C   %3s %c%4d     ", serial % 10000, shortName.c_str(), chain,
                residueNumber);
  return head + Fixed(x, 7, 3) + ' ' + Fixed(y, 7, 3) + ' ' + Fixed(z, 7, 3) + '\n';
}

std::string FormatPointLine(int serial, const PointRecord& point) {
  return FormatPointLine(serial, point.name, point.chain, point.residueNumber, point.x, point.y, point.z);
}

}  // namespace mirelda::exchange
