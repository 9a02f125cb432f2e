// The option files as the console programs' readers see them.
#include "mirelda/workflow/option_writers.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "brindel/exchange/option_files.h"
#include "mirelda/model/residue_types.h"
#include "tests/frontend_workflow/saved_weights.h"
#include "tests/support/scratch_folder.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda {
namespace {

// The weights live in the process-wide residue-type table: each test puts the defaults back.
class TessellationOptionsFile : public ::testing::Test {
  testing::SavedWeights saved_;
};

TEST_F(TessellationOptionsFile, DefaultWeightsInTableOrder) {
  EXPECT_EQ(TessellationOptionsText("1abc", true),
            "NOM_PROT:1abc\r\nDCUT:16\r\nRCUT:10\r\n"
            ">A:91.5\r\n>C:114.4\r\n>D:135.2\r\n>E:154.6\r\n>F:198.8\r\n>G:67.5\r\n>H:162.3\r\n"
            ">I:162.6\r\n>K:162.5\r\n>L:163.4\r\n>M:165.9\r\n>N:138.3\r\n>P:123.4\r\n>Q:156.4\r\n"
            ">R:196.1\r\n>S:102\r\n>T:126\r\n>U:143.8\r\n>V:138.4\r\n>W:237.2\r\n>Y:209.8\r\n");
}

TEST_F(TessellationOptionsFile, WithoutWeightsEveryLineEndsInZero) {
  ResidueTypeByLetter("A")->POIDS = 50;
  const std::string text = TessellationOptionsText("1abc", false);
  EXPECT_NE(text.find(">A:0\r\n>C:0\r\n"), std::string::npos);
  EXPECT_NE(text.find(">U:0\r\n>V:0\r\n>W:0\r\n>Y:0\r\n"), std::string::npos);
  EXPECT_EQ(text.find(">A:50"), std::string::npos);
}

TEST_F(TessellationOptionsFile, TheTessellationReaderGetsTheWeights) {
  ResidueTypeByLetter("A")->POIDS = 91.55;
  ResidueTypeByLetter("U")->POIDS = 0.25;
  testing::ScratchFolder folder;
  ASSERT_EQ(WriteTessellationOptions(folder.Path(), "2xyz", true), "");
  std::istringstream in(folder.Read("option_bis.txt"));
  const TessellationOptions options = ReadTessellationOptions(in);
  EXPECT_EQ(options.proteinName, "2xyz");
  EXPECT_DOUBLE_EQ(options.rcut, 10);
  EXPECT_DOUBLE_EQ(options.dcut, 16);
  EXPECT_DOUBLE_EQ(options.weights['A' - 'A'], 91.55);
  EXPECT_DOUBLE_EQ(options.weights['U' - 'A'], 0.25);
  EXPECT_DOUBLE_EQ(options.weights['Y' - 'A'], 209.8);
}

TEST(OptionNumbers, FifteenSignificantDigitsWithAPoint) {
  EXPECT_EQ(OptionNumberText(91.5), "91.5");
  EXPECT_EQ(OptionNumberText(102.0), "102");
  EXPECT_EQ(OptionNumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(OptionNumberText(0.0), "0");
  EXPECT_EQ(OptionNumberText(-0.0), "0");
}

TEST(RelaxationOptionsFile, NineRelaxationsWriteRlx8) {
  EXPECT_EQ(RelaxationOptionsText("1abc", 9, false, false),
            "NOM_PROT:1abc\r\nRLX:8\r\nDCUT:16\r\nRCUT:10\r\n");
  EXPECT_EQ(RelaxationOptionsText("1abc", 1, true, true),
            "NOM_PROT:1abc\r\nRLX:0\r\nDCUT:16\r\nRCUT:10\r\nEACH\r\nERROR\r\n");
  testing::ScratchFolder folder;
  ASSERT_EQ(WriteRelaxationOptions(folder.Path(), "1abc", 9, false, true), "");
  std::istringstream in(folder.Read("option.txt"));
  const RelaxationOptions options = ReadRelaxationOptions(in);
  EXPECT_EQ(options.relaxationCount, 8);
  EXPECT_FALSE(options.eachPass);
  EXPECT_TRUE(options.stopOnError);
}

}  // namespace
}  // namespace mirelda
