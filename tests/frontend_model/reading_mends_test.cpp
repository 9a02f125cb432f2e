// What a coordinate file holds beyond one conformation of one chain of standard residues: later models,
// alternate locations, inserted residues and modified amino acids are left out (and named), never merged
// into the protein in silence.
#include <gtest/gtest.h>

#include <string>

#include "mirelda/model/protein_reader.h"
#include "tests/frontend_model/protein_text.h"

using namespace mirelda::model;

namespace mirelda {
namespace {

using testing::Alanine;
using testing::AtomLine;

ProteinReading Read(const std::string& text, const ReadingOptions& options = {}) {
  ProteinReading reading = ReadProtein(text, {}, options);
  EXPECT_TRUE(reading.Succeeded()) << reading.failure;
  return reading;
}

// The same line with the alternate location (position 17) set.
std::string At(std::string line, char location) {
  line[16] = location;
  return line;
}

// The same line with the insertion code (position 27) set.
std::string Inserted(std::string line, char code) {
  line[26] = code;
  return line;
}

std::string Hetatm(std::string line) { return line.replace(0, 6, "HETATM"); }

// Text with every line of `lines` turned by `change`.
template <typename Change>
std::string EachLine(const std::string& lines, Change change) {
  std::string text;
  for (std::size_t at = 0; at < lines.size();) {
    const std::size_t end = lines.find('\n', at) + 1;
    text += change(lines.substr(at, end - at));
    at = end;
  }
  return text;
}

// A selenomethionine as deposited: HETATM records, its selenium named from column 13.
std::string Selenomethionine(int number, double x0) {
  std::string text;
  for (const char* atom : {"N", "CA", "C", "O", "CB", "CG"})
    text += Hetatm(AtomLine({atom, "MSE", 'A', number, x0, 1, 0}));
  std::string selenium = Hetatm(AtomLine({"E", "MSE", 'A', number, x0, 2, 0}));
  selenium.replace(12, 4, "SE  ");
  return text + selenium + Hetatm(AtomLine({"CE", "MSE", 'A', number, x0, 3, 0}));
}

// An NMR ensemble stacked three times gave three copies of every residue, with tiny cells.
TEST(ReadingMends, OnlyTheFirstModelIsReadAndTheOthersAreCounted) {
  const std::string model = Alanine(1) + Alanine(2, 'A', 3.8);
  const ProteinReading reading = Read("MODEL        1\n" + model + "ENDMDL\nMODEL        2\n" + model +
                                      "ENDMDL\nMODEL        3\n" + model + "ENDMDL\nEND\n");
  EXPECT_EQ(reading.ResidueCount(), 2);
  EXPECT_EQ(reading.atomLines, 10);
  EXPECT_EQ(reading.tampon, "PROBLEM FOR MODELS : 2 AFTER THE FIRST LEFT OUT\r\n");
  EXPECT_EQ(reading.ProblemCount, 1);
  // A later model is not even cut: a number out of range there stops nothing.
  std::string bad = AtomLine({"CA", "ALA", 'A', 1, 0, 0, 0});
  bad.replace(22, 5, "99999");
  EXPECT_TRUE(ReadProtein("MODEL 1\n" + model + "ENDMDL\nMODEL 2\n" + bad + "ENDMDL\n").Succeeded());
  // One model between MODEL and ENDMDL, as crystal structures sometimes have: nothing to report.
  EXPECT_EQ(Read("MODEL        1\n" + model + "ENDMDL\n").tampon, "");
}

// Two positions of one atom used to count as two atoms: the side-chain centroids moved between them and
// the CA was the last one.
TEST(ReadingMends, AlternateLocationsKeepTheFirstOfEachAtom) {
  const std::string text =
      AtomLine({"N", "SER", 'A', 1, 0, 1, 0}) + At(AtomLine({"CA", "SER", 'A', 1, 1, 1, 0}), 'A') +
      At(AtomLine({"CA", "SER", 'A', 1, 9, 9, 9}), 'B') + At(AtomLine({"CB", "SER", 'A', 1, 1, 2, 0}), 'A') +
      At(AtomLine({"OG", "SER", 'A', 1, 1, 3, 0}), 'A') + At(AtomLine({"CB", "SER", 'A', 1, 7, 7, 7}), 'B') +
      At(AtomLine({"OG", "SER", 'A', 1, 7, 8, 7}), 'B') + AtomLine({"C", "SER", 'A', 1, 2, 1, 0}) +
      AtomLine({"O", "SER", 'A', 1, 2, 0, 0}) + Alanine(2, 'A', 3.8);
  const ProteinReading reading = Read(text);
  ASSERT_EQ(reading.ResidueCount(), 2);
  const DEF_AA& serine = *reading.residues.Find(1);
  EXPECT_EQ(serine.CA(), (PointTriple{1, 1, 0}));
  EXPECT_EQ(serine.CB(), (PointTriple{1, 2, 0}));
  EXPECT_EQ(serine.CG(), (PointTriple{1, 2.5, 0})) << "CB and OG of location A only";
  EXPECT_EQ(reading.atomLines, 11);
  EXPECT_EQ(reading.tampon, "");
}

// The first location met may be B, and an atom may have a location of its own: each atom keeps its first.
TEST(ReadingMends, FirstLocationMetIsKeptWhateverItsLetter) {
  const std::string text = At(AtomLine({"CA", "GLY", 'A', 1, 1, 1, 1}), 'B') +
                           At(AtomLine({"CA", "GLY", 'A', 1, 5, 5, 5}), 'A') +
                           AtomLine({"CA", "GLY", 'A', 2, 4, 1, 1});
  const ProteinReading reading = Read(text);
  EXPECT_EQ(reading.residues.Find(1)->CA(), (PointTriple{1, 1, 1}));
  EXPECT_EQ(reading.atomLines, 2);
}

// Two residue types in one place (an arginine under A, a lysine under B): the lysine's own atoms must not
// join the arginine.
TEST(ReadingMends, AnotherResidueUnderAnotherLocationIsLeftOut) {
  const std::string text =
      At(AtomLine({"CA", "ARG", 'A', 1, 1, 1, 1}), 'A') + At(AtomLine({"CA", "LYS", 'A', 1, 2, 2, 2}), 'B') +
      At(AtomLine({"NZ", "LYS", 'A', 1, 3, 3, 3}), 'B') + At(AtomLine({"CZ", "ARG", 'A', 1, 4, 4, 4}), 'A') +
      AtomLine({"CA", "GLY", 'A', 2, 4, 1, 1});
  const ProteinReading reading = Read(text);
  EXPECT_EQ(reading.residues.Find(1)->NAME(), "R");
  EXPECT_EQ(reading.atomLines, 3);
  EXPECT_EQ(reading.residues.Find(1)->CG(), (PointTriple{4, 4, 4}));
}

// Blank-located duplicates are not alternate locations: they stay as the reader always took them.
TEST(ReadingMends, DuplicatedAtomsWithoutLocationStayAsBefore) {
  const std::string text =
      AtomLine({"CA", "ALA", 'A', 1, 1, 1, 1}) + AtomLine({"CA", "ALA", 'A', 1, 3, 3, 3});
  const ProteinReading reading = Read(text);
  EXPECT_EQ(reading.atomLines, 2);
  EXPECT_EQ(reading.residues.Find(1)->CA(), (PointTriple{3, 3, 3})) << "the last one, if repeated";
}

// A chain named '&' once became environment points: exposure 100 everywhere, no contacts, no classes.
TEST(ReadingMends, TheChainReservedForEnvironmentPointsIsLeftOutAndSaid) {
  const ProteinReading reading = Read(Alanine(1, 'A', 0) + Alanine(1, '&', 4) + Alanine(2, '&', 8));
  EXPECT_EQ(reading.ResidueCount(), 1);
  EXPECT_EQ(reading.residues.Find(1)->CHAIN(), "A");
  EXPECT_EQ(reading.tampon, "PROBLEM FOR CHAIN & : RESERVED FOR ENVIRONMENT POINTS, 2 RESIDUES LEFT OUT\r\n");
  const ProteinReading only = ReadProtein(Alanine(1, '&'));
  EXPECT_EQ(only.failure, "every residue is in chain &, which the point files reserve for environment points");
}

// 53, 53A, 53B used to be one residue with the atoms of three.
TEST(ReadingMends, InsertedResiduesAreLeftOutAndNamed) {
  const std::string text = Alanine(52) + Alanine(53, 'A', 3.8) +
                           EachLine(Alanine(53, 'A', 7.6), [](std::string l) { return Inserted(l, 'A'); }) +
                           EachLine(Alanine(53, 'A', 11.4), [](std::string l) { return Inserted(l, 'B'); }) +
                           Alanine(54, 'A', 15.2);
  const ProteinReading reading = Read(text);
  ASSERT_EQ(reading.ResidueCount(), 3);
  EXPECT_EQ(reading.residues.Find(2)->CA(), (PointTriple{4.8, 1.5, 0.5})) << "53's own atoms only";
  EXPECT_EQ(reading.tampon,
            "PROBLEM FOR ALA 53A A : INSERTION CODE, RESIDUE LEFT OUT\r\n"
            "PROBLEM FOR ALA 53B A : INSERTION CODE, RESIDUE LEFT OUT\r\n");
  EXPECT_EQ(reading.ProblemCount, 2);
}

// A residue that starts with an insertion code at a new number is an ordinary residue; so is one at the
// number of a residue of unknown type, which is not merged into the skipped one.
TEST(ReadingMends, InsertionCodeAtANewNumberStartsAResidue) {
  const std::string a = EachLine(Alanine(60, 'A', 3.8), [](std::string l) { return Inserted(l, 'A'); });
  EXPECT_EQ(Read(Alanine(59) + a + Alanine(61, 'A', 7.6)).ResidueCount(), 3);

  const std::string unknown = AtomLine({"P", " DA", 'A', 60, 0, 0, 0});
  const ProteinReading reading = Read(Alanine(59) + unknown + a);
  EXPECT_EQ(reading.ResidueCount(), 2);
  EXPECT_EQ(reading.tampon, "PROBLEM FOR DA 60 A : UNKNOWN RESIDUE SKIPPED\r\n");
}

// The four selenomethionines of 1A8O vanished, three of them reported as chain gaps.
TEST(ReadingMends, ModifiedResidueInHetatmIsNamedAndItsGapSaysSo) {
  const std::string text = Selenomethionine(1, 0) + Alanine(2, 'A', 3.8) + Selenomethionine(3, 7.6) +
                           Selenomethionine(4, 11.4) + Alanine(5, 'A', 15.2) +
                           Hetatm(AtomLine({"O", "HOH", 'A', 301, 0, 0, 0}));
  const ProteinReading reading = Read(text);
  EXPECT_EQ(reading.ResidueCount(), 2);
  EXPECT_EQ(reading.tampon,
            "PROBLEM FOR MSE 1 A : MODIFIED RESIDUE (MET) LEFT OUT\r\n"
            "PROBLEM FOR MSE 3 A : MODIFIED RESIDUE (MET) LEFT OUT\r\n"
            "PROBLEM FOR MSE 4 A : MODIFIED RESIDUE (MET) LEFT OUT\r\n"
            "PROBLEM BETWEEN A 2 A AND A 5 A : MSE 3 A, MSE 4 A LEFT OUT\r\n");
  EXPECT_EQ(reading.ProblemCount, 4);
  EXPECT_EQ(reading.modifiedReadAsParent, 0);
}

// Asked for, a modified residue is read as its parent: the selenium stands where the sulfur would.
TEST(ReadingMends, ModifiedResidueReadAsItsParentWhenAsked) {
  const std::string text = Alanine(1) + Selenomethionine(2, 3.8) + Alanine(3, 'A', 7.6);
  const ProteinReading reading = Read(text, ReadingOptions{.modifiedAsParent = true});
  ASSERT_EQ(reading.ResidueCount(), 3);
  EXPECT_EQ(reading.residues.Find(2)->NAME(), "M");
  EXPECT_EQ(reading.tampon, "") << "no SD missing, no gap";
  EXPECT_EQ(reading.modifiedReadAsParent, 1);
}

// Some programs write modified residues in ATOM records (and mmCIF files may not say which): the same
// residue, left out and named, or read as its parent.
TEST(ReadingMends, ModifiedResidueInAtomRecordsIsTheSameResidue) {
  const std::string atomRecords = Alanine(1) + AtomLine({"CA", "SEP", 'A', 2, 3.8, 1, 0});
  EXPECT_EQ(Read(atomRecords).tampon, "PROBLEM FOR SEP 2 A : MODIFIED RESIDUE (SER) LEFT OUT\r\n");
  EXPECT_EQ(Read(atomRecords, ReadingOptions{.modifiedAsParent = true}).residues.Find(2)->NAME(), "S");
  EXPECT_EQ(Read(EachLine(Selenomethionine(1, 0), [](std::string l) { return l.replace(0, 6, "ATOM  "); }) +
                 Alanine(2, 'A', 3.8))
                .tampon,
            "PROBLEM FOR MSE 1 A : MODIFIED RESIDUE (MET) LEFT OUT\r\n");
}

// A file of modified residues alone holds no residue to read.
TEST(ReadingMends, OnlyModifiedResiduesFailAsNoKnownResidue) {
  const ProteinReading reading = ReadProtein(Selenomethionine(1, 0));
  EXPECT_EQ(reading.failure, kNoKnownResidueFailure);
  EXPECT_TRUE(ReadProtein(Selenomethionine(1, 0), {}, ReadingOptions{.modifiedAsParent = true}).Succeeded());
}

// A chosen chain is read as if the others were absent: no gap or problem at the chain change, and a chain
// that the file lacks fails naming it.
TEST(ReadingMends, OnlyTheChosenChainIsRead) {
  const std::string text =
      Alanine(1, 'A') + Alanine(2, 'A', 3.8) + Alanine(7, 'B', 7.6) + Alanine(8, 'B', 11.4);
  const ProteinReading chainB = Read(text, ReadingOptions{.chain = 'B'});
  ASSERT_EQ(chainB.ResidueCount(), 2);
  EXPECT_EQ(chainB.residues.Find(1)->CHAIN(), "B");
  EXPECT_EQ(chainB.residues.Find(1)->NUM(), 7);
  EXPECT_EQ(chainB.ProblemCount, 0);
  EXPECT_EQ(Read(text).ResidueCount(), 4);
  EXPECT_EQ(ReadProtein(text, {}, ReadingOptions{.chain = 'C'}).failure,
            "no ATOM line of chain C in the protein file");
}

}  // namespace
}  // namespace mirelda
