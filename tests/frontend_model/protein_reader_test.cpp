// Reading protein text: residues and their points, the problem report and the scene texts.
#include "mirelda/model/protein_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <locale>
#include <optional>
#include <sstream>

#include "mirelda/model/decimal_text.h"
#include "mirelda/model/scene_numbers.h"
#include "tests/frontend_model/protein_text.h"
#include "tests/support/comma_locale.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/text_lines.h"

using namespace mirelda::model;

namespace mirelda {
namespace {

using testing::Alanine;
using testing::AtomLine;
using testing::CaOnlyResidue;

std::vector<std::string> Lines(const std::string& text) { return testing::CrLfLines(text); }

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

ProteinReading Read(const std::string& text) {
  ProteinReading reading = ReadProtein(text);
  EXPECT_TRUE(reading.Succeeded()) << reading.failure;
  return reading;
}

std::string CaOnlyChain(int count, int glycineAt = 0) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += CaOnlyResidue(i == glycineAt ? "GLY" : "LYS", i);
  return text;
}

// One complete alanine: nothing is missing, and the last residue never clears CaOnly.
TEST(ProteinReader, SingleCompleteAlanine) {
  const ProteinReading reading = Read(Alanine(1));
  EXPECT_EQ(reading.ResidueCount(), 1);
  EXPECT_EQ(reading.ProblemCount, 0);
  EXPECT_EQ(reading.tampon, "");
  EXPECT_TRUE(reading.CaOnly);
  ASSERT_NE(reading.residues.Find(1), nullptr);
  const DEF_AA& ala = *reading.residues.Find(1);
  EXPECT_EQ(ala.NAME(), "A");
  EXPECT_EQ(ala.CHAIN(), "A");
  EXPECT_EQ(ala.NUM(), 1);
  EXPECT_EQ(ala.CA(), (PointTriple{1.0, 1.5, 0.5}));
  EXPECT_EQ(ala.CB(), (PointTriple{1.0, 2.5, 1.5}));
  EXPECT_EQ(ala.CG(), ala.CB());
  EXPECT_EQ(ala.CG1(), (PointTriple{1.0, 2.0, 1.0}));
  const PointTriple all = ala.CG2();
  EXPECT_DOUBLE_EQ(all[0], 6.0 / 5);
  EXPECT_DOUBLE_EQ(all[1], 6.0 / 5);
  EXPECT_DOUBLE_EQ(all[2], 3.5 / 5);
}

TEST(ProteinReader, AlanineSceneLayout) {
  const ProteinReading reading = Read(Alanine(1));
  const auto prot = Lines(reading.scenes.prot);
  ASSERT_EQ(prot.size(), 21u);  // header, marker, 5 balls, 4 sticks, marker
  EXPECT_EQ(prot[0], "#VRML V2.0 utf8");
  EXPECT_EQ(prot[1], "#AADEB-A=A!1");
  EXPECT_EQ(prot[2], "Transform { translation  0  1  .5 children [");  // N
  EXPECT_NE(prot[3].find("emissiveColor 0 0 1"), std::string::npos);
  EXPECT_EQ(prot[4], "Transform { translation  1  1.5  .5 children [");  // CA
  EXPECT_TRUE(StartsWith(prot[6], "Transform {translation  0  1  .5 children [Transform {rotation"))
      << "the N-CA stick starts at N";
  EXPECT_TRUE(StartsWith(prot[8], "Transform { translation  2  1  .5"));  // C
  // ">C:CA": the C stick starts at CA, not at N (">C:" must not match ">CA:").
  EXPECT_TRUE(StartsWith(prot[10], "Transform {translation  1  1.5  .5 children [")) << prot[10];
  EXPECT_EQ(prot[20], "#AAFIN-A=A!1");
  EXPECT_EQ(Count(reading.scenes.prot, "Cylinder"), 4u);

  const auto trace = Lines(reading.scenes.trace);
  ASSERT_EQ(trace.size(), 6u);
  EXPECT_EQ(trace[1], "#AADEB-A=A!1");
  EXPECT_EQ(trace[2], "Transform { translation  1  1.5  .5 children [");
  EXPECT_EQ(trace[4], "#AAFIN-A=A!1");
  EXPECT_EQ(trace[5], "Inline {url \"view.wrl\"}");
  const auto label = Lines(reading.scenes.label);
  ASSERT_EQ(label.size(), 5u);
  EXPECT_EQ(label[2], "Transform { translation  1.7  2.2  .5 children [");
  EXPECT_NE(label[3].find("string \"A1A\""), std::string::npos);
  EXPECT_EQ(reading.scenes.view,
            "#VRML V2.0 utf8\r\nViewpoint {position  1  1.5  200.5 orientation  1  1.5  .5 0}\r\n");
}

TEST(ProteinReader, CaOnlyChainWithoutGlycine) {
  const ProteinReading reading = Read(CaOnlyChain(10));
  EXPECT_EQ(reading.ResidueCount(), 10);
  EXPECT_TRUE(reading.CaOnly);
  EXPECT_EQ(reading.ProblemCount, 10);
  const auto report = Lines(reading.tampon);
  ASSERT_EQ(report.size(), 10u);
  EXPECT_EQ(report[0], "PROBLEM FOR K 1 A : N-C-O-CB-CG-CD-CE-NZ MISSING");
  EXPECT_EQ(report[9], "PROBLEM FOR K 10 A : N-C-O-CB-CG-CD-CE-NZ MISSING")
      << "the last names its own number";
  for (int i = 1; i <= 10; ++i) {
    EXPECT_EQ(reading.residues.Find(i)->CG(), (PointTriple{0, 0, 0}));
    EXPECT_EQ(reading.residues.Find(i)->CB(), (PointTriple{0, 0, 0}));
  }
  EXPECT_EQ(Count(reading.scenes.trace, "Cylinder"), 9u);
  EXPECT_EQ(Count(reading.scenes.prot, "Cylinder"), 0u);
}

// A glycine's CA is in its side set, so the glycine proves the file has more than CA atoms.
TEST(ProteinReader, CaOnlyChainWithGlycineBeforeTheEnd) {
  const ProteinReading reading = Read(CaOnlyChain(10, 4));
  EXPECT_FALSE(reading.CaOnly);
  const DEF_AA& gly = *reading.residues.Find(4);
  EXPECT_EQ(gly.CB(), gly.CA());
  EXPECT_EQ(gly.CG(), gly.CA());
  EXPECT_EQ(Lines(reading.tampon)[3], "PROBLEM FOR G 4 A : N-C-O MISSING");
  EXPECT_TRUE(Read(CaOnlyChain(10, 10)).CaOnly) << "a glycine last does not count";
}

TEST(ProteinReader, GapWithinChainIsReportedAndNotBridged) {
  const ProteinReading reading = Read(Alanine(12) + Alanine(15, 'A', 4.0));
  EXPECT_EQ(reading.tampon, "PROBLEM BETWEEN A 12 A AND A 15 A\r\n");
  EXPECT_EQ(reading.ProblemCount, 1);
  EXPECT_EQ(Count(reading.scenes.prot, "Cylinder"), 8u) << "no peptide stick across the gap";
  EXPECT_EQ(Count(reading.scenes.trace, "Cylinder"), 0u);
}

TEST(ProteinReader, GapAcrossChainsIsNotReported) {
  const ProteinReading reading = Read(Alanine(12) + Alanine(15, 'B', 4.0));
  EXPECT_EQ(reading.ProblemCount, 0);
  EXPECT_EQ(reading.ResidueCount(), 2);
}

TEST(ProteinReader, ConsecutiveResiduesGetPeptideAndTraceSticks) {
  const ProteinReading reading = Read(Alanine(1) + Alanine(2, 'A', 3.8));
  EXPECT_EQ(Count(reading.scenes.prot, "Cylinder"), 9u);
  EXPECT_EQ(Count(reading.scenes.trace, "Cylinder"), 1u);
  const auto prot = Lines(reading.scenes.prot);
  const auto start = std::find(prot.begin(), prot.end(), "#AADEB-A=A!2");
  ASSERT_NE(start, prot.end());
  EXPECT_EQ(*(start - 1), "#AAFIN-A=A!1");
  EXPECT_TRUE(StartsWith(*(start + 1), "Transform {translation  2  1  .5 children [Transform {rotation"))
      << "the peptide stick from C(1) comes right after the start marker";
}

// The residue test compares numbers only: a new chain with the same number continues the residue.
TEST(ProteinReader, SameNumberInAnotherChainIsOneResidue) {
  const ProteinReading reading = Read(Alanine(7, 'A') + Alanine(7, 'B', 10.0));
  EXPECT_EQ(reading.ResidueCount(), 1);
  EXPECT_EQ(reading.residues.Find(1)->CHAIN(), "A");
}

TEST(ProteinReader, ResidueNumberZeroGetsNoEndMarkerBeforeTheNext) {
  const ProteinReading reading =
      Read(Alanine(5) + Alanine(0, 'A', 4) + Alanine(1, 'A', 8) + Alanine(0, 'A', 12));
  const std::string& trace = reading.scenes.trace;
  EXPECT_EQ(Count(trace, "#AADEB-A=A!0"), 2u);
  EXPECT_EQ(Count(trace, "#AAFIN-A=A!0"), 1u) << "only the one at the end of the file";
  EXPECT_TRUE(trace.find("#AAFIN-A=A!0\r\nInline") != std::string::npos);
  EXPECT_EQ(reading.ResidueCount(), 4);
}

TEST(ProteinReader, FirstResidueNumberZeroStartsAResidue) {
  const ProteinReading reading = Read(Alanine(0) + Alanine(1, 'A', 4));
  EXPECT_EQ(reading.ResidueCount(), 2);
  EXPECT_EQ(Count(reading.scenes.prot, "#AAFIN-A=A!0"), 0u);
  EXPECT_EQ(Count(reading.scenes.prot, "Cylinder"), 9u) << "0 to 1 is consecutive: peptide stick";
}

TEST(ProteinReader, SkipsOtherRecordsAndTrimsLeadingBlanks) {
  std::string text = "HEADER    TEST\nHETATM    1  O   HOH A 100       1.000   1.000   1.000\n";
  text += "   " + Alanine(1);
  text += "TER\nEND\n";
  const ProteinReading reading = Read(text);
  EXPECT_EQ(reading.ResidueCount(), 1);
  EXPECT_EQ(reading.ProblemCount, 0) << "positions count after the trimming";
}

TEST(ProteinReader, CrLfInputReadsLikeLf) {
  std::string lf = Alanine(1) + Alanine(2, 'A', 3.8), crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const ProteinReading a = Read(lf), b = Read(crlf);
  EXPECT_EQ(a.scenes.prot, b.scenes.prot);
  EXPECT_EQ(b.ProblemCount, 0);
}

// Hydrogens are side atoms but get neither ball nor stick.
TEST(ProteinReader, HydrogenHasNoBallNoStickButCountsInTheSideSet) {
  const std::string text =
      CaOnlyResidue("ALA", 1) + AtomLine({"HA", "ALA", 'A', 1, 5, 5, 5}) + CaOnlyResidue("ALA", 2);
  const ProteinReading reading = Read(text);
  EXPECT_FALSE(reading.CaOnly);
  EXPECT_EQ(reading.residues.Find(1)->CG(), (PointTriple{5, 5, 5}));
  EXPECT_EQ(Count(reading.scenes.prot, "Sphere"), 2u);
}

TEST(ProteinReader, UnknownResidueIsReportedAndSkipped) {
  std::string text = Alanine(1);
  text += AtomLine({"N", "ORN", 'A', 2, 4, 1, 0}) + AtomLine({"CA", "ORN", 'A', 2, 5, 1, 0});
  text += Alanine(3, 'A', 8);
  const ProteinReading reading = Read(text);
  EXPECT_EQ(reading.ResidueCount(), 2);
  EXPECT_EQ(reading.tampon,
            "PROBLEM FOR ORN 2 A : UNKNOWN RESIDUE SKIPPED\r\nPROBLEM BETWEEN A 1 A AND A 3 A\r\n");
  EXPECT_EQ(reading.ProblemCount, 2);
  EXPECT_EQ(reading.atomLines, 10);
  EXPECT_EQ(Count(reading.scenes.prot, "#AADEB-"), 2u);
}

TEST(ProteinReader, NucleotideIsReportedByItsTrimmedName) {
  const ProteinReading reading = Read(Alanine(1) + AtomLine({"P", " DG", 'B', 2, 0, 0, 0}));
  EXPECT_EQ(reading.tampon, "PROBLEM FOR DG 2 B : UNKNOWN RESIDUE SKIPPED\r\n");
}

TEST(ProteinReader, UnknownFirstResidue) {
  const ProteinReading reading = Read(AtomLine({"CA", "UNK", 'A', 1, 0, 0, 0}) + Alanine(2));
  EXPECT_EQ(reading.ResidueCount(), 1);
  EXPECT_TRUE(StartsWith(reading.scenes.prot, "#VRML V2.0 utf8\r\n#AADEB-A=A!2\r\n"));
}

TEST(ProteinReader, TextWithoutAtomLinesFails) {
  EXPECT_EQ(ReadProtein("").failure, "no ATOM line in the protein file");
  EXPECT_EQ(ReadProtein("HEADER\nHETATM    1  O   HOH A 100\n").failure, "no ATOM line in the protein file");
}

TEST(ProteinReader, OnlyUnknownResiduesFail) {
  const ProteinReading reading = ReadProtein(AtomLine({"CA", "ORN", 'A', 1, 0, 0, 0}));
  EXPECT_EQ(reading.failure, "no residue of a known type in the protein file");
}

TEST(ProteinReader, InfiniteCoordinateFailsWithItsLine) {
  std::string line = AtomLine({"CA", "ALA", 'A', 2, 0, 0, 0});
  line.replace(30, 8, "   1E999");  // columns 31-38
  EXPECT_EQ(ReadProtein(Alanine(1) + line).failure, "coordinate out of range in line 6");
}

// The number is a decimal prefix rounded like the 16-bit conversion: ties go to the even integer.
TEST(ProteinReader, ResidueNumberRoundsHalfToEven) {
  std::string a = AtomLine({"CA", "GLY", 'A', 0, 0, 0, 0}), b = AtomLine({"CA", "GLY", 'A', 0, 4, 0, 0});
  a.replace(22, 5, "  2.5");
  b.replace(22, 5, "  3.5");
  const ProteinReading reading = Read(a + b);
  ASSERT_EQ(reading.ResidueCount(), 2);
  EXPECT_EQ(reading.residues.Find(1)->NUM(), 2);
  EXPECT_EQ(reading.residues.Find(2)->NUM(), 4);
}

// A number of five digits (written one column too wide) was once read whole and wrapped in the point file,
// so that no result line matched its residue: every residue came back without cell, faces or class.
TEST(ProteinReader, ResidueNumberBeyondFourDigitsFailsWithItsLineAndTheLimit) {
  for (const char* number : {"40000", "10000", "-1000"}) {
    std::string big = AtomLine({"CA", "ALA", 'A', 1, 0, 0, 0});
    big.replace(22, 5, number);  // columns 23-27
    const ProteinReading reading = ReadProtein(Alanine(1) + big);
    EXPECT_EQ(reading.failure, "residue number \"" + std::string(number) +
                                   "\" in line 6: the point file holds residue numbers of four digits "
                                   "(-999 to 9999)");
  }
  std::string edge = AtomLine({"CA", "ALA", 'A', 1, 0, 0, 0});
  edge.replace(22, 5, " 9999");
  EXPECT_TRUE(ReadProtein(Alanine(1) + edge).Succeeded());
}

// A cut ATOM line once read as an atom at the origin of a residue 0: 83 residues for 66.
TEST(ProteinReader, TruncatedAtomLinesMakeNoPhantomResidues) {
  const std::string whole = AtomLine({"CB", "ALA", 'A', 1, 1.0, 2.5, 1.5});
  std::string noNumber = whole;
  noNumber.replace(22, 4, "    ");  // columns 23-26 blank
  const ProteinReading reading = Read(Alanine(1) + whole.substr(0, 40) + "\nATOM\n" + noNumber +
                                      whole.substr(0, 53) + "\n" + Alanine(2));
  ASSERT_TRUE(reading.Succeeded()) << reading.failure;
  EXPECT_EQ(reading.ResidueCount(), 2);
  EXPECT_EQ(reading.residues.Find(1)->NUM(), 1);
  EXPECT_EQ(reading.residues.Find(2)->NUM(), 2);
  EXPECT_EQ(reading.ProblemCount, 4);
  for (int line = 6; line <= 9; ++line)
    EXPECT_NE(reading.tampon.find("PROBLEM FOR LINE " + std::to_string(line) +
                                  " : ATOM LINE CUT SHORT SKIPPED\r\n"),
              std::string::npos)
        << reading.tampon;
  EXPECT_EQ(reading.caAtoms, 2);
}

// Without any CA the mean of the CA atoms is undefined: the camera looks at the centroid of all atoms.
TEST(ProteinReader, ProteinWithoutCaGetsAViewpointAboveItsAtoms) {
  const ProteinReading reading =
      Read(AtomLine({"N", "ALA", 'A', 1, 1, 0, 0}) + AtomLine({"C", "ALA", 'A', 1, 3, 2, 4}));
  EXPECT_EQ(reading.scenes.view,
            "#VRML V2.0 utf8\r\nViewpoint {position  2  1  202 orientation  2  1  2 0}\r\n");
  EXPECT_EQ(reading.caAtoms, 0);  // which the pipeline refuses
}

// Counting ATOM lines and residues in 16 bits would overflow on large structures.
TEST(ProteinReader, CountsBeyondSixteenBits) {
  std::string text;
  const int residues = 33000;  // numbering alternates 1, 2, 1, 2: every line starts a residue
  for (int i = 0; i < residues; ++i) text += AtomLine({"CA", "GLY", 'A', 1 + i % 2, 0.1 * (i % 50), 1, 2});
  const ProteinReading reading = Read(text);
  EXPECT_EQ(reading.ResidueCount(), residues);
  EXPECT_EQ(reading.atomLines, residues);
  EXPECT_EQ(reading.ProblemCount, residues);
}

TEST(ProteinReader, ProgressAfterEveryLine) {
  long long last = 0, calls = 0;
  ReadProtein(Alanine(1) + "END\n", [&](long long lines) {
    last = lines;
    ++calls;
  });
  EXPECT_EQ(calls, 6);
  EXPECT_EQ(last, 6);
}

// The front-end runs in the user's locale: a comma locale must not change what is read or written.
TEST(ProteinReader, CommaLocaleChangesNothing) {
  const std::string text = Alanine(1) + Alanine(2, 'A', 3.8) + CaOnlyResidue("TRP", 3);
  const ProteinReading plain = Read(text);

  std::optional<testing::CommaLocale> locale(std::in_place);
  const bool cLibraryComma = testing::CommaLocale::Active();
  char printed[16];
  std::snprintf(printed, sizeof printed, "%.1f", 1.5);
  std::ostringstream streamed;
  streamed << 1.5;
  const ProteinReading local = ReadProtein(text);
  const double typed = ParseDecimal("6,5");
  const std::string signedText = SignedText(-0.25), patternText = PatternText(1.4142, "0##.###");
  locale.reset();

  EXPECT_EQ(streamed.str(), "1,5") << "the comma locale is in force for the check";
  if (cLibraryComma) {
    EXPECT_STREQ(printed, "1,5");
  } else {
    std::cout << "[ NOTE     ] no comma locale for the C library; C++ streams only\n";
  }
  EXPECT_EQ(local.scenes.prot, plain.scenes.prot);
  EXPECT_EQ(local.scenes.trace, plain.scenes.trace);
  EXPECT_EQ(local.scenes.label, plain.scenes.label);
  EXPECT_EQ(local.scenes.view, plain.scenes.view);
  EXPECT_EQ(local.tampon, plain.tampon);
  EXPECT_EQ(typed, 6.5);
  EXPECT_EQ(signedText, "-.25");
  EXPECT_EQ(patternText, "1.414");
}

}  // namespace
}  // namespace mirelda
