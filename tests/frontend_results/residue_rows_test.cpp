// The delimited text of the exports and the clipboard: a CSV field that holds the separator or a quote is
// quoted, a tab-separated one never needs it; the face rows carry '.' decimals and the face table's order.
#include <gtest/gtest.h>

#include "mirelda/results/residue_rows.h"

using namespace mirelda::model;
using namespace mirelda::results;

namespace mirelda {
namespace {

TEST(DelimitedText, QuotesOnlyTheFieldsThatNeedIt) {
  const std::vector<TextRow> rows = {{"A", "12", "ALA"}, {"B", "1,5", "say \"hi\""}};
  EXPECT_EQ(DelimitedText({"chain", "resSeq", "resName"}, rows, ','),
            "chain,resSeq,resName\nA,12,ALA\nB,\"1,5\",\"say \"\"hi\"\"\"\n");
  EXPECT_EQ(DelimitedText({"chain", "resSeq"}, {{"B", "1,5"}}, '\t'), "chain\tresSeq\nB\t1,5\n");
  EXPECT_EQ(DelimitedText(HeaderOf(kResidueColumns), {}, '\t'),
            "chain\tresSeq\tiCode\tresName\taa\tx\ty\tz\tvolume\tarea\tfaces\tclosed\texposure\tbulk\tclass\n");
}

TEST(FaceRows, OneRowPerFaceInTheFaceTablesOrder) {
  DEF_AA residue;
  residue.SetVOIS({Voisin{45, "K", "A", 6, 12.25, 14.5, 6.125}, Voisin{3, "G", "B", 4, 0.5, 3.0, 9.0}});
  const std::vector<TextRow> rows = FaceRows(residue);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (TextRow{"1", "K", "45", "A", "6", "12.250", "14.500", "6.125"}));
  EXPECT_EQ(rows[1], (TextRow{"2", "G", "3", "B", "4", "0.500", "3.000", "9.000"}));
  EXPECT_EQ(rows[0].size(), kFaceRowColumns.size());
}

}  // namespace
}  // namespace mirelda
