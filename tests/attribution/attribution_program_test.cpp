// The attribution program run in a scratch working folder: its console lines, class file and marker.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>

#include "attribution/contact_file.h"
#include "attribution/contact_pattern.h"
#include "attribution/pattern_table_file.h"
#include "tests/support/scratch_folder.h"

using namespace mirelda::attribution;

namespace mirelda {
namespace {

using testing::RunProgram;
using testing::ScratchFolder;

std::string EmptyContactFile(int n) {
  std::string text;
  for (int r = 0; r < n; ++r) text += std::string(static_cast<std::size_t>(n), '0') + "\n";
  return text;
}

// A table with one entry per given pattern, every count at the window state `state` for all five residues.
std::string Table(const std::vector<std::string>& patterns, int state) {
  std::string text;
  for (const std::string& pattern : patterns) {
    PatternEntry entry;
    entry.keyText = pattern;
    entry.counts[static_cast<std::size_t>(CountIndex({state, state, state, state, state}))] = 12;
    text += *FormatPatternEntryLine(entry) + "\n";
  }
  return text;
}

// Tables whose one entry no empty contact matrix meets: every residue of such a protein is coil.
const std::string kUnmetTable = Table({"1111111111"}, 1);

// A folder with option_bis.txt for protein 1abc, both tables of one unmet entry and, when given, its
// contact file.
void Prepare(const ScratchFolder& folder, const std::string* contacts) {
  folder.Write("option_bis.txt", "NOM_PROT:1abc\r\nDCUT:16\r\nRCUT:10\r\n>A:88.6\r\n");
  folder.Write("Tab_cen_2", kUnmetTable);
  folder.Write("Tab_ext_2", kUnmetTable);
  std::filesystem::create_directory(folder / "1abc");
  if (contacts != nullptr) folder.Write("1abc/1abc_contact", *contacts);
}

constexpr const char* kTablesRead = "reading Tab_cen_2 ...\nreading Tab_ext_2 ...\n";

TEST(AttributionProgram, PatternsWithoutEntryAreCoil) {
  ScratchFolder folder;
  const std::string contacts = EmptyContactFile(3);
  Prepare(folder, &contacts);
  const testing::ProgramRun run = RunProgram("attribution", folder.Path());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.standardError, std::string(kTablesRead) + "1abc\nreading 1abc/1abc_contact ...\n");
  EXPECT_EQ(folder.Read("1abc/1abc_resu"), "c\nc\nc\n");
  EXPECT_TRUE(folder.Exists("test_attribution"));
}

// A missing, empty or half-copied table once gave status 0, the marker and every class 'c'.
TEST(AttributionProgram, MissingEmptyOrCutTablesEndWithoutMarker) {
  const std::string whole = Table({"0000000001", "0000000002"}, 1);
  const std::pair<std::string, std::string> cases[] = {
      {"", "cannot open Tab_cen\n"},
      {"\n", "reading Tab_cen_2 ...\nTab_cen_2 no entry\n"},
      {whole.substr(0, 1470 + 700),
       "reading Tab_cen_2 ...\nTab_cen_2 line 2: 700 characters, expected 1469\n"},
      {whole.substr(0, 1470 + 1469), "reading Tab_cen_2 ...\nTab_cen_2 line 2: no line end\n"}};
  for (const auto& [table, message] : cases) {
    ScratchFolder folder;
    const std::string contacts = EmptyContactFile(3);
    Prepare(folder, &contacts);
    if (table.empty())
      std::filesystem::remove(folder / "Tab_cen_2");
    else
      folder.Write("Tab_cen_2", table);
    const testing::ProgramRun run = RunProgram("attribution", folder.Path());
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.standardError, message);
    EXPECT_FALSE(folder.Exists("test_attribution"));
    EXPECT_FALSE(folder.Exists("1abc/1abc_resu"));
  }
  // The terminal table is checked the same way.
  ScratchFolder folder;
  const std::string contacts = EmptyContactFile(3);
  Prepare(folder, &contacts);
  folder.Write("Tab_ext_2", whole.substr(0, 100));
  const testing::ProgramRun run = RunProgram("attribution", folder.Path());
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.standardError,
            std::string(kTablesRead) + "Tab_ext_2 line 1: 100 characters, expected 1469\n");
  EXPECT_FALSE(folder.Exists("test_attribution"));
}

