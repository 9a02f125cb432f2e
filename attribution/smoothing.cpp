#include "attribution/smoothing.h"

namespace mirelda::attribution {

void SmoothInPlace(StateLetters& s) {
  for (int r = 1; r <= s.Size(); ++r) {
    if (s.At(r) == 'c') continue;
    if (s.At(r - 1) == 'c' && s.At(r + 1) == 'c') s.Set(r, 'c');
    if (s.At(r) != 'c' && s.At(r + 1) != 'c' && s.At(r - 1) == 'c' && s.At(r + 2) == 'c') {
      s.Set(r, 'c');
      s.Set(r + 1, 'c');
    }
  }
}

StateLetters SmoothedCopy(const StateLetters& s1) {
  StateLetters s2 = s1;
  for (int r = 1; r <= s1.Size(); ++r) {
    if (s2.At(r) != 'c' && s1.At(r - 1) == 'c' && s1.At(r + 1) == 'c') s2.Set(r, 'c');
    if (s1.At(r) != 'c' && s1.At(r + 1) != 'c' && s1.At(r - 1) == 'c' && s1.At(r + 2) == 'c') {
      s2.Set(r, 'c');
      s2.Set(r + 1, 'c');
    }
  }
  return s2;
}

}  // namespace mirelda::attribution
