#include "brindel/exchange/residue_codes.h"

namespace mirelda::exchange {

char LetterOf(std::string_view name) {
  for (int k = 0; k < 25; ++k) {
    if (ThreeLetterCodes.substr(3 * k, 3) == name) return OneLetterCodes[k];
  }
  return '0';
}

int LetterPosition(char letter) {
  for (int k = 0; k < 25; ++k) {
    if (OneLetterCodes[k] == letter) return k;
  }
  return 25;
}

}  // namespace mirelda::exchange
