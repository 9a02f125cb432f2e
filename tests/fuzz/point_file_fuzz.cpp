// The point-file reader (file_00, file_01, file_02) and the parameter lines of file_00.
#include <sstream>
#include <string>

#include "brindel/exchange/point_file.h"
#include "brindel/exchange/text_lines.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda::exchange;

MIRELDA_FUZZ_TARGET(point_file) {
  std::istringstream in{std::string(input)};
  const PointFile file = ReadPointFile(in);
  int aminoAcids = 0;
  for (const PointRecord& p : file.points) aminoAcids += p.IsEnvironment() ? 0 : 1;
  mirelda::fuzz::Require(aminoAcids == file.aminoAcidCount, "amino-acid count matches the points");
  for (std::string_view line : SplitLines(input)) {
    const ParameterLine parameter = ParseParameterLine(line);
    mirelda::fuzz::Require(!parameter.found || parameter.key.size() == ParameterKeyLength, "parameter key");
    if (IsPointLine(line)) ParsePointLine(line);
  }
}
