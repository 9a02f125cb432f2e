// Both option files: option_bis.txt (brindel) and option.txt (relaxation) share one line format.
#include <sstream>
#include <string>

#include "brindel/exchange/option_files.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda::exchange;

MIRELDA_FUZZ_TARGET(option_files) {
  std::istringstream tessellationIn{std::string(input)};
  const TessellationOptions tessellation = ReadTessellationOptions(tessellationIn);
  mirelda::fuzz::Require(!tessellation.proteinName.empty(), "a protein name is always set");
  std::istringstream relaxationIn{std::string(input)};
  const RelaxationOptions relaxation = ReadRelaxationOptions(relaxationIn);
  mirelda::fuzz::Require(!relaxation.proteinName.empty(), "a protein name is always set");
  mirelda::fuzz::Require(relaxation.relaxationCount <= MaxRelaxationCount, "the relaxation count is capped");
}
