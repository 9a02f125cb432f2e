// A sequence of state letters, one per residue 1 .. N ('a', 'b', 'c'), read as 'x' outside the chain so
// that the rules can look at the neighbours of the first and last residues.
#pragma once

#include <string>
#include <string_view>

namespace mirelda::attribution {

inline constexpr char UnsetState = 'x';

class StateLetters {
 public:
  StateLetters() = default;
  explicit StateLetters(int residueCount) : letters_(static_cast<std::size_t>(residueCount), UnsetState) {}
  // From a text whose character r - 1 is the state of residue r.
  static StateLetters FromText(std::string_view text);

  int Size() const { return static_cast<int>(letters_.size()); }
  char At(int residue) const {
    return residue >= 1 && residue <= Size() ? letters_[static_cast<std::size_t>(residue - 1)] : UnsetState;
  }
  // Sets residue r in 1 .. N; other residues are left alone.
  void Set(int residue, char state) {
    if (residue >= 1 && residue <= Size()) letters_[static_cast<std::size_t>(residue - 1)] = state;
  }
  const std::string& Text() const { return letters_; }

 private:
  std::string letters_;
};

}  // namespace mirelda::attribution
