#include "tests/support/test_paths.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

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

}  // namespace

std::filesystem::path AppDir() { return FromEnvironmentOr("MIRELDA_APP_DIR", MIRELDA_APP_DIR); }
std::filesystem::path TestDataDir() { return MIRELDA_TEST_DATA_DIR; }
std::filesystem::path StructuresDir() {
  return FromEnvironmentOr("MIRELDA_STRUCTURES_DIR", MIRELDA_STRUCTURES_DIR);
}
std::filesystem::path SamplesDir() { return FromEnvironmentOr("MIRELDA_SAMPLES_DIR", MIRELDA_SAMPLES_DIR); }

std::optional<std::filesystem::path> SampleProtein(const std::string& fileName) {
  return IfExists(SamplesDir() / fileName);
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
