// The text form of a pattern table, one entry a line: the ten-character key, one separator character,
// then 243 counts in six-character fields. The reader and the writer of the tables share it here.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>

#include "attribution/pattern_table.h"

namespace mirelda::attribution {

inline constexpr std::size_t PatternLineBuffer = 1600;  // holds a full line (1469 characters) and its end
inline constexpr std::size_t CountFieldStart = 11;      // after the key and its separator
inline constexpr std::size_t CountFieldWidth = 6;
inline constexpr std::size_t PatternLineLength = CountFieldStart + CountsPerEntry * CountFieldWidth;  // 1469
inline constexpr char PatternKeySeparator = ' ';
// The counts a writer may put in a field. Each field is read up to the first non-digit, so a field must
// start with a blank or its number would run on into the previous one: five characters at most.
inline constexpr std::int32_t MaxFieldCount = 99999;
inline constexpr std::int32_t MinFieldCount = -9999;

// Reads a table: each line (read through a 1600-character buffer) whose first ten characters are a valid
// key stores its entry at the key's value, a later line replacing an earlier one; other lines are
// skipped. Count m is the decimal integer read from character 11 + 6 m (leading blanks skipped, reading
// stops at the first non-digit, 0 when there is none), held to the 32-bit range.
PatternTable ReadPatternTable(std::istream& in);

// A table read with ReadPatternTable and what makes it unusable: no entry at all, or an entry line that is
// not whole (PatternLineLength characters and its line end), the mark of a file cut short.
struct PatternTableReading {
  PatternTable table;
  std::size_t entries = 0;    // entry lines read
  long long badLine = 0;      // the first entry line (from 1) that is not whole; 0 when none
  std::size_t badLength = 0;  // its length, line end excluded
  bool badLineEnd = false;    // it ends without a line end
  bool Usable() const { return entries > 0 && badLine == 0; }
  // "line 12: 700 characters, expected 1469", "line 12: no line end" or "no entry"; "" when usable.
  std::string Problem() const;
};
PatternTableReading ReadCheckedPatternTable(std::istream& in);

// The line of an entry, without its line end: key text, separator, and the 243 counts right-aligned in
// six characters each (1469 characters). nullopt when the key is not a valid key or a count does not fit
// its field (MinFieldCount .. MaxFieldCount).
std::optional<std::string> FormatPatternEntryLine(const PatternEntry& entry);

}  // namespace mirelda::attribution
