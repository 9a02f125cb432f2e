// The C and F line readers of the exchange library, as brindel writes them and the trainer reads them.
#include "brindel/exchange/cell_lines.h"
#include "brindel/exchange/text_lines.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda::exchange;

MIRELDA_FUZZ_TARGET(cell_lines) {
  for (std::string_view line : SplitLines(input)) {
    ParseCellLine(line);
    ParseFaceLine(line);
  }
}
