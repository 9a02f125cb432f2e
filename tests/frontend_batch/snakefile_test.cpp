// workflow/Snakefile: Snakemake runs mirelda-batch on every protein file of a folder, one job each, and
// merges the residue tables with a first column `stem` and the summary rows.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"
#include "tests/support/text_lines.h"

namespace mirelda {
namespace {

using testing::ReadFileText;
using testing::TextLines;

// Debian's snakemake on the PATH; a missing one skips the test (fails it under CI).
std::optional<std::filesystem::path> Snakemake() {
  std::filesystem::path found = "/usr/bin/snakemake";
  if (const char* path = std::getenv("PATH"); path != nullptr) {
    std::istringstream folders(path);
    for (std::string folder; std::getline(folders, folder, ':');)
      if (!folder.empty() && std::filesystem::exists(std::filesystem::path(folder) / "snakemake")) {
        found = std::filesystem::path(folder) / "snakemake";
        break;
      }
  }
  return testing::RequireInput(found, "tools/setup.sh installs Debian's snakemake");
}

std::string Quoted(const std::filesystem::path& path) {
  std::string quoted(1, '\'');
  return quoted.append(path.string()).append(1, '\'');
}

TEST(Snakefile, RunsEveryProteinOfAFolderAndMergesTheirTables) {
  const auto snakemake = Snakemake();
  const auto protein1A8O = testing::TestProtein("1A8O.pdb");
  const auto protein2XHE = testing::TestProtein("2XHE.pdb");
  if (!snakemake || !protein1A8O || !protein2XHE) return;
  const testing::ScratchFolder work;
  std::filesystem::create_directory(work / "in");
  std::filesystem::copy_file(*protein1A8O, work / "in" / "1A8O.pdb");
  std::filesystem::copy_file(*protein2XHE, work / "in" / "2XHE.pdb");
  ASSERT_EQ(
      std::system(
          ("gzip -c " + Quoted(*protein1A8O) + " > " + Quoted(work / "in" / "copy_of_1a8o.pdb.gz")).c_str()),
      0);
  work.Write("in/notes.txt", "not a protein file: left alone\n");

  const std::filesystem::path snakefile = testing::TestDataDir() / ".." / ".." / "workflow" / "Snakefile";
  const std::string command = Quoted(*snakemake) + " -s " + Quoted(snakefile) + " --cores 2 --directory " +
                              Quoted(work.Path()) + " --config structures=" + Quoted(work / "in") +
                              " results=" + Quoted(work / "out") +
                              " batch=" + Quoted(testing::AppDir() / "mirelda-batch") + " > " +
                              Quoted(work / "snakemake.log") + " 2>&1 < /dev/null";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFileText(work / "snakemake.log");

  const std::filesystem::path out = work / "out";
  const std::vector<std::string> all = TextLines(ReadFileText(out / "all.residues.tsv"));
  const std::vector<std::string> one = TextLines(ReadFileText(out / "1A8O" / "1A8O.residues.tsv"));
  const std::vector<std::string> copy =
      TextLines(ReadFileText(out / "copy_of_1a8o" / "copy_of_1a8o.residues.tsv"));
  const std::vector<std::string> other = TextLines(ReadFileText(out / "2XHE" / "2XHE.residues.tsv"));
  ASSERT_FALSE(one.empty());
  ASSERT_FALSE(other.empty());
  EXPECT_EQ(copy, one);  // the gzipped copy is the same protein
  ASSERT_EQ(all.size(), one.size() + copy.size() + other.size() - 2);
  EXPECT_EQ(all[0], "stem\t" + one[0]);
  EXPECT_EQ(all[1], "1A8O\t" + one[1]);
  EXPECT_EQ(all.back(), "copy_of_1a8o\t" + copy.back());

  const std::vector<std::string> summary = TextLines(ReadFileText(out / "summary.tsv"));
  ASSERT_EQ(summary.size(), 4u);
  EXPECT_EQ(summary[0].rfind("stem\tresidues\t", 0), 0u);
  for (std::size_t i = 1; i < summary.size(); ++i)
    EXPECT_NE(summary[i].find("\tdone\t"), std::string::npos) << summary[i];
}

}  // namespace
}  // namespace mirelda
