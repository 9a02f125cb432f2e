#include "orvane/environment_input.h"

#include <cmath>
#include <new>
#include <string>

#include "brindel/exchange/buffered_lines.h"
#include "brindel/exchange/decimal_reading.h"

using namespace mirelda::exchange;

namespace mirelda::environment {

bool ApplyParameterLine(std::string_view line, EnvironmentParameters& parameters) {
  const ParameterLine parameter = ParseParameterLine(line);
  if (!parameter.found) return false;
  if (parameter.key == RsphereKey)
    parameters.rsphere = parameter.value;
  else if (parameter.key == CSuperKey)
    parameters.cSuper = parameter.value;
  else
    parameters.cSuppr = parameter.value;
  return true;
}

EnvironmentInput ReadEnvironmentInput(std::istream& in,
                                      const std::function<void(const PointRecord&)>& onPoint) {
  EnvironmentInput input;
  try {
    ForEachBufferedLine(in, PointLineBuffer, [&](std::string_view line) {
      if (ApplyParameterLine(line, input.parameters)) return;
      if (AddPointLine(line, input.protein) && onPoint) onPoint(input.protein.back());
    });
  } catch (const std::bad_alloc&) {
    input.outOfMemory = true;
  }
  return input;
}

TemplateCell ReadTemplateCell(std::istream& in) { return ReadCheckedTemplateCell(in).cell; }

TemplateReading ReadCheckedTemplateCell(std::istream& in) {
  TemplateReading reading;
  TemplateCell& cell = reading.cell;
  ForEachBufferedLine(in, TemplateLineBuffer, [&](std::string_view line) {
    if (cell.pointsRead >= TemplateBlockSize) return;
    TemplatePoint& p = cell.points[static_cast<std::size_t>(cell.pointsRead++)];
    double* const coordinates[] = {&p.x, &p.y, &p.z};
    bool whole = true;
    for (std::size_t k = 0; k < 3; ++k) {
      const std::size_t offset = k * TemplateColumnWidth;
      const LeadingNumber<double> number =
          offset < line.size() ? ReadLeadingDouble(line.substr(offset)) : LeadingNumber<double>{};
      *coordinates[k] = number.value;
      whole = whole && number.found && std::isfinite(number.value);
    }
    if (!whole && reading.badLine == 0) reading.badLine = cell.pointsRead;
  });
  reading.cutShort = cell.pointsRead < TemplateBlockSize;
  return reading;
}

std::string TemplateReading::Problem() const {
  if (badLine != 0)
    return "line " + std::to_string(badLine) + ": expected three numbers in columns 1, 10 and 19";
  if (cutShort)
    return std::to_string(cell.pointsRead) + " lines, expected " + std::to_string(TemplateBlockSize);
  return {};
}

}  // namespace mirelda::environment
