// The statistical stage: lookups, the spreading of counts over the window, the scores and s0.
#include "attribution/statistical_stage.h"

#include <gtest/gtest.h>

#include "attribution/contact_pattern.h"
#include "attribution/state_scores.h"

using namespace mirelda::attribution;

namespace mirelda {
namespace {

std::vector<std::string> EmptyRows(int n) {
  return std::vector<std::string>(static_cast<std::size_t>(n), std::string(static_cast<std::size_t>(n), '0'));
}

// An entry for a pattern with the given counts at the given window states.
PatternEntry Entry(const std::string& key, std::initializer_list<std::pair<std::array<int, 5>, int>> counts) {
  PatternEntry entry;
  entry.keyText = key;
  for (const auto& [states, count] : counts)
    entry.counts[static_cast<std::size_t>(CountIndex(states))] = count;
  return entry;
}

void Store(PatternTable& table, const PatternEntry& entry) { table.Store(*KeyValue(entry.keyText), entry); }

constexpr std::array<int, 5> kAllA = {0, 0, 0, 0, 0};
constexpr std::array<int, 5> kAllB = {1, 1, 1, 1, 1};
constexpr std::array<int, 5> kAllC = {2, 2, 2, 2, 2};

TEST(StatisticalStage, EachWindowResidueTakesItsOwnStateOfTheCounts) {
  // 13 residues: residue 7 is the only central one; its entry alone covers residues 5 .. 9.
  const ContactMatrix matrix(EmptyRows(13));
  PatternTable central;
  Store(central, Entry("0000000000", {{{0, 1, 2, 1, 0}, 3}, {kAllC, 1}}));
  const StatisticalResult result = ScoreResidues(matrix, central, PatternTable{});
  EXPECT_FLOAT_EQ(result.scores.At(5).pa, 0.75f);
  EXPECT_FLOAT_EQ(result.scores.At(5).pc, 0.25f);
  EXPECT_FLOAT_EQ(result.scores.At(6).pb, 0.75f);
  EXPECT_FLOAT_EQ(result.scores.At(7).pc, 1.0f);
  EXPECT_FLOAT_EQ(result.scores.At(9).pa, 0.75f);
  EXPECT_FALSE(result.scores.At(4).covered);
  EXPECT_FALSE(result.scores.At(10).covered);
  EXPECT_EQ(StatisticalStates(result.scores).Text(), "ccccabcbacccc");
}

TEST(StatisticalStage, ScoresAreTheMeanOverTheCoveringPatternsFound) {
  // Residues 7 and 8 are central with different patterns; residues 6 .. 9 lie in both windows.
  std::vector<std::string> rows = EmptyRows(14);
  rows[6][0] = '1';  // residue 7's pattern starts with its contact to residue 1
  PatternTable central;
  Store(central, Entry("1000000000", {{kAllA, 2}}));
  Store(central, Entry("0000000000", {{kAllC, 5}}));
  const StatisticalResult result = ScoreResidues(ContactMatrix(rows), central, PatternTable{});
  EXPECT_FLOAT_EQ(result.scores.At(5).pa, 1.0f);
  EXPECT_FLOAT_EQ(result.scores.At(7).pa, 0.5f);
  EXPECT_FLOAT_EQ(result.scores.At(7).pc, 0.5f);
  EXPECT_FLOAT_EQ(result.scores.At(10).pc, 1.0f);
  EXPECT_EQ(StatisticalStates(result.scores).At(5), 'a');
  EXPECT_EQ(StatisticalStates(result.scores).At(7), 'c');  // Pc = Pa
}

TEST(StatisticalStage, AbsentPatternContributesNothingAndUncoveredResiduesAreC) {
  // Only patterns that occur in the protein may shape its scores.
  const ContactMatrix matrix(EmptyRows(20));
  PatternTable central, terminal;
  Store(central, Entry("1111111111", {{kAllA, 9}}));
  Store(terminal, Entry("1111111111", {{kAllB, 9}}));
  const StatisticalResult result = ScoreResidues(matrix, central, terminal);
  for (int r = 1; r <= 20; ++r) EXPECT_FALSE(result.scores.At(r).covered) << r;
  EXPECT_EQ(StatisticalStates(result.scores).Text(), std::string(20, 'c'));
}

TEST(StatisticalStage, EntryWithAllCountsZeroCoversNothing) {
  PatternTable central;
  Store(central, Entry("0000000000", {}));
  const StatisticalResult result = ScoreResidues(ContactMatrix(EmptyRows(13)), central, PatternTable{});
  EXPECT_FALSE(result.scores.At(7).covered);
}

TEST(StatisticalStage, EntryStoredUnderThePatternValueWithAnotherTextIsNotUsed) {
  PatternTable central;
  PatternEntry entry = Entry("0000000000", {{kAllA, 4}});
  entry.keyText = "000000000a";
  central.Store(0, entry);
  const StatisticalResult result = ScoreResidues(ContactMatrix(EmptyRows(13)), central, PatternTable{});
  EXPECT_FALSE(result.scores.At(7).covered);
}

TEST(StatisticalStage, ShortProteinsLookEveryResidueUpOnceInTheTerminalTable) {
  // Overlapping chain ends would count a residue's pattern twice and double its shares.
  for (int n : {1, 5, 12}) {
    const ContactMatrix matrix(EmptyRows(n));
    PatternTable central, terminal;
    for (int i = 1; i <= n; ++i) {
      const std::string text = BuildContactPattern(matrix, i).text;
      Store(terminal, Entry(text, {{kAllB, 7}}));
      Store(central, Entry(text, {{kAllA, 7}}));
    }
    const StatisticalResult result = ScoreResidues(matrix, central, terminal);
    EXPECT_TRUE(result.malformed.empty());
    for (int r = 1; r <= n; ++r) {
      EXPECT_FLOAT_EQ(result.scores.At(r).pb, 1.0f) << n << " " << r;
      EXPECT_EQ(result.scores.At(r).pa, 0.0f) << n << " " << r;
    }
    EXPECT_EQ(StatisticalStates(result.scores).Text(), std::string(static_cast<std::size_t>(n), 'b'));
  }
}

TEST(StatisticalStage, ShortRowsAreReportedAndFindNoEntry) {
  std::vector<std::string> rows = EmptyRows(13);
  rows[0] = "000";
  rows[6] = "00";
  PatternTable central, terminal;
  Store(central, Entry("0000000000", {{kAllA, 1}}));
  const StatisticalResult result = ScoreResidues(ContactMatrix(rows), central, terminal);
  ASSERT_EQ(result.malformed.size(), 2u);
  EXPECT_EQ(result.malformed[0].residue, 1);
  EXPECT_EQ(result.malformed[0].text, "222220");
  EXPECT_TRUE(result.malformed[0].terminal);
  EXPECT_EQ(result.malformed[1].residue, 7);
  EXPECT_FALSE(result.malformed[1].terminal);
  EXPECT_FALSE(result.scores.At(7).covered);
}

TEST(StatisticalStates, TieOfAAndBAboveCGivesC) {
  EXPECT_EQ(StatisticalState({0.4f, 0.4f, 0.2f, true}), 'c');
  EXPECT_EQ(StatisticalState({0.5f, 0.3f, 0.2f, true}), 'a');
  EXPECT_EQ(StatisticalState({0.3f, 0.5f, 0.2f, true}), 'b');
  EXPECT_EQ(StatisticalState({0.4f, 0.2f, 0.4f, true}), 'c');
  EXPECT_EQ(StatisticalState({0.9f, 0.0f, 0.0f, false}), 'c');  // no scores
}

TEST(StatisticalStates, ResiduesWithoutScoresFailEveryThreshold) {
  const StateScore none{};
  EXPECT_FALSE(PbAtLeast(none, 0.5));
  EXPECT_FALSE(PbBelow(none, 0.6));
  EXPECT_FALSE(PcBelow(none, 0.6));
  EXPECT_FALSE(PcAtMost(none, 0.6));
  // Single-precision 0.6 lies just above 0.6: not "at most 0.6".
  EXPECT_FALSE(PcAtMost({0, 0, 0.6f, true}, CoilScoreLimit));
}

}  // namespace
}  // namespace mirelda
