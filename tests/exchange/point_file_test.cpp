// The point-line reading rule shared by every console program, and the point-line writer.
#include "brindel/exchange/point_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "brindel/exchange/residue_codes.h"

using namespace mirelda::exchange;

namespace mirelda {
namespace {

PointFile Read(const std::string& text) {
  std::istringstream in(text);
  return ReadPointFile(in);
}

TEST(PointFileReading, ReadsTheColumnsOfAWrittenLine) {
  const std::string line = FormatPointLine(7, "TRP", 'B', -12, 1.5, -22.25, 103.125);
  EXPECT_EQ(line, "ATOM      7  C   TRP B -12       1.500 -22.250 103.125\n");
  const PointRecord point = ParsePointLine(line);
  EXPECT_EQ(point.name, "TRP");
  EXPECT_EQ(point.letter, 'W');
  EXPECT_EQ(point.chain, 'B');
  EXPECT_EQ(point.residueNumber, -12);
  EXPECT_DOUBLE_EQ(point.x, 1.5);
  EXPECT_DOUBLE_EQ(point.y, -22.25);
  EXPECT_DOUBLE_EQ(point.z, 103.125);
}

// A line cut right before its chain once gave the chain '\n', and every C line of that cell broke in two.
TEST(PointFileReading, TheLineEndOfAShortLineIsNoField) {
  for (const char* end : {"\n", "\r\n", "\r"}) {
    const PointFile file = Read(std::string("ATOM      4  C   GLN ") + end);
    ASSERT_EQ(file.points.size(), 1u) << end;
    EXPECT_EQ(file.points[0].chain, ' ');
    EXPECT_EQ(file.points[0].name, "GLN");
  }
  EXPECT_EQ(ParsePointLine("ATOM      4  C   G\r\n").name, "G");
}

TEST(PointFileReading, EqualAdjacentResidueNumbersKeepOnlyTheFirstEvenAcrossChains) {
  const PointFile file = Read(FormatPointLine(1, "ALA", 'A', 5, 0, 0, 0) +
                              FormatPointLine(2, "GLY", 'B', 5, 1, 1, 1) +  // same number, other chain
                              FormatPointLine(3, "GLY", 'B', 6, 2, 2, 2) +
                              FormatPointLine(4, "SER", 'B', 5, 3, 3, 3));  // not adjacent: kept
  ASSERT_EQ(file.points.size(), 3u);
  EXPECT_EQ(file.points[0].name, "ALA");
  EXPECT_EQ(file.points[1].residueNumber, 6);
  EXPECT_EQ(file.points[2].name, "SER");
}

TEST(PointFileReading, IgnoresParameterLinesAndAtomLinesWithoutCarbonAtIndex13) {
  const PointFile file = Read(
      "DEF RSPHERE 6.5\r\n"
      "ATOM      1  N   ALA A   1       0.000   0.000   0.000\r\n"
      "HETATM    2  C   ALA A   2       0.000   0.000   0.000\r\n" +
      FormatPointLine(3, "ALA", 'A', 3, 1, 2, 3));
  ASSERT_EQ(file.points.size(), 1u);
  EXPECT_EQ(file.points[0].residueNumber, 3);
}

TEST(PointFileReading, ReadsFrontEndZeroPaddedColumnsWithCrLf) {
  // The front-end pads serials to five digits and coordinates with zeros.
  const PointFile file = Read(
      "ATOM  00001  C   LYS A0012     012.500 -01.250 000.000\r\n"
      "ATOM  00002  C   LYS A-999     999.999 -99.999 100.000\r\n"
      "ATOM  00003  C   LYS A9999     000.000 000.000 000.000\r\n");
  ASSERT_EQ(file.points.size(), 3u);
  EXPECT_EQ(file.points[0].residueNumber, 12);
  EXPECT_DOUBLE_EQ(file.points[0].x, 12.5);
  EXPECT_DOUBLE_EQ(file.points[0].y, -1.25);
  EXPECT_EQ(file.points[1].residueNumber, -999);
  EXPECT_DOUBLE_EQ(file.points[1].x, 999.999);
  EXPECT_DOUBLE_EQ(file.points[1].y, -99.999);
  EXPECT_DOUBLE_EQ(file.points[1].z, 100.0);
  EXPECT_EQ(file.points[2].residueNumber, 9999);
}

TEST(PointFileReading, CoordinatesWiderThanTheirColumnAreReadWhereThePreviousStopped) {
  // "%7.3f" of -100 or 1000 takes eight characters and shifts y and z; fixed columns would misread them.
  const std::string line = FormatPointLine(1, "ALA", 'A', 1, -100.5, 1000.25, -1234.5);
  const PointRecord point = ParsePointLine(line);
  EXPECT_DOUBLE_EQ(point.x, -100.5);
  EXPECT_DOUBLE_EQ(point.y, 1000.25);
  EXPECT_DOUBLE_EQ(point.z, -1234.5);
}

TEST(PointFileReading, CountsAminoAcidsApartFromEnvironmentPoints) {
  const PointFile file =
      Read(FormatPointLine(1, "ALA", 'A', 5, 0, 0, 0) + FormatPointLine(2, "XXX", '&', 1, 0, 0, 0) +
           FormatPointLine(3, "XXX", '&', 2, 0, 0, 0));
  ASSERT_EQ(file.points.size(), 3u);
  EXPECT_EQ(file.aminoAcidCount, 1);
  EXPECT_EQ(file.points[1].letter, 'U');
  EXPECT_TRUE(file.points[2].IsEnvironment());
}

TEST(PointFileReading, ALineLongerThanTheBufferArrivesInPieces) {
  // The 100-character buffer cuts a long line: its head is still a point, its tail a line of its own.
  std::string text = FormatPointLine(1, "ALA", 'A', 1, 1, 2, 3);
  text.insert(text.size() - 1, std::string(60, ' '));
  text += FormatPointLine(2, "GLY", 'A', 2, 0, 0, 0);
  const PointFile file = Read(text);
  ASSERT_EQ(file.points.size(), 2u);
  EXPECT_DOUBLE_EQ(file.points[0].z, 3);
  EXPECT_EQ(file.points[1].name, "GLY");
}

TEST(PointFileWriting, SerialNumbersAboveTheFieldWrapSoTheLineStillReads) {
  const std::string line = FormatPointLine(12345, "XXX", '&', 17, 1, 2, 3);
  EXPECT_EQ(line.substr(0, 14), "ATOM   2345  C");
  EXPECT_TRUE(IsPointLine(line));
}

TEST(ResidueCodes, LettersAndPositions) {
  EXPECT_EQ(LetterOf("ALA"), 'A');
  EXPECT_EQ(LetterOf("TYR"), 'Y');
  EXPECT_EQ(LetterOf("XXX"), 'U');
  EXPECT_EQ(LetterOf("000"), '0');  // the filler entries match a name of zeros
  EXPECT_EQ(LetterOf("HOH"), '0');
  EXPECT_EQ(LetterPosition('A'), 0);
  EXPECT_EQ(LetterPosition('Y'), 24);
  EXPECT_EQ(LetterPosition('0'), 1);  // the first unused entry
  EXPECT_EQ(LetterPosition('Z'), 25);
  EXPECT_EQ(LetterPosition('?'), 25);
}

}  // namespace
}  // namespace mirelda
