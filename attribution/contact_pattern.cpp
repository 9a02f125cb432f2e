#include "attribution/contact_pattern.h"

namespace mirelda::attribution {

bool UsesTerminalTable(int residueCount, int residue) {
  if (residueCount < MinResiduesForCentral) return true;
  return residue <= TerminalResidues || residue > residueCount - TerminalResidues;
}

ContactPattern BuildContactPattern(const ContactMatrix& matrix, int residue) {
  // Offsets of the ten pattern residues: i-6 .. i-2, then i+2 .. i+6.
  constexpr int kOffsets[PatternLength] = {-6, -5, -4, -3, -2, 2, 3, 4, 5, 6};
  ContactPattern pattern;
  pattern.terminal = UsesTerminalTable(matrix.Size(), residue);
  pattern.text.reserve(PatternLength);
  for (int offset : kOffsets) {
    const int other = residue + offset;
    if (pattern.terminal && !matrix.Contains(other)) {
      pattern.text.push_back('2');
      continue;
    }
    const char cell = matrix.Cell(residue, other);
    if (cell == MissingCell) break;
    pattern.text.push_back(pattern.terminal ? (cell == '0' ? '0' : '1') : cell);
  }
  return pattern;
}

}  // namespace mirelda::attribution
