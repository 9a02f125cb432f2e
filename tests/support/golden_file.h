// Golden files: a program's output on a real input compared line by line with a committed expected file
// under tests/data, the failure naming the first line that differs.
#pragma once

#include <filesystem>
#include <string>

namespace mirelda::testing {

// Fails unless the text has the lines of the expected file (line ends aside), printing the first line that
// differs with both versions. With MIRELDA_WRITE_GOLDEN=1 in the environment it writes the text as the
// expected file instead and fails nothing: for a deliberate change of output, whose diff is then reviewed.
void ExpectSameLines(const std::string& actualText, const std::filesystem::path& expectedFile);

}  // namespace mirelda::testing
