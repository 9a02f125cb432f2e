// Sorting the few dozen keys of one centre (its candidates, their planes by height) by counting for each
// key the keys that come before it: quadratic, but without a branch, in loops the compiler vectorises,
// and several times faster than a comparison sort at these sizes, where most comparisons mispredict.
#pragma once

#include <cstdint>
#include <span>

namespace mirelda::tessellation {

// Up to this many keys are sorted by counting; more by comparisons.
inline constexpr int CountingSortLimit = 256;

// Sorts `values` by their keys (one key for each value), increasingly; equal keys keep their order.
// `values` may be the keys themselves.
void StableSortSmallBy(std::span<const std::int32_t> keys, std::span<int> values);
// Sorts the keys increasingly.
inline void StableSortSmall(std::span<std::int32_t> keys) { StableSortSmallBy(keys, keys); }

}  // namespace mirelda::tessellation
