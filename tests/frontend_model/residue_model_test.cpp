// The residue-type tables, the residue records and the decimal-text routines.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "mirelda/model/decimal_text.h"
#include "mirelda/model/residue_records.h"
#include "mirelda/model/residue_types.h"

using namespace mirelda::model;

namespace mirelda {
namespace {

TEST(ResidueTypes, EnvironmentTypeInBothTables) {
  const DEF_RESIDU* byName = ResidueTypeByName("XXX");
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(byName->R1, "U");
  EXPECT_EQ(byName->ATOM, "-CA-");
  EXPECT_EQ(byName->DRAW, "");
  const DEF_RESIDU* byLetter = ResidueTypeByLetter("U");
  ASSERT_NE(byLetter, nullptr);
  EXPECT_EQ(byLetter->R1, "XXX");
  EXPECT_DOUBLE_EQ(byLetter->POIDS, 143.8);
  EXPECT_EQ(byLetter->col, PackColour(191, 184, 184));
}

// The dialogs pair the tables by position: the order is part of the contract.
TEST(ResidueTypes, PositionsAlphabeticalByCodeWithEnvironmentBetweenTAndV) {
  const ResidueTypeTable& byName = ResidueTypesByName();
  const ResidueTypeTable& byLetter = ResidueTypesByLetter();
  ASSERT_EQ(byName.Count(), kResidueTypeCount);
  ASSERT_EQ(byLetter.Count(), kResidueTypeCount);
  EXPECT_EQ(byLetter.KeyAt(1), "A");
  EXPECT_EQ(byLetter.KeyAt(kEnvironmentTypePosition), "U");
  EXPECT_EQ(byLetter.At(kEnvironmentTypePosition)->R1, "XXX");
  EXPECT_EQ(byLetter.KeyAt(21), "Y");
  const std::string codes = "ACDEFGHIKLMNPQRSTUVWY";
  for (int i = 1; i <= kResidueTypeCount; ++i) {
    EXPECT_EQ(byLetter.KeyAt(i), codes.substr(static_cast<std::size_t>(i - 1), 1));
    EXPECT_EQ(byName.At(i)->R1, byLetter.KeyAt(i)) << "position " << i;
    EXPECT_EQ(byLetter.At(i)->R1, byName.KeyAt(i)) << "position " << i;
    EXPECT_EQ(byLetter.At(i)->tei, byLetter.At(i)->col) << "position " << i;
    EXPECT_TRUE(byName.At(i)->POIDS == 0 && byName.At(i)->col == 0) << "the name table holds no weight";
    EXPECT_TRUE(byLetter.At(i)->ATOM.empty() && byLetter.At(i)->DRAW.empty());
  }
  EXPECT_EQ(byLetter.At(0), nullptr);
  EXPECT_EQ(byLetter.At(22), nullptr);
}

TEST(ResidueTypes, DefaultWeightsAndColours) {
  EXPECT_EQ(ResidueTypeByLetter("A")->col, 65515);
  EXPECT_DOUBLE_EQ(ResidueTypeByLetter("W")->POIDS, 237.2);
  EXPECT_EQ(ResidueTypeByLetter("F")->col, ResidueTypeByLetter("W")->col);
  EXPECT_EQ(ResidueTypeByName("GLY")->ATOM, "-N-C-O-CA-");
}

// The reader passes the three characters cut from the file untrimmed: a blank must not match.
TEST(ResidueTypes, KeysIgnoreCaseButNotBlanks) {
  EXPECT_EQ(ResidueTypeByName("ala"), ResidueTypeByName("ALA"));
  EXPECT_EQ(ResidueTypeByLetter("y"), ResidueTypeByLetter("Y"));
  EXPECT_EQ(ResidueTypeByName("AL "), nullptr);
  EXPECT_EQ(ResidueTypeByName(" ALA"), nullptr);
  EXPECT_EQ(ResidueTypeByName("MSE"), nullptr);
  EXPECT_EQ(ResidueTypeByLetter("B"), nullptr);
  EXPECT_EQ(ResidueTypesByName().Count(), kResidueTypeCount) << "a failed lookup adds nothing";
}

// ">C:" must not find the entry of "CA", and the last entry runs to the end of the text.
TEST(ResidueTypes, TopologyParentLookups) {
  using Parents = std::vector<std::string>;
  EXPECT_EQ(TopologyParents(">CA:N>C:CA>O:C", "C"), Parents{"CA"});
  EXPECT_EQ(TopologyParents(">CA:N>C:CA>O:C", "CA"), Parents{"N"});
  EXPECT_EQ(TopologyParents(ResidueTypeByName("TYR")->DRAW, "OH"), Parents{"CZ"});
  EXPECT_EQ(TopologyParents(ResidueTypeByName("PHE")->DRAW, "CZ"), (Parents{"CE1", "CE2"}));
  EXPECT_EQ(TopologyParents(ResidueTypeByName("PRO")->DRAW, "CD"), (Parents{"CG", "N"}));
  EXPECT_EQ(TopologyParents(ResidueTypeByName("TRP")->DRAW, "CH2"), (Parents{"CZ2", "CZ3"}));
  EXPECT_TRUE(TopologyParents(ResidueTypeByName("ALA")->DRAW, "N").empty());
  EXPECT_TRUE(TopologyParents(ResidueTypeByName("ALA")->DRAW, "H").empty());
  EXPECT_TRUE(AtomListHas("-N-C-O-CA-", "C"));
  EXPECT_FALSE(AtomListHas("-N-O-CA-", "C"));
}

TEST(ResidueRecords, FreshRecordIsZero) {
  const DEF_AA residue;
  EXPECT_EQ(residue.CA(), (PointTriple{0, 0, 0}));
  EXPECT_EQ(residue.CB(), (PointTriple{0, 0, 0}));
  EXPECT_EQ(residue.NUM(), 0);
  EXPECT_TRUE(residue.VOIS().empty());
}

TEST(ResidueRecords, OneCharacterTextsKeepFirstCharacterOrBlank) {
  DEF_AA residue;
  residue.SetCHAIN("AB");
  EXPECT_EQ(residue.CHAIN(), "A");
  residue.SetNAME("");
  EXPECT_EQ(residue.NAME(), " ");
  residue.SetIND("S");
  EXPECT_EQ(residue.IND(), "S");
}

// The face count is kept as a float: reads round ties to the even integer.
TEST(ResidueRecords, FaceCountRoundsHalfToEven) {
  DEF_AA residue;
  residue.SetNBF(7);
  EXPECT_EQ(residue.NBF(), 7);
  residue.SetNBFStored(2.5);
  EXPECT_EQ(residue.NBF(), 2);
  residue.SetNBFStored(3.5);
  EXPECT_EQ(residue.NBF(), 4);
  residue.SetNBFStored(-2.5);
  EXPECT_EQ(residue.NBF(), -2);
  residue.SetNBFStored(1e9);
  EXPECT_EQ(residue.NBF(), 32767);
}

TEST(ResidueRecords, ResidueAtCreatesOnceAndChecksBounds) {
  Residues residues;
  EXPECT_EQ(residues.ResidueCount(), 0);
  EXPECT_NO_THROW(residues.ResidueAt(0));
  EXPECT_THROW(residues.ResidueAt(1), std::out_of_range);
  EXPECT_EQ(residues.Grow(), 1);
  EXPECT_EQ(residues.Find(1), nullptr) << "a slot holds no record before its first access";
  DEF_AA& first = residues.ResidueAt(1);
  first.SetNUM(12);
  EXPECT_EQ(&residues.ResidueAt(1), &first);
  residues.Grow();
  EXPECT_EQ(&residues.ResidueAt(1), &first) << "growing keeps the records in place";
  EXPECT_EQ(residues.ResidueAt(1).NUM(), 12);
  EXPECT_THROW(residues.ResidueAt(-1), std::out_of_range);
  EXPECT_THROW(residues.ResidueAt(3), std::out_of_range);
  residues.Clear();
  EXPECT_EQ(residues.ResidueCount(), 0);
}

TEST(DecimalText, ParseDecimalAcceptsOneDecimalComma) {
  EXPECT_DOUBLE_EQ(ParseDecimal("12,75"), 12.75);
  EXPECT_DOUBLE_EQ(ParseDecimal("3.5"), 3.5);
  EXPECT_DOUBLE_EQ(ParseDecimal("1,5,2"), 1.5);
  EXPECT_DOUBLE_EQ(ParseDecimal("6,5"), 6.5);
  EXPECT_EQ(ParseDecimal("abc"), 0.0);
  EXPECT_EQ(ParseDecimal(""), 0.0);
}

TEST(DecimalText, PrefixValueRules) {
  EXPECT_DOUBLE_EQ(DecimalPrefixValue(" 1 2 . 5 "), 12.5) << "blanks are ignored anywhere";
  EXPECT_DOUBLE_EQ(DecimalPrefixValue("\t-3\n.25"), -3.25);
  EXPECT_DOUBLE_EQ(DecimalPrefixValue("1.5E2"), 150.0);
  EXPECT_DOUBLE_EQ(DecimalPrefixValue("2D-1"), 0.2);
  EXPECT_DOUBLE_EQ(DecimalPrefixValue("5E"), 5.0);
  EXPECT_DOUBLE_EQ(DecimalPrefixValue("52A"), 52.0);
  EXPECT_DOUBLE_EQ(DecimalPrefixValue(".5"), 0.5);
  EXPECT_DOUBLE_EQ(DecimalPrefixValue("+7"), 7.0);
  EXPECT_EQ(DecimalPrefixValue("-"), 0.0);
  EXPECT_EQ(DecimalPrefixValue("."), 0.0);
  EXPECT_DOUBLE_EQ(DecimalPrefixValue("12,75"), 12.0) << "only ParseDecimal turns a comma into a point";
  EXPECT_TRUE(std::isinf(DecimalPrefixValue("1E999")));
}

TEST(DecimalText, CommaToPointReplacesEveryComma) {
  EXPECT_EQ(CommaToPoint("1,234,5"), "1.234.5");
  EXPECT_EQ(CommaToPoint("6.5 abc"), "6.5 abc");
}

}  // namespace
}  // namespace mirelda
