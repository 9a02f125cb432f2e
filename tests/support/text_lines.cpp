#include "tests/support/text_lines.h"

#include <gtest/gtest.h>

#include "brindel/exchange/text_lines.h"

namespace mirelda::testing {

std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::string_view line : exchange::SplitLines(text)) lines.emplace_back(line);
  return lines;
}

std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace mirelda::testing
