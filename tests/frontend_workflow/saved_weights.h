// The weights live in the process-wide residue-type table: a test that changes them puts the defaults
// back with one of these.
#pragma once

#include <array>
#include <cstddef>

#include "mirelda/model/residue_types.h"

namespace mirelda::testing {

class SavedWeights {
 public:
  SavedWeights() {
    for (int i = 1; i <= model::kResidueTypeCount; ++i)
      saved_[Slot(i)] = model::ResidueTypesByLetter().At(i)->POIDS;
  }
  ~SavedWeights() {
    for (int i = 1; i <= model::kResidueTypeCount; ++i)
      model::ResidueTypesByLetter().At(i)->POIDS = saved_[Slot(i)];
  }
  SavedWeights(const SavedWeights&) = delete;
  SavedWeights& operator=(const SavedWeights&) = delete;

 private:
  static std::size_t Slot(int position) { return static_cast<std::size_t>(position - 1); }
  std::array<double, model::kResidueTypeCount> saved_{};
};

}  // namespace mirelda::testing
