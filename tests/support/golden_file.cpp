#include "tests/support/golden_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "tests/support/test_paths.h"
#include "tests/support/text_lines.h"

namespace mirelda::testing {

void ExpectSameLines(const std::string& actualText, const std::filesystem::path& expectedFile) {
  const char* write = std::getenv("MIRELDA_WRITE_GOLDEN");
  if (write != nullptr && std::string_view(write) == "1") {
    std::filesystem::create_directories(expectedFile.parent_path());
    WriteFileText(expectedFile, actualText);
    return;
  }
  const std::vector<std::string> expected = TextLines(ReadFileText(expectedFile));
  const std::vector<std::string> actual = TextLines(actualText);
  ASSERT_FALSE(expected.empty()) << expectedFile << " is missing or empty";
  const std::size_t common = std::min(actual.size(), expected.size());
  for (std::size_t k = 0; k < common; ++k) {
    ASSERT_EQ(actual[k], expected[k]) << expectedFile.filename() << ": first difference at line " << k + 1;
  }
  EXPECT_EQ(actual.size(), expected.size()) << expectedFile.filename() << ": the common lines agree";
}

}  // namespace mirelda::testing
