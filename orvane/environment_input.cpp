#include "orvane/environment_input.h"

#include <new>

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

TemplateCell ReadTemplateCell(std::istream& in) {
  TemplateCell cell;
  ForEachBufferedLine(in, TemplateLineBuffer, [&](std::string_view line) {
    if (cell.pointsRead >= TemplateBlockSize) return;
    TemplatePoint& p = cell.points[static_cast<std::size_t>(cell.pointsRead++)];
    p.x = DoubleAt(line, 0);
    p.y = DoubleAt(line, TemplateColumnWidth);
    p.z = DoubleAt(line, 2 * TemplateColumnWidth);
  });
  return cell;
}

}  // namespace mirelda::environment
