// The input files of the training runs are written as the front-end writes them: file_00 with its
// parameter lines and fixed-width point lines, option_bis.txt with weights off or default.
#include "tools/trainer/pipeline_inputs.h"

#include <gtest/gtest.h>

#include "mirelda/model/residue_types.h"

using namespace mirelda::model;
using namespace mirelda::trainer;

namespace mirelda {
namespace {

std::string AtomLine(const char* atom, const char* residue, char chain, int number, double x, double y,
                     double z) {
  char line[96];
  std::snprintf(line, sizeof line, "ATOM  %5d %-4s %3s %c%4d    %8.3f%8.3f%8.3f  1.00  0.00           C\n", 1,
                atom, residue, chain, number, x, y, z);
  return line;
}

TEST(PipelineInputs, PointFileKeepsTheFrontEndsColumns) {
  BuildResidueTypeTables();
  const std::string protein = AtomLine(" CA", "GLY", 'A', -5, 1.5, -2.25, 0) +
                              AtomLine(" N", "ALA", 'A', -4, 3, 3, 3) +  // no CA: no point line
                              AtomLine(" CA", "SER", 'A', 12, 10, 20, -30.5);
  const ProteinReading reading = ReadProtein(protein);
  ASSERT_TRUE(reading.Succeeded()) << reading.failure;
  EXPECT_EQ(FrontEndPointFile(reading),
            "DEF RSPHERE 6.5\r\nDEF C_SUPER 0.8\r\nDEF C_SUPPR 3.5\r\n"
            "ATOM  00001  C   GLY A-005     001.500 -02.250 000.000\r\n"
            "ATOM  00003  C   SER A0012     010.000 020.000 -30.500\r\n");
}

TEST(PipelineInputs, ChainLinesStopAtTheFirstModelsEnd) {
  const std::string text = AtomLine(" CA", "GLY", 'A', 1, 0, 0, 1) + AtomLine(" CA", "GLY", 'B', 1, 0, 0, 2) +
                           "HETATM    3  CA  MSE A   2       0.000   0.000   3.000\nENDMDL\n" +
                           AtomLine(" CA", "GLY", 'A', 1, 0, 0, 4);
  EXPECT_EQ(ChainAtomLines(text, 'A'), AtomLine(" CA", "GLY", 'A', 1, 0, 0, 1));
}

TEST(PipelineInputs, WeightsOffWriteZeroForEveryType) {
  BuildResidueTypeTables();
  const std::string off = TessellationOptionsFile("prot", false);
  EXPECT_EQ(off.rfind("NOM_PROT:prot\r\nDCUT:16\r\nRCUT:10\r\n>A:0\r\n>C:0\r\n", 0), 0u);
  EXPECT_NE(off.find(">U:0\r\n>V:0\r\n>W:0\r\n>Y:0\r\n"), std::string::npos);
  const std::string weighted = TessellationOptionsFile("prot", true);
  EXPECT_NE(weighted.find(">A:91.5\r\n"), std::string::npos);
  EXPECT_NE(weighted.find(">W:237.2\r\n"), std::string::npos);
}

}  // namespace
}  // namespace mirelda
