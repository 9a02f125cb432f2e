// A regression run on the CA points of the real protein 1A8O with the default weights: the C file equals
// the committed one, and the files agree with each other (face counts, contact rows).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "brindel/exchange/point_file.h"
#include "tests/support/ca_points.h"
#include "brindel/exchange/cell_lines.h"
#include "brindel/exchange/option_files.h"
#include "tests/support/golden_file.h"
#include "tests/support/point_sets.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"
#include "tests/support/text_lines.h"

namespace mirelda {
namespace {

std::vector<std::string> Lines(const std::string& text) { return testing::TextLines(text); }

class ProteinRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto pdb = testing::TestProtein("1A8O.pdb");
    if (!pdb) return;
    folder_.Write("option_bis.txt", exchange::FormatTessellationOptions("1a8o", exchange::DefaultWeights));
    folder_.Write("file_02", testing::PointFileText(testing::ReadCaPoints(*pdb)));
    std::filesystem::create_directory(folder_ / "1a8o");
    run_ = testing::RunProgram("brindel", folder_.Path());
  }
  std::string Result(const std::string& name) const { return folder_.Read("1a8o/" + name); }

  testing::ScratchFolder folder_;
  testing::ProgramRun run_;
};

TEST_F(ProteinRun, CellsAndFacesEqualTheCommittedResults) {
  ASSERT_EQ(run_.exitStatus, 0) << run_.standardError;
  EXPECT_TRUE(folder_.Exists("test_tessellation"));
  testing::ExpectSameLines(Result("C1a8o"), testing::TestDataDir() / "brindel/C1a8o");
  testing::ExpectSameLines(Result("F1a8o"), testing::TestDataDir() / "brindel/F1a8o");
}

TEST_F(ProteinRun, FilesAgreeWithEachOther) {
  const std::vector<std::string> cells = Lines(Result("C1a8o"));
  const std::vector<std::string> faces = Lines(Result("F1a8o"));
  const std::vector<std::string> contacts = Lines(Result("1a8o_contact"));
  ASSERT_EQ(cells.size(), 66u);
  ASSERT_EQ(contacts.size(), cells.size());
  std::size_t faceLine = 0, open = 0;
  for (std::size_t r = 0; r < cells.size(); ++r) {
    const std::optional<exchange::CellLine> cell = exchange::ParseCellLine(cells[r]);
    ASSERT_TRUE(cell) << cells[r];
    const int count = cell->faceCount;
    EXPECT_EQ(exchange::FormatCellLine(*cell), cells[r] + "\n");  // the line reads back whole
    open += !cell->closed;
    EXPECT_GE(cell->volume, 0);
    EXPECT_EQ(cell->environmentShare, 0);  // no environment points
    ASSERT_EQ(contacts[r].size(), cells.size());
    EXPECT_EQ(contacts[r].find_first_not_of("012"), std::string::npos);
    EXPECT_EQ(static_cast<int>(cells.size() - std::count(contacts[r].begin(), contacts[r].end(), '0')),
              count);
    EXPECT_EQ(contacts[r][r], '0');
    for (int f = 0; f < count; ++f, ++faceLine) {
      ASSERT_LT(faceLine, faces.size());
      EXPECT_EQ(faces[faceLine].substr(0, 8), cells[r].substr(0, 8));
    }
  }
  EXPECT_EQ(faceLine, faces.size());
  EXPECT_EQ(Lines(Result("1a8o_error2")).size(), open);
}

TEST_F(ProteinRun, SceneIndexListsGoRoundEachFaceOnce) {
  // Every closed cell has a block; each face's list starts at its first vertex line and names each of its
  // vertex lines exactly once.
  const std::vector<std::string> scene = Lines(Result("1a8o.wrl"));
  std::size_t blocks = 0, k = 0;
  while (k < scene.size()) {
    if (scene[k].rfind("#AADEB", 0) != 0) {
      ++k;
      continue;
    }
    ++blocks;
    while (scene[k] != "point[") ++k;
    int vertexLines = 0;
    for (++k; scene[k] != "]}"; ++k) ++vertexLines;
    while (scene[k] != "[") ++k;
    int base = 0;
    for (++k; scene[k] != "]}}"; ++k) {
      std::vector<int> indices;
      std::istringstream list(scene[k]);
      for (std::string index; std::getline(list, index, ',');) indices.push_back(std::stoi(index));
      ASSERT_GE(indices.size(), 2u);
      ASSERT_EQ(indices.back(), -1);
      indices.pop_back();
      EXPECT_EQ(indices.front(), base);
      std::vector<int> sorted = indices;
      std::sort(sorted.begin(), sorted.end());
      for (std::size_t v = 0; v < sorted.size(); ++v) EXPECT_EQ(sorted[v], base + static_cast<int>(v));
      base += static_cast<int>(indices.size());
    }
    EXPECT_EQ(base, vertexLines);
    EXPECT_EQ(scene[k + 1].substr(0, 6), "#AAFIN");
  }
  const std::vector<std::string> cells = Lines(Result("C1a8o"));
  EXPECT_EQ(blocks,
            static_cast<std::size_t>(std::count_if(cells.begin(), cells.end(),
                                                   [](const std::string& line) { return line[30] == 'V'; })));
}

}  // namespace
}  // namespace mirelda
