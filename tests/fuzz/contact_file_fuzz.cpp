// The contact file: the exchange reader, attribution's contact matrix and the front-end's drawing of it.
#include <sstream>
#include <string>

#include "attribution/contact_file.h"
#include "brindel/exchange/contact_file.h"
#include "mirelda/results/contact_matrix.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda;

MIRELDA_FUZZ_TARGET(contact_file) {
  std::istringstream rowsIn{std::string(input)};
  const std::vector<std::string> rows = exchange::ReadContactRows(rowsIn);
  mirelda::fuzz::Require(exchange::ContactRows(input).size() == rows.size(), "both readers agree on rows");
  std::istringstream matrixIn{std::string(input)};
  const attribution::ContactMatrix matrix = attribution::ReadContactMatrix(matrixIn);
  for (int i = 0; i <= matrix.Size() + 1 && i < 64; ++i)
    for (int j = 0; j <= matrix.Size() + 1 && j < 64; ++j) matrix.Contact(i, j);
  const results::ContactDrawing drawing = results::DrawContactMatrix(input);
  int row = 0, col = 0;
  for (int p = 0; p < results::kContactAreaPixels; p += 7) drawing.PairAt(p, p, row, col);
}
