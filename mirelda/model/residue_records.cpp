#include "mirelda/model/residue_records.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace mirelda::model {

std::int16_t DEF_AA::NBF() const {
  // std::nearbyint rounds ties to even in the default rounding mode.
  // A stored value outside the 16-bit range (only through SetNBFStored) saturates; NaN reads as 0.
  const double rounded = std::nearbyint(nbf_);
  if (std::isnan(rounded)) return 0;
  constexpr double kLow = std::numeric_limits<std::int16_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(rounded < kLow ? kLow : rounded > kHigh ? kHigh : rounded);
}

void Residues::Clear() {
  slots_.clear();
  slots_.resize(1);
}

int Residues::Grow() {
  slots_.emplace_back();
  return ResidueCount();
}

DEF_AA& Residues::ResidueAt(int index) {
  if (index < 0 || index > ResidueCount())
    throw std::out_of_range("residue index " + std::to_string(index) + " outside 0.." +
                            std::to_string(ResidueCount()));
  std::unique_ptr<DEF_AA>& slot = slots_[static_cast<std::size_t>(index)];
  if (!slot) slot = std::make_unique<DEF_AA>();
  return *slot;
}

const DEF_AA* Residues::Find(int index) const {
  if (index < 0 || index > ResidueCount()) return nullptr;
  return slots_[static_cast<std::size_t>(index)].get();
}

}  // namespace mirelda::model
