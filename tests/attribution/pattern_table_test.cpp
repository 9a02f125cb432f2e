// The pattern tables and their text form: key values, line reading, the writer's line read back.
#include "attribution/pattern_table.h"

#include <gtest/gtest.h>

#include <sstream>

#include "attribution/pattern_table_file.h"

using namespace mirelda::attribution;

namespace mirelda {
namespace {

PatternTable Read(const std::string& text) {
  std::istringstream in(text);
  return ReadPatternTable(in);
}

PatternEntry Entry(const std::string& key) {
  PatternEntry entry;
  entry.keyText = key;
  return entry;
}

TEST(PatternKeys, KeyIsBaseThreeWithTheFirstCharacterMostSignificant) {
  EXPECT_EQ(KeyValue("0000000000"), 0);
  EXPECT_EQ(KeyValue("0000000012"), 5);
  EXPECT_EQ(KeyValue("1000000000"), 19683);
  EXPECT_EQ(KeyValue("2222222222"), KeyValueCount - 1);
  EXPECT_FALSE(KeyValue("0000000003"));  // '3' is no pattern character
  EXPECT_FALSE(KeyValue("000000000"));
  EXPECT_FALSE(KeyValue("00000000000"));
}

TEST(PatternKeys, CountIndexPutsResidueIMinusTwoFirst) {
  EXPECT_EQ(CountIndex({1, 0, 0, 0, 0}), 81);
  EXPECT_EQ(CountIndex({0, 1, 2, 1, 0}), 27 + 18 + 3);
  const std::array<int, WindowLength> states = {0, 1, 2, 1, 0};
  for (int k = 0; k < WindowLength; ++k) {
    EXPECT_EQ(StateAtWindowPosition(CountIndex(states), k), states[static_cast<std::size_t>(k)]);
  }
}

TEST(PatternTableReading, FormattedLineReadsBackUnchanged) {
  PatternEntry entry = Entry("0120120120");
  for (int m = 0; m < CountsPerEntry; ++m) entry.counts[static_cast<std::size_t>(m)] = m * 411 - 9999;
  const std::optional<std::string> line = FormatPatternEntryLine(entry);
  ASSERT_TRUE(line);
  EXPECT_EQ(line->size(), PatternLineLength);
  EXPECT_EQ(line->size(), 1469u);
  EXPECT_EQ(line->substr(0, 17), "0120120120  -9999");
  EXPECT_EQ(line->substr(PatternLineLength - 6), " 89463");  // 242 * 411 - 9999
  const PatternTable table = Read(*line + "\r\n");
  ASSERT_EQ(table.Size(), 1u);
  const PatternEntry* read = table.Find("0120120120");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->keyText, entry.keyText);
  EXPECT_EQ(read->counts, entry.counts);
}

TEST(PatternTableReading, CountsThatWouldWidenTheirFieldAreRefused) {
  // A count filling its whole field would run on into the previous field's number and be misread.
  PatternEntry entry = Entry("0000000000");
  entry.counts[5] = MaxFieldCount + 1;
  EXPECT_FALSE(FormatPatternEntryLine(entry));
  entry.counts[5] = MinFieldCount - 1;
  EXPECT_FALSE(FormatPatternEntryLine(entry));
  EXPECT_FALSE(FormatPatternEntryLine(Entry("000000000x")));
}

TEST(PatternTableReading, FieldsAreReadFromTheirFirstCharacterAndMissingOnesAreZero) {
  const PatternTable table = Read("0000000001x   123     7    42abc\n");
  const PatternEntry* entry = table.AtValue(1);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->counts[0], 123);
  EXPECT_EQ(entry->counts[1], 7);
  EXPECT_EQ(entry->counts[2], 42);
  EXPECT_EQ(entry->counts[3], 0);
  EXPECT_EQ(entry->counts[242], 0);
  EXPECT_EQ(entry->Total(), 172);
}

TEST(PatternTableReading, LaterLineReplacesEarlierAndInvalidKeysAreSkipped) {
  // An invalid key could collide with a valid one's value and displace its entry.
  const PatternTable table = Read(
      "0000000010      1\n"
      "0000000010      2\n"
      "0000000003      9\n"
      "00000000\n"
      "\n"
      "abcdefghij      5\n");
  EXPECT_EQ(table.Size(), 1u);
  ASSERT_NE(table.Find("0000000010"), nullptr);
  EXPECT_EQ(table.Find("0000000010")->counts[0], 2);
}

TEST(PatternTableLookup, EntryWhoseKeyTextDiffersFromThePatternIsNotUsed) {
  // Only the text decides: an entry placed under a pattern's value with another text is not its entry.
  PatternTable table;
  table.Store(*KeyValue("0000000010"), Entry("0000000003"));
  EXPECT_EQ(table.Find("0000000010"), nullptr);
  EXPECT_NE(table.AtValue(3), nullptr);
  EXPECT_EQ(table.Find("000000001"), nullptr);
  EXPECT_EQ(table.Find("00000000\n0"), nullptr);
}

TEST(PatternTableLookup, KeyValuesComeInAscendingOrder) {
  PatternTable table;
  for (const char* key : {"2000000000", "0000000001", "0100000000"}) table.Store(*KeyValue(key), Entry(key));
  EXPECT_EQ(table.KeyValues(), (std::vector<int>{1, 6561, 39366}));
}

}  // namespace
}  // namespace mirelda
