// The contract of every exchange format: what one side writes, the other side's reader gives back. Each
// writer's output goes through the reader the receiving program really uses (console programs, front-end,
// attribution), at the values the format was made for and at the edges of its columns.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "attribution/contact_file.h"
#include "brindel/exchange/cell_lines.h"
#include "brindel/exchange/contact_file.h"
#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"
#include "mirelda/model/residue_records.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/results/cell_reader.h"
#include "mirelda/results/face_reader.h"
#include "mirelda/workflow/file_00.h"
#include "mirelda/workflow/grid_model.h"
#include "mirelda/workflow/option_writers.h"
#include "mirelda/workflow/residue_table.h"
#include "mirelda/workflow/run_steps.h"
#include "orvane/environment_input.h"
#include "tests/support/comma_locale.h"
#include "tests/support/scratch_folder.h"

using namespace mirelda::exchange;

namespace mirelda {
namespace {

// The three decimals every coordinate, volume and area column carries.
constexpr double kThreeDecimals = 0.0005;

// Point files (file_00 from orvane on, file_01, file_02): written by orvane and relaxation, read by
// relaxation, brindel and the front-end. Coordinates wider than their column must still come back.
TEST(PointFileContract, EveryPointLineComesBackThroughTheReader) {
  const std::vector<PointRecord> written = {
      {'A', 'D', "ASP", 152, 21.835, 36.306, 28.144},        {'B', 'W', "TRP", -7, -0.5, 0.0, 999.999},
      {'A', 'G', "GLY", 9999, -999.999, 1234.5, -12345.678},  // wider than "%7.3f"
      {'&', 'U', "XXX", 1, 43.379, 22.645, 38.832},           // an environment point
      {'&', 'U', "XXX", 2, 25.123, 47.749, -6.674},
  };
  std::string text;
  for (std::size_t k = 0; k < written.size(); ++k)
    text += FormatPointLine(static_cast<int>(k + 1), written[k]);
  text += FormatPointLine(12345, "ALA", 'C', 3, 1, 2, 3);  // serial written modulo 10000, still a point

  std::istringstream in(text);
  const PointFile read = ReadPointFile(in);
  ASSERT_EQ(read.points.size(), written.size() + 1) << text;
  EXPECT_EQ(read.aminoAcidCount, 4);
  for (std::size_t k = 0; k < written.size(); ++k) {
    const PointRecord& expected = written[k];
    const PointRecord& point = read.points[k];
    EXPECT_EQ(point.name, expected.name) << "point " << k + 1;
    EXPECT_EQ(point.letter, expected.letter) << "point " << k + 1;
    EXPECT_EQ(point.chain, expected.chain) << "point " << k + 1;
    EXPECT_EQ(point.residueNumber, expected.residueNumber) << "point " << k + 1;
    EXPECT_NEAR(point.x, expected.x, kThreeDecimals) << "point " << k + 1;
    EXPECT_NEAR(point.y, expected.y, kThreeDecimals) << "point " << k + 1;
    EXPECT_NEAR(point.z, expected.z, kThreeDecimals) << "point " << k + 1;
  }
  EXPECT_EQ(read.points.back().residueNumber, 3);
}

// file_00 as the front-end writes it (zero-padded fields, CR LF, the three parameter lines), read by orvane.
TEST(PointFileContract, FrontEndFile00ComesBackThroughTheEnvironmentReader) {
  model::BuildResidueTypeTables();
  model::Residues residues;
  const struct {
    const char* code;
    int number;
    model::PointTriple ca;
  } entries[] = {{"D", 152, {21.835, 36.306, 28.144}}, {"K", 3, {-5.25, 0.125, 104.5}}, {"G", 4, {0, 0, 0}}};
  for (const auto& entry : entries) {
    model::DEF_AA& residue = residues.ResidueAt(residues.Grow());
    residue.SetNAME(entry.code);
    residue.SetNUM(static_cast<std::int16_t>(entry.number));
    residue.SetCHAIN("A");
    residue.SetCA(entry.ca);
  }
  std::istringstream in(workflow::File00Text(residues, "CA", "6,5", "3.5"));
  const environment::EnvironmentInput input = environment::ReadEnvironmentInput(in);
  EXPECT_DOUBLE_EQ(input.parameters.rsphere, 6.5);
  EXPECT_DOUBLE_EQ(input.parameters.cSuper, 0.8);
  EXPECT_DOUBLE_EQ(input.parameters.cSuppr, 3.5);
  ASSERT_EQ(input.protein.size(), 2u) << "G4 has no CA: no line";
  EXPECT_EQ(input.protein[0].name, "ASP");
  EXPECT_EQ(input.protein[0].chain, 'A');
  EXPECT_EQ(input.protein[0].residueNumber, 152);
  EXPECT_NEAR(input.protein[0].z, 28.144, kThreeDecimals);
  EXPECT_EQ(input.protein[1].name, "LYS");
  EXPECT_EQ(input.protein[1].residueNumber, 3);
  EXPECT_NEAR(input.protein[1].x, -5.25, kThreeDecimals);
  EXPECT_NEAR(input.protein[1].y, 0.125, kThreeDecimals);
  EXPECT_NEAR(input.protein[1].z, 104.5, kThreeDecimals);
}

// option_bis.txt from the front-end, read by brindel and attribution, also under a decimal-comma locale
// (the front-end runs in the user's).
TEST(OptionFileContract, TessellationOptionsComeBackThroughTheReader) {
  const testing::CommaLocale comma;
  const WeightTable defaults = exchange::DefaultWeightTable();
  for (const bool weighted : {true, false}) {
    std::istringstream in(workflow::TessellationOptionsText("1a8o", weighted));
    const TessellationOptions options = ReadTessellationOptions(in);
    EXPECT_EQ(options.proteinName, "1a8o");
    EXPECT_FALSE(options.nameRefused);
    EXPECT_DOUBLE_EQ(options.dcut, 16);
    EXPECT_DOUBLE_EQ(options.rcut, 10);
    for (const char letter : WeightLetters) {
      const std::size_t slot = static_cast<std::size_t>(letter - 'A');
      EXPECT_DOUBLE_EQ(options.weights[slot], weighted ? defaults[slot] : 0.0) << letter;
    }
  }

  // A weight typed in the weights dialog keeps its digits through the file.
  model::DEF_RESIDU* alanine = model::ResidueTypeByLetter("A");
  ASSERT_NE(alanine, nullptr);
  const double saved = alanine->POIDS;
  alanine->POIDS = 1234.56789;
  std::istringstream in(workflow::TessellationOptionsText("1a8o", true));
  alanine->POIDS = saved;
  EXPECT_DOUBLE_EQ(ReadTessellationOptions(in).weights[0], 1234.56789);
}

// option.txt from the front-end, read by relaxation: RLX counts the passes after the first.
TEST(OptionFileContract, RelaxationOptionsComeBackThroughTheReader) {
  const struct {
    int relaxations;
    bool each;
    bool stop;
  } cases[] = {{1, false, false}, {9, true, false}, {15, false, true}, {2, true, true}};
  for (const auto& c : cases) {
    std::istringstream in(workflow::RelaxationOptionsText("2xhe", c.relaxations, c.each, c.stop));
    const RelaxationOptions options = ReadRelaxationOptions(in);
    EXPECT_EQ(options.proteinName, "2xhe");
    EXPECT_EQ(options.relaxationCount, c.relaxations - 1);
    EXPECT_EQ(options.eachPass, c.each) << c.relaxations;
    EXPECT_EQ(options.stopOnError, c.stop) << c.relaxations;
    EXPECT_DOUBLE_EQ(options.dcut, 16);
    EXPECT_DOUBLE_EQ(options.rcut, 10);
  }
}

// The residues and residue table the protein reader leaves, for the result readers.
struct Protein {
  model::Residues residues;
  workflow::GridModel tab1;
  workflow::GridModel tab2;
};

void AddResidues(Protein& protein, const std::vector<std::pair<const char*, int>>& residues) {
  for (const auto& [code, number] : residues) {
    model::DEF_AA& residue = protein.residues.ResidueAt(protein.residues.Grow());
    residue.SetNAME(code);
    residue.SetNUM(static_cast<std::int16_t>(number));
    residue.SetCHAIN("A");
  }
  workflow::FillResidueTable(protein.tab1, protein.tab2, protein.residues);
}

// The C file from brindel, read by the front-end's cell reader.
TEST(CellFileContract, CellLinesComeBackThroughTheFrontEndReader) {
  Protein protein;
  AddResidues(protein, {{"D", 152}, {"I", 153}, {"G", -4}, {"W", 9999}});
  // The reader takes fixed columns: the widest values of "%8.3f" and "%2d" must still stand in them.
  const std::string text = FormatCellLine('D', 152, 'A', 337.968, 272.985, 18, true, 66.8) +
                           FormatCellLine('I', 153, 'A', 0.0, 0.0, 0, false, 0.0) +
                           FormatCellLine('G', -4, 'A', 9999.999, 9999.999, 99, true, 100.0) +
                           FormatCellLine('W', 9999, 'A', 0.001, 7.5, 3, false, 0.04);
  const results::ReadReport report =
      results::ReadCellText(text, "C1a8o", protein.residues, protein.tab1, {true, '.', {}});
  EXPECT_TRUE(report.Clean()) << report.Message();
  EXPECT_EQ(report.linesUsed, 4);
  const struct {
    double volume, area;
    int faces;
    const char* state;
    double exposure;
  } expected[] = {{337.968, 272.985, 18, "V", 66.8},
                  {0, 0, 0, "S", 0},
                  {9999.999, 9999.999, 99, "V", 100},
                  {0.001, 7.5, 3, "S", 0.0}};
  for (int r = 1; r <= 4; ++r) {
    const model::DEF_AA& residue = protein.residues.ResidueAt(r);
    const auto& e = expected[r - 1];
    EXPECT_NEAR(residue.VOL(), e.volume, kThreeDecimals) << "residue " << r;
    EXPECT_NEAR(residue.SUR(), e.area, kThreeDecimals) << "residue " << r;
    EXPECT_EQ(residue.NBF(), e.faces) << "residue " << r;
    EXPECT_EQ(residue.IND(), e.state) << "residue " << r;
    EXPECT_NEAR(residue.EXP(), e.exposure, 0.05) << "residue " << r;  // one decimal
  }
}

// The F file from brindel, read by the front-end's face reader: each residue's faces become its neighbours.
TEST(FaceFileContract, FaceLinesComeBackThroughTheFrontEndReader) {
  Protein protein;
  AddResidues(protein, {{"D", 152}, {"I", 153}});
  const std::string text = FormatFaceLine('D', 152, 'A', true, 'I', 'A', 153, 5, 61.876, 33.106, 3.829) +
                           FormatFaceLine('D', 152, 'A', true, 'U', '&', 12, 12, 0.0, 0.0, 9.833) +
                           FormatFaceLine('I', 153, 'A', false, 'D', 'A', 152, 5, 61.876, 33.106, 3.829);
  const results::ReadReport report = results::ReadFaceText(text, "F1a8o", protein.residues);
  EXPECT_TRUE(report.Clean()) << report.Message();
  const std::vector<model::Voisin>& d152 = protein.residues.ResidueAt(1).VOIS();
  ASSERT_EQ(d152.size(), 2u);
  EXPECT_EQ(d152[0].NUM, 153);
  EXPECT_EQ(d152[0].NOM, "I");
  EXPECT_EQ(d152[0].CHA, "A");
  EXPECT_EQ(d152[0].NBC, 5);
  EXPECT_NEAR(d152[0].SUR, 61.876, kThreeDecimals);
  EXPECT_NEAR(d152[0].PER, 33.106, kThreeDecimals);
  EXPECT_NEAR(d152[0].DIS, 3.829, kThreeDecimals);
  EXPECT_EQ(d152[1].NUM, 12);
  EXPECT_EQ(d152[1].NOM, "U");
  EXPECT_EQ(d152[1].CHA, "&");
  EXPECT_EQ(d152[1].NBC, 12);
  EXPECT_NEAR(d152[1].DIS, 9.833, kThreeDecimals);
  const std::vector<model::Voisin>& i153 = protein.residues.ResidueAt(2).VOIS();
  ASSERT_EQ(i153.size(), 1u);
  EXPECT_EQ(i153[0].NUM, 152);
}

// The bulk report from brindel (name_error2), counted by the front-end: one residue a line.
TEST(CellFileContract, BulkWarningsAreCountedByTheFrontEnd) {
  const testing::ScratchFolder folder;
  folder.Write("1a8o_error2", FormatBulkWarning('D', 152, 'A') + FormatBulkWarning('W', -12, 'B') +
                                  FormatBulkWarning('G', 9999, ' '));
  const workflow::TessellationErrors errors = workflow::CheckTessellationErrors(folder.Path(), "1a8o");
  EXPECT_TRUE(errors.failure.empty()) << errors.failure;
  EXPECT_EQ(errors.notInBulk, 3);
}

// The contact file from brindel, read by attribution: every stored contact in its place, '0' elsewhere,
// and as many rows as amino acids even when the last ones have no face.
TEST(ContactFileContract, ContactMatrixComesBackThroughAttributionsReader) {
  constexpr int kSize = 5;
  const std::vector<std::pair<int, char>> rows[kSize] = {
      {{1, '1'}, {3, '2'}}, {{0, '1'}}, {{1, '1'}}, {{0, '2'}}, {}};
  std::string written;
  for (const auto& contacts : rows) written += FormatContactRow(kSize, contacts);
  std::istringstream in(written);
  const attribution::ContactMatrix read = attribution::ReadContactMatrix(in);
  ASSERT_EQ(read.Size(), kSize);
  for (int r = 1; r <= kSize; ++r) {
    for (int t = 1; t <= kSize; ++t) {
      char expected = '0';
      if ((r == 1 && t == 2) || (r == 2 && t == 1) || (r == 3 && t == 2)) expected = '1';
      if ((r == 1 && t == 4) || (r == 4 && t == 1)) expected = '2';
      EXPECT_EQ(read.Cell(r, t), expected) << "M[" << r << "][" << t << "]";
    }
  }
}

}  // namespace
}  // namespace mirelda
