// Replays every seed of tests/fuzz/corpus/<target>/ and every former finding of tests/fuzz/findings/<target>/
// through the fuzz targets, so that each reader stays robust on the inputs that once broke it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_target.h"

namespace mirelda::fuzz {

namespace {

std::map<std::string, FuzzFunction>& Targets() {
  static std::map<std::string, FuzzFunction> targets;
  return targets;
}

const std::filesystem::path kFuzzDir = MIRELDA_FUZZ_DIR;

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The inputs kept for a target, in name order so that a failure is reproducible.
std::vector<std::filesystem::path> KeptInputs(const std::string& target) {
  std::vector<std::filesystem::path> inputs;
  for (const char* folder : {"corpus", "findings"}) {
    const std::filesystem::path dir = kFuzzDir / folder / target;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

bool RegisterTarget(std::string_view name, FuzzFunction function) {
  Targets().emplace(std::string(name), function);
  return true;
}

namespace {

// Every target has seeds, and every seed folder has its target (a renamed target loses no corpus).
TEST(FuzzReplay, EveryTargetHasSeedsAndEverySeedFolderATarget) {
  ASSERT_FALSE(Targets().empty());
  for (const auto& [name, function] : Targets())
    EXPECT_TRUE(std::filesystem::is_directory(kFuzzDir / "corpus" / name)) << name;
  for (const auto& entry : std::filesystem::directory_iterator(kFuzzDir / "corpus"))
    EXPECT_TRUE(Targets().count(entry.path().filename().string())) << entry.path();
}

TEST(FuzzReplay, EveryKeptInputRunsThroughItsTarget) {
  for (const auto& [name, function] : Targets()) {
    const std::vector<std::filesystem::path> inputs = KeptInputs(name);
    EXPECT_FALSE(inputs.empty()) << name;
    for (const std::filesystem::path& path : inputs) {
      SCOPED_TRACE(path.string());
      const std::string input = ReadWhole(path);
      function(input);
    }
  }
}

}  // namespace
}  // namespace mirelda::fuzz
