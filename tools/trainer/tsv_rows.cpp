#include "tools/trainer/tsv_rows.h"

#include <sstream>

namespace mirelda::trainer {

std::vector<std::string> SplitFields(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::istringstream in(text);
  for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
  return fields;
}

}  // namespace mirelda::trainer