TEST(AttributionProgram, TablesGiveTheClassesOfTheirPatterns) {
  ScratchFolder folder;
  const std::string contacts = EmptyContactFile(5);
  Prepare(folder, &contacts);
  std::istringstream in(contacts);
  const ContactMatrix matrix = ReadContactMatrix(in);
  std::vector<std::string> patterns;
  for (int i = 1; i <= 5; ++i) patterns.push_back(BuildContactPattern(matrix, i).text);
  folder.Write("Tab_ext_2", Table(patterns, 0));
  folder.Write("Tab_cen_2", Table(patterns, 1));
  const testing::ProgramRun run = RunProgram("attribution", folder.Path());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.standardError,
            "reading Tab_cen_2 ...\nreading Tab_ext_2 ...\n1abc\nreading 1abc/1abc_contact ...\n");
  EXPECT_EQ(folder.Read("1abc/1abc_resu"), "a\na\na\na\na\n");
  EXPECT_TRUE(folder.Exists("test_attribution"));
}

TEST(AttributionProgram, ShortRowsAreReportedAfterTheReading) {
  ScratchFolder folder;
  std::string contacts = EmptyContactFile(13);
  contacts.replace(0, 14, "000\r\n");
  Prepare(folder, &contacts);
  const testing::ProgramRun run = RunProgram("attribution", folder.Path());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.standardError, std::string(kTablesRead) +
                                   "1abc\nreading 1abc/1abc_contact ...\nNter : AUTRE ERREUR : 222220 6\n");
  std::string classes;
  for (int r = 0; r < 13; ++r) classes += "c\n";
  EXPECT_EQ(folder.Read("1abc/1abc_resu"), classes);
}

TEST(AttributionProgram, ProteinsBeyondTwoAndAHalfThousandResiduesKeepOneLinePerResidue) {
  // Rows longer than a 2505-character buffer once became extra residues.
  ScratchFolder folder;
  const std::string contacts = EmptyContactFile(2600);
  Prepare(folder, &contacts);
  const testing::ProgramRun run = RunProgram("attribution", folder.Path());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(folder.Read("1abc/1abc_resu").size(), 2u * 2600u);
}

TEST(AttributionProgram, MissingContactFileEndsWithoutMarker) {
  // The front end waits for the marker: a run that computed nothing must not announce completion.
  ScratchFolder folder;
  Prepare(folder, nullptr);
  const testing::ProgramRun run = RunProgram("attribution", folder.Path());
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.standardError, std::string(kTablesRead) + "1abc\ncannot open 1abc/1abc_contact\n");
  EXPECT_FALSE(folder.Exists("test_attribution"));
  EXPECT_FALSE(folder.Exists("1abc/1abc_resu"));
}

TEST(AttributionProgram, MissingOptionFileEndsWithoutMarker) {
  ScratchFolder folder;
  const testing::ProgramRun run = RunProgram("attribution", folder.Path());
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.standardError, "cannot open option_bis.txt\n");
  EXPECT_FALSE(folder.Exists("test_attribution"));
}

// A name that could leave the working folder once fell back to "prot" without a word, and the classes of
// prot/prot_contact were taken for the protein's.
TEST(AttributionProgram, ARefusedProteinNameIsReported) {
  ScratchFolder folder;
  folder.Write("option_bis.txt", "NOM_PROT:../x\r\n");
  const testing::ProgramRun run = RunProgram("attribution", folder.Path());
  EXPECT_EQ(run.standardError.rfind("NOM_PROT: unusable protein name, prot kept\n", 0), 0u) << run.standardError;
  EXPECT_EQ(run.exitStatus, 1);  // and prot has no contact file here
}

}  // namespace
}  // namespace mirelda
