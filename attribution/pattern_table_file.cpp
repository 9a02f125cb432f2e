#include "attribution/pattern_table_file.h"

#include <charconv>
#include <limits>
#include <string>
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

PatternTable ReadPatternTable(std::istream& in) { return ReadCheckedPatternTable(in).table; }

PatternTableReading ReadCheckedPatternTable(std::istream& in) {
  PatternTableReading reading;
  long long lineNumber = 0;
  bool lineStart = true;  // the piece starts a line (a line longer than the buffer comes in pieces)
  ForEachBufferedLine(in, PatternLineBuffer, [&](std::string_view line) {
    const bool startsLine = lineStart;
    lineNumber += startsLine ? 1 : 0;
    lineStart = EndsLine(line);
    if (!startsLine) return;
    const std::string_view key = line.substr(0, PatternLength);
    const std::optional<int> value = KeyValue(key);
    if (!value) return;
    ++reading.entries;
    std::string_view content = line;
    if (content.ends_with('\n')) content.remove_suffix(1);
    if (content.ends_with('\r')) content.remove_suffix(1);
    if (reading.badLine == 0 && (content.size() != PatternLineLength || !lineStart)) {
      reading.badLine = lineNumber;
      reading.badLength = content.size();
      reading.badLineEnd = !lineStart;
    }
    PatternEntry entry;
    entry.keyText = std::string(key);
    for (std::size_t m = 0; m < entry.counts.size(); ++m) {
      entry.counts[m] = ClampToInt32(IntegerAt(line, CountFieldStart + CountFieldWidth * m));
    }
    reading.table.Store(*value, std::move(entry));
  });
  return reading;
}

std::string PatternTableReading::Problem() const {
  if (badLine != 0 && badLength != PatternLineLength)
    return "line " + std::to_string(badLine) + ": " + std::to_string(badLength) + " characters, expected " +
           std::to_string(PatternLineLength);
  if (badLine != 0) return "line " + std::to_string(badLine) + ": no line end";
  if (entries == 0) return "no entry";
  return {};
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
