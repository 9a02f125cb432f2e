// The check of real inputs: a missing one skips its test on a developer's machine and fails it under
// CI=true, where a skipped real-data test would let the suite pass on tests that never ran.
#include "tests/support/test_paths.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace mirelda {
namespace {

// Sets CI for one test and puts back what was there.
class CiVariable {
 public:
  explicit CiVariable(const char* value) {
    if (const char* old = std::getenv("CI")) saved_ = old;
    if (value != nullptr) {
      setenv("CI", value, 1);
    } else {
      unsetenv("CI");
    }
  }
  ~CiVariable() {
    if (saved_) {
      setenv("CI", saved_->c_str(), 1);
    } else {
      unsetenv("CI");
    }
  }
  CiVariable(const CiVariable&) = delete;
  CiVariable& operator=(const CiVariable&) = delete;

 private:
  std::optional<std::string> saved_;
};

// What RequireInput reports for a file that is not there, with CI set to the given value.
std::vector<::testing::TestPartResult> ReportsForMissingInput(const char* ci) {
  const CiVariable variable(ci);
  ::testing::TestPartResultArray reports;
  bool found = false;
  {
    const ::testing::ScopedFakeTestPartResultReporter catcher(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &reports);
    found = testing::RequireInput("/nonexistent/1XYZ.pdb", "nobody makes it").has_value();
  }
  EXPECT_FALSE(found);
  std::vector<::testing::TestPartResult> results;
  for (int k = 0; k < reports.size(); ++k) results.push_back(reports.GetTestPartResult(k));
  return results;
}

TEST(RequireInput, MissingInputSkipsOutsideCi) {
  for (const char* ci : {static_cast<const char*>(nullptr), "false", "1"}) {
    const std::vector<::testing::TestPartResult> reports = ReportsForMissingInput(ci);
    ASSERT_EQ(reports.size(), 1u) << (ci != nullptr ? ci : "unset");
    EXPECT_TRUE(reports[0].skipped());
    EXPECT_NE(std::string(reports[0].message()).find("1XYZ.pdb"), std::string::npos);
  }
}

TEST(RequireInput, MissingInputFailsUnderCi) {
  const std::vector<::testing::TestPartResult> reports = ReportsForMissingInput("true");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_TRUE(reports[0].fatally_failed());
  EXPECT_NE(std::string(reports[0].message()).find("1XYZ.pdb"), std::string::npos);
}

TEST(RequireInput, PresentInputIsReturnedEvenUnderCi) {
  const CiVariable variable("true");
  const auto protein = testing::TestProtein("1A8O.pdb");
  ASSERT_TRUE(protein);
  EXPECT_EQ(protein->filename(), "1A8O.pdb");
  EXPECT_GT(std::filesystem::file_size(*protein), 50000u) << "unpacked, not the compressed file";
}

}  // namespace
}  // namespace mirelda
