#include "attribution/contact_file.h"

#include <string>
#include <utility>
#include <vector>

namespace mirelda::attribution {

ContactMatrix ReadContactMatrix(std::istream& in) {
  std::vector<std::string> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rows.push_back(std::move(line));
  }
  return ContactMatrix(std::move(rows));
}

}  // namespace mirelda::attribution
