#include "state_letters.h"

namespace mirelda {

StateLetters StateLetters::FromText(std::string_view text) {
  StateLetters states;
  states.letters_ = std::string(text);
  return states;
}

}  // namespace mirelda
