#include "tests/support/test_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

namespace mirelda::testing {
namespace {

std::filesystem::path FromEnvironmentOr(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0' ? std::filesystem::path(value) : std::filesystem::path(fallback);
}

std::optional<std::filesystem::path> IfExists(const std::filesystem::path& path) {
  if (std::filesystem::is_regular_file(path)) return path;
  return std::nullopt;
}

// GTEST_SKIP and GTEST_FAIL return from the function they are in: they get one of their own.
void ReportMissing(const std::filesystem::path& file, const std::string& howToGet) {
  if (RealInputsRequired()) {
    GTEST_FAIL() << file.string() << " is absent (" << howToGet
                 << "); under CI=true a real input is required";
  }
  GTEST_SKIP() << file.string() << " is absent (" << howToGet << ")";
}

}  // namespace

std::filesystem::path AppDir() { return FromEnvironmentOr("MIRELDA_APP_DIR", MIRELDA_APP_DIR); }
std::filesystem::path TestDataDir() { return MIRELDA_TEST_DATA_DIR; }
std::filesystem::path TestProteinsDir() { return MIRELDA_TEST_PROTEINS_DIR; }
std::filesystem::path StructuresDir() {
  return FromEnvironmentOr("MIRELDA_STRUCTURES_DIR", MIRELDA_STRUCTURES_DIR);
}
std::filesystem::path SamplesDir() { return FromEnvironmentOr("MIRELDA_SAMPLES_DIR", MIRELDA_SAMPLES_DIR); }

bool RealInputsRequired() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string_view(ci) == "true";
}

std::optional<std::filesystem::path> RequireInput(const std::filesystem::path& file,
                                                  const std::string& howToGet) {
  if (auto found = IfExists(file)) return found;
  ReportMissing(file, howToGet);
  return std::nullopt;
}

std::optional<std::filesystem::path> TestProtein(const std::string& fileName) {
  return RequireInput(TestProteinsDir() / fileName, "the build unpacks it from tests/data/proteins");
}

std::optional<std::filesystem::path> SampleProtein(const std::string& fileName) {
  return RequireInput(SamplesDir() / fileName, "tools/fetch-samples.sh fetches it");
}

std::optional<std::filesystem::path> Structure(const std::string& fileName) {
  return IfExists(StructuresDir() / fileName);
}

std::string ReadFileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFileText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

}  // namespace mirelda::testing
