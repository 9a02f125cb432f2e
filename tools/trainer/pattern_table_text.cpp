#include "tools/trainer/pattern_table_text.h"

#include "attribution/pattern_table_file.h"

using namespace mirelda::attribution;

namespace mirelda::trainer {

std::optional<std::string> PatternTableText(const PatternTable& table) {
  std::string text;
  for (int value : table.KeyValues()) {
    const std::optional<std::string> line = FormatPatternEntryLine(*table.AtValue(value));
    if (!line) return std::nullopt;
    text.append(*line).push_back('\n');
  }
  return text;
}

}  // namespace mirelda::trainer
