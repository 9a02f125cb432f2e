// The point file of the environment step: zero-padded columns that the point-file readers read back,
// whatever the locale of the process.
#include "mirelda/workflow/file_00.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "brindel/exchange/point_file.h"
#include "mirelda/workflow/option_writers.h"
#include "tests/support/comma_locale.h"
#include "tests/support/scratch_folder.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda {
namespace {

TEST(File00Numbers, CoordinatesTakeSevenCharactersInTheirRange) {
  EXPECT_EQ(CoordinateText(0.0), "000.000");
  EXPECT_EQ(CoordinateText(-0.0), "000.000") << "a negative zero is still zero";
  EXPECT_EQ(CoordinateText(5.5), "005.500");
  EXPECT_EQ(CoordinateText(-5.5), "-05.500");
  EXPECT_EQ(CoordinateText(12.3456), "012.346");
  EXPECT_EQ(CoordinateText(999.999), "999.999");
  EXPECT_EQ(CoordinateText(-99.999), "-99.999");
  EXPECT_EQ(CoordinateText(-0.0004), "-00.000");
}

// Out of the field's range the digits are all written: the line widens instead of losing the value.
TEST(File00Numbers, WideValuesKeepTheirDigits) {
  EXPECT_EQ(CoordinateText(1234.5), "1234.500");
  EXPECT_EQ(CoordinateText(-123.4), "-123.400");
  EXPECT_EQ(SerialText(123456), "123456");
}

TEST(File00Numbers, ResidueNumbersAndSerials) {
  EXPECT_EQ(ResidueNumberText(-5), "-005");
  EXPECT_EQ(ResidueNumberText(0), "0000");
  EXPECT_EQ(ResidueNumberText(23), "0023");
  EXPECT_EQ(ResidueNumberText(-999), "-999");
  EXPECT_EQ(SerialText(7), "00007");
}

DEF_AA& AddResidue(Residues& residues, const char* code, char chain, int number, const PointTriple& ca) {
  DEF_AA& residue = residues.ResidueAt(residues.Grow());
  residue.SetNAME(code);
  residue.SetCHAIN(std::string(1, chain));
  residue.SetNUM(static_cast<std::int16_t>(number));
  residue.SetCA(ca);
  return residue;
}

TEST(File00, PointLineUsesTheAtomRecordColumns) {
  Residues residues;
  DEF_AA& residue = AddResidue(residues, "W", 'A', 10023, {1.5, -2.25, 0.0});
  const std::string line = File00PointLine(12, residue, residue.CA());
  EXPECT_EQ(line, "ATOM  00012  C   TRP A0023     001.500 -02.250 000.000\r\n");
  EXPECT_EQ(line[13], 'C');
  EXPECT_EQ(line.substr(17, 3), "TRP");
  EXPECT_EQ(line[21], 'A');
  EXPECT_EQ(line.substr(22, 4), "0023");
  EXPECT_EQ(line.substr(31, 7), "001.500");
}

TEST(File00, ParameterLinesAndSkippedResiduesKeepSerialPositions) {
  Residues residues;
  AddResidue(residues, "G", 'A', -5, {10, 20, 30});
  AddResidue(residues, "A", 'A', 1, {1, 2, 3}).SetCB({0, 0, 0});  // a residue without CB
  AddResidue(residues, "L", 'B', 2, {4, 5, 6}).SetCB({-7, 8, 9});
  AddResidue(residues, "U", '&', 3, {0, 0, 0}).SetCB({1, 1, 1});
  const std::string cb = File00Text(residues, "CB", "7,5", "3.5");
  EXPECT_EQ(cb,
            "DEF RSPHERE 7.5\r\n"
            "DEF C_SUPER 0.8\r\n"
            "DEF C_SUPPR 3.5\r\n"
            "ATOM  00003  C   LEU B0002     -07.000 008.000 009.000\r\n"
            "ATOM  00004  C   XXX &0003     001.000 001.000 001.000\r\n");
  const std::string ca = File00Text(residues, "C alpha", "6,5", "3,5");
  EXPECT_NE(ca.find("ATOM  00001  C   GLY A-005     010.000 020.000 030.000\r\n"), std::string::npos);
  EXPECT_EQ(ca.find("00004"), std::string::npos) << "a CA at (0, 0, 0) was never set";
}

TEST(File00, ThePointFileReadersReadItBack) {
  Residues residues;
  AddResidue(residues, "S", 'A', -999, {-99.999, 999.999, 0.001});
  AddResidue(residues, "K", 'A', 9999, {1234.5, -123.25, 7});  // too wide for the columns
  AddResidue(residues, "M", 'A', 9998, {1, 2, 3});
  std::istringstream in(File00Text(residues, "CA", "6,5", "3,5"));
  const PointFile file = ReadPointFile(in);
  ASSERT_EQ(file.points.size(), 3u);
  EXPECT_EQ(file.points[0].name, "SER");
  EXPECT_EQ(file.points[0].residueNumber, -999);
  EXPECT_DOUBLE_EQ(file.points[0].x, -99.999);
  EXPECT_DOUBLE_EQ(file.points[0].y, 999.999);
  EXPECT_EQ(file.points[1].residueNumber, 9999);
  EXPECT_DOUBLE_EQ(file.points[1].x, 1234.5);
  EXPECT_DOUBLE_EQ(file.points[1].y, -123.25);
  EXPECT_DOUBLE_EQ(file.points[1].z, 7);
  EXPECT_EQ(file.points[2].letter, 'M');
}

// Qt takes the user's locale; a comma locale must not reach the files of the console programs.
TEST(File00, CommaLocaleStillWritesPoints) {
  testing::CommaLocale locale;
  if (!testing::CommaLocale::Active())
    GTEST_SKIP() << "no comma locale (de_DE, fr_FR) installed or buildable";
  char printed[16];
  std::snprintf(printed, sizeof printed, "%.1f", 1.5);
  ASSERT_STREQ(printed, "1,5") << "the locale is in force for the C library";
  Residues residues;
  AddResidue(residues, "A", 'A', 1, {1.5, -2.5, 3.25});
  testing::ScratchFolder folder;
  ASSERT_EQ(WriteFile00(folder.Path(), residues, "CA", "6,5", "3,5"), "");
  EXPECT_EQ(folder.Read("file_00"),
            "DEF RSPHERE 6.5\r\nDEF C_SUPER 0.8\r\nDEF C_SUPPR 3.5\r\n"
            "ATOM  00001  C   ALA A0001     001.500 -02.500 003.250\r\n");
  EXPECT_NE(TessellationOptionsText("1abc", true).find(">A:91.5\r\n"), std::string::npos);
}

}  // namespace
}  // namespace mirelda
