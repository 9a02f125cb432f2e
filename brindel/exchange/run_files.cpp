#include "brindel/exchange/run_files.h"

#include <cstdio>

namespace mirelda::exchange {

bool CreateMarker(const char* name) {
  std::FILE* marker = std::fopen(name, "w");
  if (marker == nullptr) return false;
  return std::fclose(marker) == 0;
}

std::string ResultPath(std::string_view proteinName, std::string_view fileName) {
  std::string path(proteinName);
  path += '/';
  path += fileName;
  return path;
}

}  // namespace mirelda::exchange
