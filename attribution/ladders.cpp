#include "attribution/ladders.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace mirelda::attribution {
namespace {

// Directions (di, dj) in the order the passes take them.
constexpr std::array<std::pair<int, int>, 4> kDirections = {{{+1, +1}, {+1, -1}, {-1, +1}, {-1, -1}}};

// A residue that may take a mark, or be a ladder's partner in pass A.
bool MayTakeStrand(const StateLetters& s0, const ResidueScores& scores, int q) {
  return PcBelow(scores.At(q), CoilScoreLimit) && s0.At(q) != 'a';
}

// Either residue of a pass B pair (Pc at most, rather than below, the limit).
bool MayPairInPassB(const StateLetters& s0, const ResidueScores& scores, int q) {
  return PcAtMost(scores.At(q), CoilScoreLimit) && s0.At(q) != 'a';
}

// Walks the ladder from (i, j) in direction (di, dj); `goesOn(n)` says whether step n may be passed.
template <typename GoesOn>
int WalkLength(const ContactMatrix& matrix, int i, int j, int di, int dj, GoesOn goesOn) {
  int n = 1;
  while (true) {
    if (!goesOn(n)) break;
    ++n;
    if (!matrix.Contact(i + n * di, j + n * dj)) break;
  }
  return n;
}

void MarkRun(const StateLetters& s0, const ResidueScores& scores, int start, int step, int n,
             StateLetters& marks) {
  if (n <= MinLadderSteps) return;
  for (int m = 1; m <= n - 2; ++m) {
    const int q = start + m * step;
    if (MayTakeStrand(s0, scores, q)) marks.Set(q, 'b');
  }
}

void PassA(const ContactMatrix& matrix, const StateLetters& s0, const ResidueScores& scores,
           StateLetters& marks) {
  const int n = matrix.Size();
  for (int i = 1; i <= n; ++i) {
    if (!PbAtLeast(scores.At(i), LadderStrandScore)) continue;
    for (int j = 1; j <= n; ++j) {
      if (std::abs(i - j) <= MinLadderSeparation || !matrix.Contact(i, j)) continue;
      if (!MayTakeStrand(s0, scores, j)) continue;
      for (const auto& [di, dj] : kDirections) {
        if (!matrix.Contact(i + di, j + dj)) continue;
        // The binding is copied into the capture: clang 14 cannot capture structured bindings.
        const int steps = WalkLength(matrix, i, j, di, dj, [&, di = di](int step) {
          return PbAtLeast(scores.At(i + step * di), LadderStrandScore);
        });
        MarkRun(s0, scores, j, dj, steps, marks);
      }
    }
  }
}

void PassB(const ContactMatrix& matrix, const StateLetters& s0, const ResidueScores& scores,
           StateLetters& marks) {
  const int n = matrix.Size();
  for (int i = 1; i <= n; ++i) {
    if (!MayPairInPassB(s0, scores, i)) continue;
    for (int j = 1; j <= n; ++j) {
      if (std::abs(i - j) <= MinLadderSeparation || !matrix.Contact(i, j)) continue;
      if (!MayPairInPassB(s0, scores, j)) continue;
      for (const auto& [di, dj] : kDirections) {
        if (!matrix.Contact(i + di, j + dj)) continue;
        const int steps =
            WalkLength(matrix, i, j, di, dj, [&, dj = dj](int step) { return s0.At(j + step * dj) == 'b'; });
        MarkRun(s0, scores, i, di, steps, marks);
      }
    }
  }
}

}  // namespace

StateLetters MarkLadders(const ContactMatrix& matrix, const StateLetters& s0, const ResidueScores& scores) {
  StateLetters marks(matrix.Size());
  PassA(matrix, s0, scores, marks);
  PassB(matrix, s0, scores, marks);
  return marks;
}

}  // namespace mirelda::attribution
