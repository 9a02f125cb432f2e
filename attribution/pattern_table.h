// The pattern tables: for each ten-character contact pattern seen in training, 243 counts of the states
// of the five residues around the pattern's residue. Only the entries actually present are stored.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mirelda::attribution {

inline constexpr int PatternLength = 10;     // residues i-6 .. i-2 and i+2 .. i+6
inline constexpr int PatternBase = 3;        // pattern characters '0', '1', '2'
inline constexpr int KeyValueCount = 59049;  // 3^10 patterns of the digits '0', '1', '2'
inline constexpr int WindowLength = 5;       // residues i-2 .. i+2
inline constexpr int StateCount = 3;         // 'a', 'b', 'c'
inline constexpr int CountsPerEntry = 243;   // 3^5 state combinations of the window

// The number of a state letter in a count index: 0 for 'a', 1 for 'b', 2 for 'c'; nullopt otherwise.
std::optional<int> StateNumber(char state);
inline constexpr char StateLetter(int number) { return static_cast<char>('a' + number); }

// Count index of the window states s(i-2) .. s(i+2) given as state numbers:
// 81 s(i-2) + 27 s(i-1) + 9 s(i) + 3 s(i+1) + s(i+2).
int CountIndex(const std::array<int, WindowLength>& states);
// The state number at window position k (0 for residue i-2 .. 4 for i+2) of a count index.
int StateAtWindowPosition(int countIndex, int k);

// The key value of a pattern: its ten characters read as a base-3 number, first character most
// significant; nullopt unless the text is exactly ten characters, each '0', '1' or '2'.
std::optional<int> KeyValue(std::string_view keyText);

struct PatternEntry {
  std::string keyText;  // ten characters
  std::array<std::int32_t, CountsPerEntry> counts{};

  std::int64_t Total() const;  // T, the sum of the counts, without overflow
};

class PatternTable {
 public:
  // Stores an entry under a key value, replacing what was there. The value normally is
  // KeyValue(entry.keyText); a lookup uses the entry only when its key text equals the pattern.
  void Store(int keyValue, PatternEntry entry);

  // The entry for a pattern: found at the pattern's key value and with key text equal to the pattern.
  // A pattern that is not ten digits '0'-'2' finds nothing.
  const PatternEntry* Find(std::string_view pattern) const;
  const PatternEntry* AtValue(int keyValue) const;

  std::size_t Size() const { return entries_.size(); }
  std::vector<int> KeyValues() const;  // ascending, for writing a table in key order

 private:
  std::unordered_map<int, PatternEntry> entries_;
};

}  // namespace mirelda::attribution
