// The pattern tables Tab_cen_2 and Tab_ext_2 of attribution.
#include <sstream>
#include <string>

#include "attribution/pattern_table_file.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda::attribution;

MIRELDA_FUZZ_TARGET(pattern_table) {
  std::istringstream in{std::string(input)};
  ReadPatternTable(in);
}
