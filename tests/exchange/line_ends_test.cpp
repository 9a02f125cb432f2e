// Files written with any of the three line ends ("\n", "\r\n", a lone "\r") read alike, whichever way the
// buffered reading cuts them.
#include "brindel/exchange/buffered_lines.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"

using namespace mirelda::exchange;

namespace mirelda {
namespace {

std::vector<std::string> Pieces(const std::string& text, std::size_t bufferSize) {
  std::istringstream in(text);
  std::vector<std::string> pieces;
  ForEachBufferedLine(in, bufferSize, [&](std::string_view piece) { pieces.emplace_back(piece); });
  return pieces;
}

TEST(BufferedLines, EachLineEndEndsALineAndStaysOnItsPiece) {
  EXPECT_EQ(Pieces("a\nb\r\nc\rd", 80), (std::vector<std::string>{"a\n", "b\r\n", "c\r", "d"}));
  EXPECT_EQ(Pieces("\r\r\n\r", 80), (std::vector<std::string>{"\r", "\r\n", "\r"}));
  EXPECT_EQ(Pieces("abcdef\rg", 4), (std::vector<std::string>{"abc", "def", "\r", "g"}));
  EXPECT_TRUE(EndsLine("x\r"));
  EXPECT_TRUE(EndsLine("x\n"));
  EXPECT_FALSE(EndsLine("x"));
}

TEST(BufferedLines, ACarriageReturnAtTheEndOfAReadBlockLooksAtTheNextBlock) {
  // The stream is read in blocks of 64 KiB: put a line end across the first boundary.
  const std::size_t block = std::size_t{1} << 16;
  for (const std::string& tail : {std::string("\nnext"), std::string("next")}) {
    std::string text(block - 1, 'x');
    text += '\r';
    text += tail;
    const std::vector<std::string> pieces = Pieces(text, 2 * block);
    ASSERT_EQ(pieces.size(), 2u) << tail.size();
    EXPECT_EQ(pieces[0], std::string(block - 1, 'x') + (tail.front() == '\n' ? "\r\n" : "\r"));
    EXPECT_EQ(pieces[1], "next");
  }
}

std::string WithLineEnds(std::string text, const std::string& end) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += end;
    } else {
      out += c;
    }
  }
  return out;
}

TEST(BufferedLines, OldMacLineEndsLoseNoPointAndNoOption) {
  std::string points;
  for (int i = 1; i <= 300; ++i) points += FormatPointLine(i, "ALA", 'A', i, i * 0.5, 0, -i * 0.25);
  for (const std::string end : {"\n", "\r\n", "\r"}) {
    std::istringstream in(WithLineEnds(points, end));
    const PointFile file = ReadPointFile(in);
    ASSERT_EQ(file.points.size(), 300u) << end.size();
    EXPECT_DOUBLE_EQ(file.points.back().z, -75.0);

    std::istringstream options(WithLineEnds("NOM_PROT:1abc\nRLX:7\nDCUT:16\nRCUT:10\nEACH\n", end));
    const RelaxationOptions read = ReadRelaxationOptions(options);
    EXPECT_EQ(read.proteinName, "1abc");
    EXPECT_EQ(read.relaxationCount, 7);
    EXPECT_DOUBLE_EQ(read.dcut, 16.0);
    EXPECT_TRUE(read.eachPass);
  }
}

}  // namespace
}  // namespace mirelda
