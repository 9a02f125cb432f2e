#include "attribution/contact_matrix.h"

#include <utility>

namespace mirelda::attribution {

ContactMatrix::ContactMatrix(std::vector<std::string> rows) : rows_(std::move(rows)) {
  for (std::string& row : rows_) {
    if (row.size() > rows_.size()) row.resize(rows_.size());
  }
}

char ContactMatrix::Cell(int r, int t) const {
  if (!Contains(r) || !Contains(t)) return MissingCell;
  const std::string& row = rows_[static_cast<std::size_t>(r - 1)];
  const auto column = static_cast<std::size_t>(t - 1);
  return column < row.size() ? row[column] : MissingCell;
}

}  // namespace mirelda::attribution
