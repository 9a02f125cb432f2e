// The rule stage on injected states and scores: ladders, smoothings, unpaired 'b' residues.
#include "attribution/rule_stage.h"

#include <gtest/gtest.h>

#include <utility>

#include "attribution/ladders.h"
#include "attribution/smoothing.h"
#include "attribution/unpaired_strands.h"

using namespace mirelda::attribution;

namespace mirelda {
namespace {

// A symmetric matrix of n residues with contacts between the given pairs.
ContactMatrix Matrix(int n, const std::vector<std::pair<int, int>>& pairs) {
  std::vector<std::string> rows(static_cast<std::size_t>(n), std::string(static_cast<std::size_t>(n), '0'));
  for (const auto& [r, t] : pairs) {
    rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(t - 1)] = '1';
    rows[static_cast<std::size_t>(t - 1)][static_cast<std::size_t>(r - 1)] = '1';
  }
  return ContactMatrix(rows);
}

// The parallel ladder (first, partner), (first + 1, partner + 1), ... of the given number of pairs.
std::vector<std::pair<int, int>> Ladder(int first, int partner, int pairs) {
  std::vector<std::pair<int, int>> ladder;
  for (int m = 0; m < pairs; ++m) ladder.emplace_back(first + m, partner + m);
  return ladder;
}

constexpr StateScore kCoil{0.05f, 0.05f, 0.9f, true};
// Pa = Pb: s0 is 'c', yet Pb is high enough to start and carry a pass A walk.
constexpr StateScore kStrandTie{0.5f, 0.5f, 0.0f, true};
constexpr StateScore kPartner{0.2f, 0.3f, 0.5f, true};       // s0 'c', Pc below 0.6: may take a mark
constexpr StateScore kWeakStrand{0.35f, 0.45f, 0.2f, true};  // s0 'b', too weak to start pass A

ResidueScores Scores(int n, const std::vector<std::pair<int, StateScore>>& special) {
  ResidueScores scores(n);
  for (int r = 1; r <= n; ++r) scores.Set(r, kCoil);
  for (const auto& [r, score] : special) scores.Set(r, score);
  return scores;
}

// Pass A: residues 5 .. 4 + pairs carry the walk; their partners 20 .. are marked.
StateLetters PassAMarks(int pairs, std::vector<std::pair<int, StateScore>> special = {}) {
  std::vector<std::pair<int, StateScore>> all;
  for (int m = 0; m < pairs; ++m) {
    all.emplace_back(5 + m, kStrandTie);
    all.emplace_back(20 + m, kPartner);
  }
  all.insert(all.end(), special.begin(), special.end());
  const ResidueScores scores = Scores(30, all);
  return MarkLadders(Matrix(30, Ladder(5, 20, pairs)), StatisticalStates(scores), scores);
}

std::string MarkedResidues(const StateLetters& marks) {
  std::string marked;
  for (int r = 1; r <= marks.Size(); ++r) {
    if (marks.At(r) == 'b') marked += std::to_string(r) + " ";
  }
  return marked;
}

TEST(Ladders, ThreePairsMarkNothingFourPairsMarkTwoPartners) {
  // The walk must exceed three steps: a three-pair ladder is too short to be a strand pair.
  EXPECT_EQ(MarkedResidues(PassAMarks(3)), "");
  EXPECT_EQ(MarkedResidues(PassAMarks(4)), "21 22 ");
  EXPECT_EQ(MarkedResidues(PassAMarks(5)), "21 22 23 ");
}

TEST(Ladders, ResidueWithoutScoresStopsTheWalk) {
  // Undefined scores must not let a walk run on through a residue that no pattern covered.
  EXPECT_EQ(MarkedResidues(PassAMarks(6, {{7, StateScore{}}})), "");
}

TEST(Ladders, PartnerWithoutScoresIsNeverMarked) {
  // Its Pc is no number: it must not pass as "below 0.6".
  EXPECT_EQ(MarkedResidues(PassAMarks(5, {{22, StateScore{}}})), "21 23 ");
}

TEST(Ladders, PartnerInStateAOrWithHighPcIsNeitherStartNorMark) {
  // The walk also runs from the ladder's other end, so every mark is tried from both starts.
  EXPECT_EQ(MarkedResidues(PassAMarks(4, {{21, {0.6f, 0.3f, 0.1f, true}}})), "22 ");  // s0 = 'a'
  EXPECT_EQ(MarkedResidues(PassAMarks(4, {{22, {0.1f, 0.3f, 0.6f, true}}})), "21 ");  // Pc = 0.6
}

TEST(Ladders, PassBMarksTheOwnSideAlongPartnersInStateB) {
  // Antiparallel ladder: (20, 8), (21, 7), (22, 6), (23, 5); the 'b' side has Pb too low for pass A.
  std::vector<std::pair<int, StateScore>> special;
  for (int m = 0; m < 4; ++m) {
    special.emplace_back(5 + m, kWeakStrand);
    special.emplace_back(20 + m, kPartner);
  }
  const ResidueScores scores = Scores(30, special);
  const ContactMatrix matrix = Matrix(30, {{20, 8}, {21, 7}, {22, 6}, {23, 5}});
  EXPECT_EQ(MarkedResidues(MarkLadders(matrix, StatisticalStates(scores), scores)), "21 22 ");
}

TEST(Ladders, PartnersSixApartAreNoLadder) {
  std::vector<std::pair<int, StateScore>> special;
  for (int m = 0; m < 5; ++m) special.emplace_back(5 + m, kStrandTie);
  for (int m = 0; m < 5; ++m) special.emplace_back(11 + m, kPartner);
  const ResidueScores scores = Scores(30, special);
  EXPECT_EQ(MarkedResidues(MarkLadders(Matrix(30, Ladder(5, 11, 5)), StatisticalStates(scores), scores)), "");
}

TEST(Smoothing, IsolatedStatesBecomeCoil) {
  StateLetters single = StateLetters::FromText("cacc");
  SmoothInPlace(single);
  EXPECT_EQ(single.Text(), "cccc");
  StateLetters pair = StateLetters::FromText("cabc");
  SmoothInPlace(pair);
  EXPECT_EQ(pair.Text(), "cccc");
  EXPECT_EQ(SmoothedCopy(StateLetters::FromText("cac")).Text(), "ccc");
  EXPECT_EQ(SmoothedCopy(StateLetters::FromText("cabc")).Text(), "cccc");
}

TEST(Smoothing, ChainEndsAndLongerRunsAreKept) {
  // Outside the chain the state is 'x', not 'c': the first and last residues are never isolated.
  StateLetters ends = StateLetters::FromText("accbbbcca");
  SmoothInPlace(ends);
  EXPECT_EQ(ends.Text(), "accbbbcca");
  EXPECT_EQ(SmoothedCopy(StateLetters::FromText("acbbbcab")).Text(), "acbbbcab");
}

// Strands 4 .. 6 and 14 .. 16 with residue 5 in contact with 15.
struct StrandPair {
  std::string states = "cccbbbcccccccbbbcccc";
  std::vector<std::pair<int, int>> contacts;
  ResidueScores scores = Scores(20, {});
  StrandPair() {
    contacts.emplace_back(5, 15);
    const StateScore strong{0, 0.9f, 0.1f, true};
    for (int r : {4, 6, 14, 15, 16}) scores.Set(r, strong);
    scores.Set(5, {0.2f, 0.55f, 0.25f, true});
  }
  std::string Removed() const {
    StateLetters s = StateLetters::FromText(states);
    RemoveUnpairedStrands(Matrix(20, contacts), scores, s);
    return s.Text();
  }
};

TEST(UnpairedStrands, MiddleResidueWhosePartnerRunIsBrokenBecomesCoil) {
  // j = 15 is 'b' but j - 1 is not: residue 5 has no partner run, and its Pb 0.55 is below 0.6.
  StrandPair pair;
  pair.states[13] = 'c';
  EXPECT_EQ(pair.Removed(), "cccbcbccccccccbbcccc");
}

TEST(UnpairedStrands, MiddleResidueWithAPartnerRunStays) {
  StrandPair parallel;
  parallel.contacts.emplace_back(4, 14);
  parallel.contacts.emplace_back(6, 16);
  EXPECT_EQ(parallel.Removed(), parallel.states);
  StrandPair antiparallel;
  antiparallel.contacts.emplace_back(4, 16);
  antiparallel.contacts.emplace_back(6, 14);
  EXPECT_EQ(antiparallel.Removed(), antiparallel.states);
}

TEST(UnpairedStrands, StrongPbKeepsAnUnpairedResidue) {
  StrandPair pair;
  pair.states[13] = 'c';
  pair.scores.Set(5, {0.1f, 0.6f, 0.3f, true});
  EXPECT_EQ(pair.Removed(), pair.states);
}

TEST(UnpairedStrands, RunStartIsPairedThroughItsNeighbour) {
  // Residue 4 starts its run and touches 14; its neighbour 5 touches 15, in state 'b'.
  StrandPair pair;
  pair.scores.Set(4, {0.2f, 0.55f, 0.25f, true});
  pair.scores.Set(5, {0, 0.9f, 0.1f, true});
  EXPECT_EQ(pair.Removed()[3], 'c');  // no partner of its own
  pair.contacts.emplace_back(4, 14);
  EXPECT_EQ(pair.Removed()[3], 'b');
}

// A five-pair parallel ladder 5 .. 9 with 20 .. 24; passes A and B mark partners 21 .. 23.
RuleStageResult FivePairLadder(const StateScore& ownSide) {
  std::vector<std::pair<int, StateScore>> special;
  for (int m = 0; m < 5; ++m) {
    special.emplace_back(5 + m, ownSide);
    special.emplace_back(20 + m, kPartner);
  }
  const ResidueScores scores = Scores(30, special);
  return RunRuleStage(Matrix(30, Ladder(5, 20, 5)), StatisticalStates(scores), scores);
}

TEST(RuleStage, LadderOfTwoStrandsKeepsBothSides) {
  std::string expected(30, 'c');
  for (int r : {5, 6, 7, 8, 9, 21, 22, 23}) expected[static_cast<std::size_t>(r - 1)] = 'b';
  const RuleStageResult result = FivePairLadder({0.1f, 0.7f, 0.2f, true});
  EXPECT_EQ(result.s1.Text(), expected);
  EXPECT_EQ(result.s2.Text(), expected);
}

TEST(RuleStage, MarksFacingNoStrandAreRemoved) {
  // The own side is 'c' by the tie Pa = Pb: the marked partners face no 'b' run and have weak Pb.
  EXPECT_EQ(FivePairLadder(kStrandTie).s2.Text(), std::string(30, 'c'));
}

}  // namespace
}  // namespace mirelda
