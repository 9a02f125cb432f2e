// One fuzz target a reader: the same body is libFuzzer's entry point in the fuzzing build (clang,
// MIRELDA_FUZZ) and a registered function in the replay test of the normal build, which runs every
// corpus file and every former crash input through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace mirelda::fuzz {

using FuzzFunction = void (*)(std::string_view input);

// Defined by the replay test; the fuzzing build never registers.
bool RegisterTarget(std::string_view name, FuzzFunction function);

// A property the reader must keep on any input; a broken one is a finding, as a crash is.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz property broken: %s\n", what);
  std::abort();
}

}  // namespace mirelda::fuzz

#ifdef MIRELDA_LIBFUZZER
#define MIRELDA_FUZZ_TARGET(name)                                                     \
  static void FuzzOne(std::string_view input);                                        \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    FuzzOne(std::string_view(reinterpret_cast<const char*>(data), size));             \
    return 0;                                                                         \
  }                                                                                   \
  static void FuzzOne(std::string_view input)
#else
#define MIRELDA_FUZZ_TARGET(name)                                                                          \
  static void FuzzOne(std::string_view input);                                                             \
  [[maybe_unused]] static const bool registered_##name = ::mirelda::fuzz::RegisterTarget(#name, &FuzzOne); \
  static void FuzzOne(std::string_view input)
#endif
