// The C, F and error lines, byte for byte: the front-end and attribution read them by column.
#include <gtest/gtest.h>

#include "brindel/exchange/cell_lines.h"

using namespace mirelda::exchange;

namespace mirelda {
namespace {

TEST(CellLine, HasFixedWidthsAndTheStateLetter) {
  EXPECT_EQ(FormatCellLine('A', 12, 'B', 123.4567, 45.1, 7, true, 12.34),
            "A   12 B  123.457   45.100  7 V  12.3\n");
  EXPECT_EQ(FormatCellLine('W', -5, '&', 0, 0, 0, false, 100), "W   -5 &    0.000    0.000  0 S 100.0\n");
  // Wider values widen their field rather than being cut.
  EXPECT_EQ(FormatCellLine('G', 12345, 'A', 12345.6789, 1, 123, true, 0),
            "G 12345 A 12345.679    1.000 123 V   0.0\n");
}

TEST(FaceLine, NamesBothCellsAndMeasuresTheFace) {
  EXPECT_EQ(FormatFaceLine('D', 152, 'A', false, 'I', 'A', 153, 5, 1.5, 12.25, 3.829),
            "D  152 A S : I A  153  5    1.500   12.250    3.829\n");
  EXPECT_EQ(FormatFaceLine('K', 7, 'B', true, 'U', '&', 1001, 12, 10.0005, 0, 6.2),
            "K    7 B V : U & 1001 12   10.001    0.000    6.200\n");
}

TEST(BulkWarning, UsesAThreeCharacterResidueNumber) {
  EXPECT_EQ(FormatBulkWarning('A', 5, 'B'), "WARNING : THIS AA IS NOT IN THE BULK : A   5 B\n");
  EXPECT_EQ(FormatBulkWarning('Y', 1234, 'C'), "WARNING : THIS AA IS NOT IN THE BULK : Y 1234 C\n");
}

}  // namespace
}  // namespace mirelda
