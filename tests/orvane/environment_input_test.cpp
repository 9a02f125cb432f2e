// Reading the inputs of the environment run: the parameter lines of file_00 among its point lines, and
// the fixed columns of the template file.
#include "orvane/environment_input.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace mirelda::exchange;
using namespace mirelda::environment;

namespace mirelda {
namespace {

EnvironmentInput Read(const std::string& text, std::vector<int>* echoed = nullptr) {
  std::istringstream in(text);
  return ReadEnvironmentInput(in, [&](const PointRecord& p) {
    if (echoed != nullptr) echoed->push_back(p.residueNumber);
  });
}

TemplateCell ReadCell(const std::string& text) {
  std::istringstream in(text);
  return ReadTemplateCell(in);
}

TEST(EnvironmentInput, ParameterLinesStandAnywhereAndTheLastOneWins) {
  std::vector<int> echoed;
  const EnvironmentInput input = Read("DEF RSPHERE 4\r\n" + FormatPointLine(1, "ALA", 'A', 1, 1, 2, 3) +
                                          "DEF C_SUPPR 3.5\r\n" + FormatPointLine(2, "GLY", 'A', 2, 4, 5, 6) +
                                          "DEF C_SUPER 0.8\n"
                                          "DEF RSPHERE 6.5\n",
                                      &echoed);
  EXPECT_DOUBLE_EQ(input.parameters.rsphere, 6.5);
  EXPECT_DOUBLE_EQ(input.parameters.cSuper, 0.8);
  EXPECT_DOUBLE_EQ(input.parameters.cSuppr, 3.5);
  ASSERT_EQ(input.protein.size(), 2u);
  EXPECT_EQ(echoed, (std::vector<int>{1, 2}));
}

TEST(EnvironmentInput, ParametersWithoutTheirLinesStayZero) {
  const EnvironmentInput input = Read("DEF RSPHERE 6.5\n" + FormatPointLine(1, "ALA", 'A', 1, 0, 0, 0));
  EXPECT_DOUBLE_EQ(input.parameters.cSuper, 0);
  EXPECT_DOUBLE_EQ(input.parameters.cSuppr, 0);
}

TEST(EnvironmentInput, KeysAreTheFirstElevenCharactersAndTheValueStartsAtIndexTwelve) {
  EnvironmentParameters p;
  EXPECT_TRUE(ApplyParameterLine("DEF C_SUPPRESSION 2", p));  // key matched, value from index 12: "SSION 2"
  EXPECT_DOUBLE_EQ(p.cSuppr, 0);
  EXPECT_TRUE(ApplyParameterLine("DEF C_SUPER=0.75", p));  // the character at index 11 is not read
  EXPECT_DOUBLE_EQ(p.cSuper, 0.75);
  EXPECT_FALSE(ApplyParameterLine("DEF RSPHER 6.5", p));
  EXPECT_FALSE(ApplyParameterLine("def RSPHERE 6.5", p));
  EXPECT_DOUBLE_EQ(p.rsphere, 0);
}

TEST(EnvironmentInput, OnlyStoredPointsAreEchoed) {
  // A repeated residue number is skipped by the reading rule and must not appear on the console either.
  std::vector<int> echoed;
  const EnvironmentInput input =
      Read(FormatPointLine(1, "ALA", 'A', 7, 0, 0, 0) + FormatPointLine(2, "ALA", 'B', 7, 1, 1, 1) +
               FormatPointLine(3, "ALA", 'B', 8, 1, 1, 1),
           &echoed);
  EXPECT_EQ(input.protein.size(), 2u);
  EXPECT_EQ(echoed, (std::vector<int>{7, 8}));
}

TEST(TemplateReading, ReadsNineCharacterColumnsWithNegativeValuesAndCrLf) {
  const TemplateCell cell = ReadCell(
      "   1.2500  -0.5000   9.3897\r\n"
      "  -9.1234   0.0001  -4.0000\n");
  ASSERT_EQ(cell.pointsRead, 2);
  EXPECT_DOUBLE_EQ(cell.points[0].x, 1.25);
  EXPECT_DOUBLE_EQ(cell.points[0].y, -0.5);
  EXPECT_DOUBLE_EQ(cell.points[0].z, 9.3897);
  EXPECT_DOUBLE_EQ(cell.points[1].x, -9.1234);
  EXPECT_DOUBLE_EQ(cell.points[1].y, 0.0001);
  EXPECT_DOUBLE_EQ(cell.points[1].z, -4);
  EXPECT_DOUBLE_EQ(cell.points[2].x, 0);  // missing lines leave the origin
}

TEST(TemplateReading, LinesBeyondTheBlockSizeAreIgnored) {
  std::string text;
  for (int t = 0; t < TemplateBlockSize + 5; ++t) text += "   1.0000   2.0000   3.0000\n";
  text += "   7.0000   7.0000   7.0000\n";
  const TemplateCell cell = ReadCell(text);
  EXPECT_EQ(cell.pointsRead, TemplateBlockSize);
  EXPECT_DOUBLE_EQ(cell.points[TemplateBlockSize - 1].x, 1);
}

}  // namespace
}  // namespace mirelda
