// orvane's inputs: file_00 (points and parameter lines) and the template cell spherepack_1.txt.
#include <sstream>
#include <string>

#include "orvane/environment_input.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda::environment;

MIRELDA_FUZZ_TARGET(environment_input) {
  std::istringstream proteinIn{std::string(input)};
  ReadEnvironmentInput(proteinIn);
  std::istringstream templateIn{std::string(input)};
  const TemplateCell cell = ReadTemplateCell(templateIn);
  mirelda::fuzz::Require(cell.pointsRead >= 0 && cell.pointsRead <= TemplateBlockSize, "template size");
}
