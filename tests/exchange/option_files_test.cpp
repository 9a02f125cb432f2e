// The option files: key prefixes, the value after the first ':', last occurrence wins, defaults.
#include "brindel/exchange/option_files.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace mirelda::exchange;

namespace mirelda {
namespace {

TessellationOptions Tessellation(const std::string& text) {
  std::istringstream in(text);
  return ReadTessellationOptions(in);
}

RelaxationOptions Relaxation(const std::string& text) {
  std::istringstream in(text);
  return ReadRelaxationOptions(in);
}

TEST(TessellationOptionsReading, OnlyTheNameLeavesEveryDefault) {
  const TessellationOptions options = Tessellation("NOM_PROT:1abc\r\n");
  EXPECT_EQ(options.proteinName, "1abc");
  EXPECT_DOUBLE_EQ(options.rcut, 10);
  EXPECT_DOUBLE_EQ(options.dcut, 16);
  EXPECT_DOUBLE_EQ(options.Rcut2(), 100);
  EXPECT_DOUBLE_EQ(options.Dcut2(), 256);
  for (double weight : options.weights) EXPECT_EQ(weight, 0);
}

TEST(TessellationOptionsReading, TheFrontEndFileWithCrLf) {
  const TessellationOptions options =
      Tessellation("NOM_PROT:1abc\r\nDCUT:16\r\nRCUT:10\r\n>A:88.6\r\n>U:120\r\n>Y:193.6\r\n>W:0\r\n");
  EXPECT_DOUBLE_EQ(options.weights['A' - 'A'], 88.6);
  EXPECT_DOUBLE_EQ(options.weights['U' - 'A'], 120);
  EXPECT_DOUBLE_EQ(options.weights['Y' - 'A'], 193.6);
}

TEST(TessellationOptionsReading, NameKeepsFourCharactersAndLastLineWins) {
  EXPECT_EQ(Tessellation("NOM_PROT:1abcdef\n").proteinName, "1abc");
  const TessellationOptions options = Tessellation("RCUT:7\nNOM_PROT:aaaa\nRCUT: 8.5e0x\nNOM_PROT:bbbb\n");
  EXPECT_EQ(options.proteinName, "bbbb");
  EXPECT_DOUBLE_EQ(options.rcut, 8.5);
}

TEST(TessellationOptionsReading, KeysAreCaseSensitivePrefixesAndValuesFollowTheFirstColon) {
  const TessellationOptions options = Tessellation("rcut:3\n>A weight:12:5\n>a:4\nDCUTOFF:9\n>B:3\n");
  EXPECT_DOUBLE_EQ(options.rcut, 10);
  EXPECT_DOUBLE_EQ(options.weights[0], 12);
  EXPECT_DOUBLE_EQ(options.dcut, 9);  // "DCUT" is a prefix of "DCUTOFF"
  EXPECT_EQ(options.weights[1], 0);   // no weight line exists for B
}

TEST(TessellationOptionsReading, AKeyWithoutColonOrNumberSetsNothingOrZero) {
  const TessellationOptions options = Tessellation("RCUT 7\nDCUT:abc\n");
  EXPECT_DOUBLE_EQ(options.rcut, 10);  // no ':' : the line sets nothing
  EXPECT_DOUBLE_EQ(options.dcut, 0);   // no number after the colon reads as 0
}

TEST(TessellationOptionsReading, ANameThatWouldLeaveTheWorkingFolderIsRefused) {
  for (const char* line : {"NOM_PROT:../x\n", "NOM_PROT:a/bc\n", "NOM_PROT:..\n", "NOM_PROT:\r\n"}) {
    const TessellationOptions options = Tessellation(line);
    EXPECT_EQ(options.proteinName, "prot") << line;
    EXPECT_TRUE(options.nameRefused) << line;
  }
  EXPECT_EQ(Tessellation("NOM_PROT:ab\r\n").proteinName, "ab");  // short: ends at the line end
}

// RLX:2147483647 overflowed the pass counter of relaxation (a hang in a release build): the reader caps it
// and says so; the last RLX line decides.
TEST(RelaxationOptionsReading, HugeRlxIsCappedAndFlagged) {
  for (const char* text : {"RLX:2147483647\n", "RLX:99999999999999999999\n", "RLX:1000\n"}) {
    const RelaxationOptions options = Relaxation(text);
    EXPECT_EQ(options.relaxationCount, MaxRelaxationCount) << text;
    EXPECT_TRUE(options.relaxationCountCapped) << text;
  }
  const RelaxationOptions largest = Relaxation("RLX:999\n");
  EXPECT_EQ(largest.relaxationCount, 999);
  EXPECT_FALSE(largest.relaxationCountCapped);
  EXPECT_FALSE(Relaxation("RLX:2147483647\nRLX:3\n").relaxationCountCapped);
}

TEST(RelaxationOptionsReading, DefaultsAndSwitches) {
  const RelaxationOptions defaults = Relaxation("NOM_PROT:1abc\n");
  EXPECT_EQ(defaults.relaxationCount, 9);
  EXPECT_FALSE(defaults.eachPass);
  EXPECT_FALSE(defaults.stopOnError);

  const RelaxationOptions options =
      Relaxation("NOM_PROT:1abc\r\nRLX:2\r\nDCUT:16\r\nRCUT:10\r\nEACH whatever\r\nERROR!\r\n");
  EXPECT_EQ(options.relaxationCount, 2);
  EXPECT_TRUE(options.eachPass);
  EXPECT_TRUE(options.stopOnError);
  EXPECT_EQ(Relaxation("RLX:-1\n").relaxationCount, -1);
}

}  // namespace
}  // namespace mirelda
