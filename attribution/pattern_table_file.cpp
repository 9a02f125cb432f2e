#include "attribution/pattern_table_file.h"

#include <charconv>
#include <limits>
#include <string_view>

#include "brindel/exchange/buffered_lines.h"
#include "brindel/exchange/decimal_reading.h"

using namespace mirelda::exchange;

namespace mirelda::attribution {
namespace {

std::int32_t ClampToInt32(std::int64_t value) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value < kMin ? kMin : value > kMax ? kMax : value);
}

}  // namespace

PatternTable ReadPatternTable(std::istream& in) {
  PatternTable table;
  ForEachBufferedLine(in, PatternLineBuffer, [&](std::string_view line) {
    const std::string_view key = line.substr(0, PatternLength);
    const std::optional<int> value = KeyValue(key);
    if (!value) return;
    PatternEntry entry;
    entry.keyText = std::string(key);
    for (std::size_t m = 0; m < entry.counts.size(); ++m) {
      entry.counts[m] = ClampToInt32(IntegerAt(line, CountFieldStart + CountFieldWidth * m));
    }
    table.Store(*value, std::move(entry));
  });
  return table;
}

std::optional<std::string> FormatPatternEntryLine(const PatternEntry& entry) {
  if (!KeyValue(entry.keyText)) return std::nullopt;
  std::string line = entry.keyText;
  line.reserve(PatternLineLength);
  line.push_back(PatternKeySeparator);
  for (std::int32_t count : entry.counts) {
    if (count < MinFieldCount || count > MaxFieldCount) return std::nullopt;
    char digits[CountFieldWidth];
    const char* end = std::to_chars(digits, digits + CountFieldWidth, count).ptr;
    const auto width = static_cast<std::size_t>(end - digits);
    line.append(CountFieldWidth - width, ' ');
    line.append(digits, width);
  }
  return line;
}

}  // namespace mirelda::attribution
