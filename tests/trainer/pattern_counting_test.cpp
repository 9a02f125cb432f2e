// Counting the pattern tables: patterns built as attribution builds them, window states aligned by
// residue number, exact counts on a hand-made matrix, and the written table read back unchanged.
#include <gtest/gtest.h>

#include <sstream>

#include "attribution/pattern_table_file.h"
#include "tools/trainer/dssp_states.h"
#include "tools/trainer/pattern_counts.h"
#include "tools/trainer/pattern_table_text.h"

using namespace mirelda::attribution;
using namespace mirelda::trainer;

namespace mirelda {
namespace {

// 14 residues: residues 7 and 8 are central, the six at each end terminal.
ContactMatrix HandMadeMatrix() {
  std::vector<std::string> rows(14, std::string(14, '0'));
  rows[6][0] = '2';  // M[7][1]: a strong contact at i-6
  rows[6][8] = '1';  // M[7][9]: a contact at i+2
  rows[7][1] = '1';  // M[8][2]: a contact at i-6
  return ContactMatrix(rows);
}

std::int64_t SumOf(const PatternTable& table) {
  std::int64_t sum = 0;
  for (int value : table.KeyValues()) sum += table.AtValue(value)->Total();
  return sum;
}

TEST(PatternCounting, HandMadeMatrixGivesExactCounts) {
  PatternCounter counter;
  counter.AddProtein(HandMadeMatrix(), "aaaabbbbbccccc");
  EXPECT_EQ(counter.CountedResidues(), 14);

  const PatternTable central = counter.CentralTable();
  ASSERT_EQ(central.Size(), 2u);
  const PatternEntry* seven = central.Find("2000010000");  // the '2' of the matrix stays '2'
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(seven->counts[121], 1);  // residues 5..9 are b b b b b: 81 + 27 + 9 + 3 + 1
  EXPECT_EQ(seven->Total(), 1);
  const PatternEntry* eight = central.Find("1000000000");
  ASSERT_NE(eight, nullptr);
  EXPECT_EQ(eight->counts[122], 1);  // residues 6..10 are b b b b c

  const PatternTable terminal = counter.TerminalTable();
  EXPECT_EQ(SumOf(terminal), 12);
  // Residue 1: five residues before the chain ('2') and no contact after; window c c a a a.
  ASSERT_NE(terminal.Find("2222200000"), nullptr);
  EXPECT_EQ(terminal.Find("2222200000")->counts[2 * 81 + 2 * 27], 1);
  // Residues 13 and 14 share a pattern; both windows are c c c c c, partly outside the chain.
  ASSERT_NE(terminal.Find("0000022222"), nullptr);
  EXPECT_EQ(terminal.Find("0000022222")->counts[242], 2);
}

TEST(PatternCounting, WindowPositionsOutsideTheChainCountAsCoil) {
  EXPECT_EQ(WindowCountIndex("ab", 1), 2 * 81 + 2 * 27 + 0 * 9 + 1 * 3 + 2);
  EXPECT_EQ(WindowCountIndex("ax", 1), 2 * 81 + 2 * 27 + 0 * 9 + 2 * 3 + 2);  // an unknown letter too
}

// A short contact row gives no ten-digit pattern, which attribution could never find: not counted.
TEST(PatternCounting, ShortRowIsSkipped) {
  std::vector<std::string> rows(14, std::string(14, '0'));
  rows[7] = "0000";
  PatternCounter counter;
  counter.AddProtein(ContactMatrix(rows), std::string(14, 'c'));
  EXPECT_EQ(counter.SkippedResidues(), 1);
  EXPECT_EQ(counter.CountedResidues(), 13);
}

// Six-digit counts would run into the previous field when read: the entry is scaled to fit, shares kept.
TEST(PatternCounting, LargeCountsAreScaledToTheirField) {
  WideCounts counts{};
  counts[0] = 2 * MaxFieldCount;
  counts[1] = MaxFieldCount;
  counts[2] = 3;
  const auto fitted = FitCounts(counts);
  EXPECT_EQ(fitted[0], MaxFieldCount);
  EXPECT_EQ(fitted[1], 50000);  // 99999 / 2 rounded
  EXPECT_EQ(fitted[2], 2);
  WideCounts small{};
  small[5] = 7;
  EXPECT_EQ(FitCounts(small)[5], 7);
}

TEST(PatternCounting, WrittenTableReadsBackInKeyOrder) {
  PatternCounter counter;
  counter.AddProtein(HandMadeMatrix(), "aaaabbbbbccccc");
  const PatternTable terminal = counter.TerminalTable();
  const std::optional<std::string> text = PatternTableText(terminal);
  ASSERT_TRUE(text);
  std::istringstream in(*text);
  const PatternTable read = ReadPatternTable(in);
  ASSERT_EQ(read.KeyValues(), terminal.KeyValues());
  for (int value : terminal.KeyValues()) {
    EXPECT_EQ(read.AtValue(value)->keyText, terminal.AtValue(value)->keyText);
    EXPECT_EQ(read.AtValue(value)->counts, terminal.AtValue(value)->counts);
  }
  // Lines in ascending key value, whatever the order the patterns were met in.
  std::istringstream lines(*text);
  std::string previous;
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LT(previous, line.substr(0, PatternLength));
    previous = line.substr(0, PatternLength);
  }
}

TEST(DsspAlignment, FirstEntryOfANumberWinsAndMissingResiduesAreCoil) {
  std::istringstream table(
      "file\tchain\tn_residues\tresidue_ids\taa\tss8\n"
      "x.pdb\tA\t5\t1,2,2A,3,-1\tAGGSK\tHEG-B\n"
      "x.pdb\tB\t2\t1,2\tAG\tH\n");  // ids and states differ in number: dropped
  const std::vector<DsspChain> chains = ParseDsspTable(table);
  ASSERT_EQ(chains.size(), 1u);
  const std::map<int, char> states = StatesByNumber(chains[0]);
  EXPECT_EQ(states.at(2), 'b');  // "2", not the merged insertion "2A"
  EXPECT_EQ(states.at(-1), 'b');
  const AlignedStates aligned = AlignStates({-1, 1, 2, 4, 3}, states);
  EXPECT_EQ(aligned.states, "babcc");
  EXPECT_EQ(aligned.missing, 1);
}

TEST(DsspAlignment, EightStatesReduceToThree) {
  EXPECT_EQ(std::string({ThreeState('H'), ThreeState('G'), ThreeState('I'), ThreeState('E'), ThreeState('B'),
                         ThreeState('T'), ThreeState('S'), ThreeState('P'), ThreeState('-')}),
            "aaabbcccc");
}

}  // namespace
}  // namespace mirelda
