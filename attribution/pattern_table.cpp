#include "attribution/pattern_table.h"

#include <algorithm>
#include <utility>

namespace mirelda::attribution {

std::optional<int> StateNumber(char state) {
  if (state >= 'a' && state < 'a' + StateCount) return state - 'a';
  return std::nullopt;
}

int CountIndex(const std::array<int, WindowLength>& states) {
  int index = 0;
  for (int s : states) index = index * StateCount + s;
  return index;
}

int StateAtWindowPosition(int countIndex, int k) {
  for (int shift = k; shift < WindowLength - 1; ++shift) countIndex /= StateCount;
  return countIndex % StateCount;
}

std::optional<int> KeyValue(std::string_view keyText) {
  if (keyText.size() != PatternLength) return std::nullopt;
  int value = 0;
  for (char c : keyText) {
    if (c < '0' || c >= '0' + PatternBase) return std::nullopt;
    value = value * PatternBase + (c - '0');
  }
  return value;
}

std::int64_t PatternEntry::Total() const {
  std::int64_t total = 0;
  for (std::int32_t count : counts) total += count;
  return total;
}

void PatternTable::Store(int keyValue, PatternEntry entry) { entries_[keyValue] = std::move(entry); }

const PatternEntry* PatternTable::AtValue(int keyValue) const {
  const auto found = entries_.find(keyValue);
  return found == entries_.end() ? nullptr : &found->second;
}

const PatternEntry* PatternTable::Find(std::string_view pattern) const {
  const std::optional<int> value = KeyValue(pattern);
  if (!value) return nullptr;
  const PatternEntry* entry = AtValue(*value);
  return entry != nullptr && entry->keyText == pattern ? entry : nullptr;
}

std::vector<int> PatternTable::KeyValues() const {
  std::vector<int> values;
  values.reserve(entries_.size());
  for (const auto& [value, entry] : entries_) values.push_back(value);
  std::sort(values.begin(), values.end());
  return values;
}

}  // namespace mirelda::attribution
