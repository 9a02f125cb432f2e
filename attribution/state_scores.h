// The three state scores of a residue, the tests of the rules against them, and the statistical state s0
// they give. A residue that no found pattern covers has no scores: it is flagged rather than left with
// undefined values, and it fails every threshold test.
#pragma once

#include <vector>

#include "attribution/state_letters.h"

namespace mirelda::attribution {

struct StateScore {
  float pa = 0, pb = 0, pc = 0;
  bool covered = false;  // at least one pattern covering the residue was found with a non-zero total
};

// Scores of residues 1 .. N; a residue outside the chain has scores 0 and is not covered.
class ResidueScores {
 public:
  ResidueScores() = default;
  explicit ResidueScores(int residueCount) : scores_(static_cast<std::size_t>(residueCount)) {}
  int Size() const { return static_cast<int>(scores_.size()); }
  StateScore At(int residue) const {
    return residue >= 1 && residue <= Size() ? scores_[static_cast<std::size_t>(residue - 1)] : StateScore{};
  }
  void Set(int residue, const StateScore& score) {
    if (residue >= 1 && residue <= Size()) scores_[static_cast<std::size_t>(residue - 1)] = score;
  }

 private:
  std::vector<StateScore> scores_;
};

// Thresholds of the rule stage. The scores are single precision and are compared with these double
// values, so a score of exactly 0.6f (slightly above 0.6) is not "at most 0.6".
inline constexpr double LadderStrandScore = 0.5;    // Pb that starts and carries a ladder walk (pass A)
inline constexpr double CoilScoreLimit = 0.6;       // Pc limit for partners and for marked residues
inline constexpr double UnpairedStrandScore = 0.6;  // Pb below which an unpaired 'b' is dropped

// Each test is false for a residue without scores.
inline bool PbAtLeast(const StateScore& s, double limit) { return s.covered && s.pb >= limit; }
inline bool PbBelow(const StateScore& s, double limit) { return s.covered && s.pb < limit; }
inline bool PcBelow(const StateScore& s, double limit) { return s.covered && s.pc < limit; }
inline bool PcAtMost(const StateScore& s, double limit) { return s.covered && s.pc <= limit; }

// s0 of one residue: 'a' when Pa is the strict maximum, 'b' when Pb is, 'c' otherwise (Pc at least as
// large as both, Pa = Pb > Pc, or no scores at all).
char StatisticalState(const StateScore& score);
StateLetters StatisticalStates(const ResidueScores& scores);

}  // namespace mirelda::attribution
