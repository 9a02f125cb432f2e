#include "attribution/unpaired_strands.h"

namespace mirelda::attribution {

bool IsPairedStrand(const ContactMatrix& m, const StateLetters& s, int r) {
  const bool before = s.At(r - 1) == 'b';
  const bool after = s.At(r + 1) == 'b';
  for (int j = 1; j <= m.Size(); ++j) {
    if (!m.Contact(r, j) || s.At(j) != 'b') continue;
    if (before && after && s.At(j - 1) == 'b' && s.At(j + 1) == 'b' &&
        ((m.Contact(r + 1, j + 1) && m.Contact(r - 1, j - 1)) ||
         (m.Contact(r + 1, j - 1) && m.Contact(r - 1, j + 1)))) {
      return true;
    }
    if (!before && after &&
        ((m.Contact(r + 1, j + 1) && s.At(j + 1) == 'b') ||
         (m.Contact(r + 1, j - 1) && s.At(j - 1) == 'b'))) {
      return true;
    }
    if (before && !after &&
        ((m.Contact(r - 1, j + 1) && s.At(j + 1) == 'b') ||
         (m.Contact(r - 1, j - 1) && s.At(j - 1) == 'b'))) {
      return true;
    }
  }
  return false;
}

void RemoveUnpairedStrands(const ContactMatrix& matrix, const ResidueScores& scores, StateLetters& states) {
  for (int r = 1; r <= states.Size(); ++r) {
    if (states.At(r) != 'b' || IsPairedStrand(matrix, states, r)) continue;
    if (PbBelow(scores.At(r), UnpairedStrandScore)) states.Set(r, 'c');
  }
}

}  // namespace mirelda::attribution
