// Protein files in every format the reader knows: PDB and mmCIF, plain and gzipped, must give one and the
// same reading of one entry; what an mmCIF file can hold beyond the point file (long chain names, more
// chains than characters, five-digit residue numbers) is mapped and said, or refused, never corrupted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "mirelda/workflow/file_00.h"
#include "mirelda/workflow/mmcif_protein.h"
#include "mirelda/workflow/protein_files.h"
#include "tests/support/mmcif_copy.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda {
namespace {

using testing::ScratchFolder;

// Everything a reading gives the rest of the system: the report, the scenes, the residues with every
// candidate point (the file_00 of each point choice, and the exact values).
void ExpectSameReading(const ProteinReading& a, const ProteinReading& b, const std::string& what) {
  ASSERT_TRUE(a.Succeeded()) << what << ": " << a.failure;
  ASSERT_TRUE(b.Succeeded()) << what << ": " << b.failure;
  EXPECT_EQ(a.tampon, b.tampon) << what;
  EXPECT_EQ(a.ProblemCount, b.ProblemCount) << what;
  EXPECT_EQ(a.CaOnly, b.CaOnly) << what;
  EXPECT_EQ(a.atomLines, b.atomLines) << what;
  EXPECT_EQ(a.modifiedReadAsParent, b.modifiedReadAsParent) << what;
  EXPECT_EQ(a.scenes.prot, b.scenes.prot) << what;
  EXPECT_EQ(a.scenes.trace, b.scenes.trace) << what;
  EXPECT_EQ(a.scenes.label, b.scenes.label) << what;
  EXPECT_EQ(a.scenes.view, b.scenes.view) << what;
  ASSERT_EQ(a.ResidueCount(), b.ResidueCount()) << what;
  for (int i = 1; i <= a.ResidueCount(); ++i) {
    const DEF_AA& x = *a.residues.Find(i);
    const DEF_AA& y = *b.residues.Find(i);
    EXPECT_TRUE(x.NUM() == y.NUM() && x.NAME() == y.NAME() && x.CHAIN() == y.CHAIN() && x.CA() == y.CA() &&
                x.CB() == y.CB() && x.CG() == y.CG() && x.CG1() == y.CG1() && x.CG2() == y.CG2())
        << what << ": residue " << i;
  }
  for (const char* point : {"CA", "CB", "CG1", "CG2", "CG3"})
    EXPECT_EQ(File00Text(a.residues, point, "6.5", "3.5"), File00Text(b.residues, point, "6.5", "3.5"))
        << what << ": " << point;
}

// An entry, its gzipped form and its mmCIF forms (made by gemmi) read alike, with and without reading the
// modified residues as their parents. The committed proteins never skip; the shared structures hold
// alternate locations (1AAY, 1A2Y) and are used when present.
TEST(ProteinFormats, PdbMmcifAndGzippedFormsOfAnEntryReadAlike) {
  std::vector<std::filesystem::path> entries;
  for (const char* name : {"1A8O.pdb", "2XHE.pdb"}) {
    const auto protein = testing::TestProtein(name);
    if (!protein) return;
    entries.push_back(*protein);
  }
  for (const char* name : {"1aay.pdb", "1a2y.pdb"})
    if (const auto structure = testing::Structure(name)) entries.push_back(*structure);

  for (const std::filesystem::path& pdb : entries) {
    ScratchFolder folder;
    const std::string stem = pdb.stem().string();
    const std::filesystem::path cif = folder / (stem + ".cif"), cifGz = folder / (stem + ".mmcif.gz");
    ASSERT_TRUE(testing::ConvertToMmcif(pdb, cif));
    ASSERT_TRUE(testing::ConvertToMmcif(pdb, cifGz));
    const std::filesystem::path pdbGz = folder / (stem + ".ent.gz");
    ASSERT_EQ(std::system(("gzip -n -c '" + pdb.string() + "' > '" + pdbGz.string() + "'").c_str()), 0);
    const std::filesystem::path unnamed = folder / (stem + "-coordinates");  // no known extension
    std::filesystem::copy_file(cif, unnamed);

    for (const bool modified : {false, true}) {
      const ReadingOptions options{.modifiedAsParent = modified};
      const ProteinReading reference = ReadProteinFile(pdb, {}, options);
      for (const std::filesystem::path& other : {cif, cifGz, pdbGz, unnamed})
        ExpectSameReading(reference, ReadProteinFile(other, {}, options),
                          other.filename().string() + (modified ? " --modified" : ""));
    }
  }
}

// 1A8O holds four selenomethionines in HETATM records; read as methionines they complete its chain.
TEST(ProteinFormats, SelenomethioninesOf1A8OReadAsMethioninesWhenAsked) {
  const auto protein = testing::TestProtein("1A8O.pdb");
  if (!protein) return;
  const ProteinReading left = ReadProteinFile(*protein);
  EXPECT_EQ(left.ResidueCount(), 66);
  EXPECT_EQ(left.tampon,
            "PROBLEM FOR MSE 151 A : MODIFIED RESIDUE (MET) LEFT OUT\r\n"
            "PROBLEM FOR MSE 185 A : MODIFIED RESIDUE (MET) LEFT OUT\r\n"
            "PROBLEM BETWEEN W 184 A AND T 186 A : MSE 185 A LEFT OUT\r\n"
            "PROBLEM FOR MSE 214 A : MODIFIED RESIDUE (MET) LEFT OUT\r\n"
            "PROBLEM FOR MSE 215 A : MODIFIED RESIDUE (MET) LEFT OUT\r\n"
            "PROBLEM BETWEEN E 213 A AND T 216 A : MSE 214 A, MSE 215 A LEFT OUT\r\n");
  const ProteinReading read = ReadProteinFile(*protein, {}, ReadingOptions{.modifiedAsParent = true});
  EXPECT_EQ(read.ResidueCount(), 70);
  EXPECT_EQ(read.modifiedReadAsParent, 4);
  EXPECT_EQ(read.tampon, "");
  EXPECT_EQ(read.residues.Find(1)->NAME(), "M");
  EXPECT_EQ(read.residues.Find(1)->NUM(), 151);
}

// A small mmCIF text: one atom_site row per atom (model, chain name, residue, number, insertion code).
struct Site {
  int model;
  const char* chain;
  const char* residue;
  int number;
  const char* atom;
  double x;
};

std::string Mmcif(const std::vector<Site>& sites) {
  std::string text =
      "data_TEST\nloop_\n_atom_site.group_PDB\n_atom_site.id\n_atom_site.type_symbol\n"
      "_atom_site.label_atom_id\n_atom_site.label_alt_id\n_atom_site.label_comp_id\n_atom_site.label_asym_"
      "id\n"
      "_atom_site.label_entity_id\n_atom_site.label_seq_id\n_atom_site.pdbx_PDB_ins_code\n_atom_site.Cartn_"
      "x\n"
      "_atom_site.Cartn_y\n_atom_site.Cartn_z\n_atom_site.occupancy\n_atom_site.B_iso_or_equiv\n"
      "_atom_site.auth_seq_id\n_atom_site.auth_asym_id\n_atom_site.pdbx_PDB_model_num\n";
  int id = 0;
  for (const Site& s : sites)
    text += "ATOM " + std::to_string(++id) + " " + std::string(1, s.atom[0]) + " " + s.atom + " . " +
            s.residue + " " + s.chain + " 1 " + std::to_string(s.number) + " ? " + std::to_string(s.x) +
            " 1.0 0.5 1.0 20.0 " + std::to_string(s.number) + " " + s.chain + " " + std::to_string(s.model) +
            "\n";
  return text;
}

ProteinReading ReadMmcif(const std::string& text) { return ReadMmcifProtein(text, "test.cif", {}, {}); }

// Chain names of several characters are common in mmCIF-only entries; the point file holds one.
TEST(ProteinFormats, LongChainNamesAreReadUnderFreeCharactersAndSaid) {
  const ProteinReading reading = ReadMmcif(Mmcif({{1, "A", "ALA", 1, "CA", 0},
                                                  {1, "AA", "ALA", 1, "CA", 4},
                                                  {1, "B", "GLY", 2, "CA", 8},
                                                  {1, "xyz", "GLY", 3, "CA", 12}}));
  ASSERT_TRUE(reading.Succeeded()) << reading.failure;
  ASSERT_EQ(reading.ResidueCount(), 3) << "A 1 and AA 1 follow each other with one number";
  EXPECT_EQ(reading.residues.Find(3)->CHAIN(), "D") << "C is the first character no chain holds";
  const std::string said =
      "PROBLEM FOR CHAIN AA : NAME OF 2 CHARACTERS, READ AS CHAIN C\r\n"
      "PROBLEM FOR CHAIN xyz : NAME OF 3 CHARACTERS, READ AS CHAIN D\r\n";
  EXPECT_EQ(reading.tampon.substr(0, said.size()), said);
}

TEST(ProteinFormats, MoreChainsThanCharactersAreRefusedNamingTheLimit) {
  std::vector<std::string> names;
  std::vector<Site> sites;
  for (int i = 0; i < 63; ++i) names.push_back(std::string(1, 'C').append(std::to_string(i)));
  for (int i = 0; i < 63; ++i)
    sites.push_back({1, names[static_cast<std::size_t>(i)].c_str(), "GLY", i + 1, "CA", i * 4.0});
  const ProteinReading reading = ReadMmcif(Mmcif(sites));
  EXPECT_EQ(reading.failure,
            "test.cif: the structure has 63 chains; one character a chain (A-Z, a-z, 0-9) names at most 62");
  sites.pop_back();
  EXPECT_TRUE(ReadMmcif(Mmcif(sites)).Succeeded()) << "62 chains fit";
}

TEST(ProteinFormats, ResidueNumbersBeyondFourDigitsAreRefused) {
  const ProteinReading reading =
      ReadMmcif(Mmcif({{1, "A", "GLY", 9999, "CA", 0}, {1, "A", "GLY", 10000, "CA", 4}}));
  EXPECT_EQ(reading.failure,
            "test.cif: residue GLY 10000 of chain A: the point file holds residue numbers of four digits "
            "(-999 to 9999)");
}

// The same rules as a PDB file: the first model alone, the others counted.
TEST(ProteinFormats, MmcifModelsAfterTheFirstAreCounted) {
  const ProteinReading reading = ReadMmcif(
      Mmcif({{1, "A", "GLY", 1, "CA", 0}, {2, "A", "GLY", 1, "CA", 1}, {3, "A", "GLY", 1, "CA", 2}}));
  EXPECT_EQ(reading.ResidueCount(), 1);
  EXPECT_TRUE(reading.tampon.ends_with("\r\nPROBLEM FOR MODELS : 2 AFTER THE FIRST LEFT OUT\r\n"))
      << reading.tampon;
}

// A .pdb.gz gave "no ATOM line" and a .cif "no residue of a known type"; a file of neither format must say
// which formats are read.
TEST(ProteinFormats, AFileOfNeitherFormatNamesTheFormatsRead) {
  ScratchFolder folder;
  folder.Write("notes.txt", "These are not coordinates.\n");
  const ProteinReading text = ReadProteinFile(folder / "notes.txt");
  EXPECT_EQ(text.failure,
            (folder / "notes.txt").string() + " holds no atom record: " + std::string(kProteinFormatsRead));
  folder.Write("broken.cif", "data_X\nloop_\n_a.b\n'unterminated\n");
  const ProteinReading cif = ReadProteinFile(folder / "broken.cif");
  EXPECT_EQ(cif.failure.rfind((folder / "broken.cif").string() + " cannot be read as mmCIF: ", 0), 0u)
      << cif.failure;
  folder.Write("empty.cif", "data_X\n_cell.length_a 10\n");
  EXPECT_EQ(ReadProteinFile(folder / "empty.cif").failure,
            (folder / "empty.cif").string() + " holds no atom record: " + std::string(kProteinFormatsRead));
  ASSERT_EQ(std::system(("printf 'not gzip at all' | gzip -c | head -c 12 > '" +
                         (folder / "cut.pdb.gz").string() + "'")
                            .c_str()),
            0);
  EXPECT_EQ(ReadProteinFile(folder / "cut.pdb.gz").failure,
            "cannot read " + (folder / "cut.pdb.gz").string() + " (gzip data cut short or damaged)");
}

}  // namespace
}  // namespace mirelda
