// The contact characters, the reference areas behind them, and the contact matrix file.
#include "brindel/contacts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "brindel/contact_area_table.h"
#include "brindel/exchange/contact_file.h"
#include "tests/support/point_sets.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda {
namespace {

using testing::MakePoint;

TEST(ContactReferenceAreas, AlanineRowAtSeparationTwoIsTheKnownOne) {
  const std::string letters = "ACDEFGHIKLMNPQRSTVWY";
  const double row[] = {2.39, 3.39, 3.99, 2.63, 3.56, 3.65, 3.85, 3.3,  2.65, 2.86,
                        2.71, 3.97, 3.74, 2.9,  2.57, 4.1,  3.53, 2.98, 2.82, 3.17};
  for (std::size_t k = 0; k < letters.size(); ++k) {
    EXPECT_EQ(ContactReferenceArea(2, 'A', letters[k]), row[k]) << letters[k];
  }
}

TEST(ContactReferenceAreas, AreSymmetricPositiveAndWithinTheirRanges) {
  const double low[] = {2.39, 6.51, 4.58, 3.68, 2.36}, high[] = {6.63, 17.6, 11.83, 14.87, 19.71};
  for (int s = 2; s <= 6; ++s) {
    for (char a : ContactLetters) {
      for (char b : ContactLetters) {
        const double area = ContactReferenceArea(s, a, b);
        EXPECT_EQ(area, ContactReferenceArea(s, b, a));
        EXPECT_GE(area, low[s - 2]);
        EXPECT_LE(area, high[s - 2]);
      }
    }
  }
}

TEST(ContactReferenceAreas, AreZeroForLettersOfNoAminoAcid) {
  for (char letter : std::string("BJOUXZ0")) {
    EXPECT_EQ(ContactReferenceArea(3, letter, 'A'), 0);
    EXPECT_EQ(ContactReferenceArea(3, 'A', letter), 0);
  }
  EXPECT_EQ(ContactReferenceArea(1, 'A', 'A'), 0);
  EXPECT_EQ(ContactReferenceArea(7, 'A', 'A'), 0);
}

TEST(ContactCharacters, LargeFacesCloseInSequenceAreTwo) {
  const PointRecord centre = MakePoint(0, 0, 0, "ALA", 'A', 10);
  EXPECT_EQ(ContactCharacter(centre, MakePoint(0, 0, 0, "ALA", 'A', 12), 4.40), '2');
  // The area must exceed the reference plus the margin strictly.
  EXPECT_EQ(ContactCharacter(centre, MakePoint(0, 0, 0, "ALA", 'A', 12), 2.39 + 2.0), '1');
  EXPECT_EQ(ContactCharacter(centre, MakePoint(0, 0, 0, "ALA", 'A', 4), 100), '2');
}

TEST(ContactCharacters, OtherFacesAreOne) {
  const PointRecord centre = MakePoint(0, 0, 0, "ALA", 'A', 10);
  EXPECT_EQ(ContactCharacter(centre, MakePoint(0, 0, 0, "ALA", 'A', 11), 100), '1');  // separation 1
  EXPECT_EQ(ContactCharacter(centre, MakePoint(0, 0, 0, "ALA", 'A', 17), 100), '1');  // separation 7
  EXPECT_EQ(ContactCharacter(centre, MakePoint(0, 0, 0, "ALA", 'B', 12), 100), '1');  // other chain
  // Equal numbers in one chain lie outside the reference table.
  EXPECT_EQ(ContactCharacter(centre, MakePoint(0, 0, 0, "GLY", 'A', 10), 100), '1');
}

TEST(ContactCharacters, AResidueOfNoTypeNeverIndexesOutOfTheTable) {
  // A reference of 0 for an unknown letter: only the margin is left.
  const PointRecord centre = MakePoint(0, 0, 0, "ZZZ", 'A', 10);
  EXPECT_EQ(ContactCharacter(centre, MakePoint(0, 0, 0, "ALA", 'A', 12), 2.5), '2');
}

TEST(ContactMatrixFile, IsOneLineOfCharactersPerAminoAcid) {
  const std::vector<std::pair<int, char>> rows[3] = {
      {{1, '1'}, {2, '2'}}, {}, {{0, '1'}, {0, '2'}, {3, '1'}}};
  std::string out, row;
  for (const auto& contacts : rows) {
    FormatContactRow(3, contacts, row);
    out += row;
  }
  // The last entry for a column holds; a column out of the matrix is left out.
  EXPECT_EQ(out, "012\n000\n200\n");
}

TEST(ContactMatrixFile, RanksSkipEnvironmentPoints) {
  const std::vector<PointRecord> points = {MakePoint(0, 0, 0), MakePoint(0, 0, 0, "XXX", '&'),
                                           MakePoint(0, 0, 0, "GLY")};
  EXPECT_EQ(AminoAcidRanks(points), (std::vector<int>{0, -1, 1}));
}

}  // namespace
}  // namespace mirelda
