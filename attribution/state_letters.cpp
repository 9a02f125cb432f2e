#include "attribution/state_letters.h"

namespace mirelda::attribution {

StateLetters StateLetters::FromText(std::string_view text) {
  StateLetters states;
  states.letters_ = std::string(text);
  return states;
}

}  // namespace mirelda::attribution
