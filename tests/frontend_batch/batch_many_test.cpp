// mirelda-batch --out: real proteins side by side, each in its own folder, a broken file among them that
// fails alone, the summary's rows, complete results skipped on a rerun and run again with --force, and a
// protein's files equal to those the one-protein form leaves.
#include "mirelda/batch/batch_many.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "mirelda/workflow/protein_files.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"
#include "tests/support/text_lines.h"

namespace mirelda {
namespace {

using testing::ReadFileText;
using testing::ScratchFolder;

struct BatchRun {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// Runs `program` with the arguments from `folder`, standard output and error in files (not a terminal).
BatchRun RunIn(const std::filesystem::path& folder, const std::filesystem::path& program,
               const std::string& arguments) {
  const std::filesystem::path out = folder / "run.out", err = folder / "run.err";
  const std::string command = "cd '" + folder.string() + "' && '" + program.string() + "' " + arguments +
                              " > '" + out.string() + "' 2> '" + err.string() + "' < /dev/null";
  const int status = std::system(command.c_str());
  BatchRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileText(out), ReadFileText(err)};
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

BatchRun Batch(const std::filesystem::path& folder, const std::string& arguments) {
  return RunIn(folder, testing::AppDir() / "mirelda-batch", arguments);
}

std::string Quoted(const std::filesystem::path& path) {
  std::string quoted(1, '\'');
  return quoted.append(path.string()).append(1, '\'');
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  for (std::size_t from = 0;;) {
    const std::size_t tab = line.find('\t', from);
    fields.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
    if (tab == std::string::npos) return fields;
    from = tab + 1;
  }
}

// summary.tsv's rows by stem, each a map from the header's columns to the fields.
std::map<std::string, std::map<std::string, std::string>> Summary(const std::filesystem::path& out) {
  const std::vector<std::string> lines = testing::TextLines(ReadFileText(out / "summary.tsv"));
  std::map<std::string, std::map<std::string, std::string>> rows;
  if (lines.empty()) return rows;
  const std::vector<std::string> header = Split(lines[0]);
  EXPECT_EQ(lines[0], "stem\tresidues\tproblems\tnot_in_bulk\tclasses_given\tseconds\tstatus\tmessage");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> fields = Split(lines[i]);
    EXPECT_EQ(fields.size(), header.size()) << lines[i];
    for (std::size_t f = 0; f < fields.size() && f < header.size(); ++f)
      rows[fields[0]][header[f]] = fields[f];
  }
  return rows;
}

std::set<std::string> FileNames(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

TEST(ManyProteins, RunSideBySideFailAloneAndSkipWhatIsComplete) {
  const auto protein1A8O = testing::TestProtein("1A8O.pdb");
  const auto protein2XHE = testing::TestProtein("2XHE.pdb");
  if (!protein1A8O || !protein2XHE) return;
  const ScratchFolder inputs, work;
  // A stem that is not a 4-character name: its files are named after it all the same.
  std::filesystem::copy_file(*protein2XHE, inputs / "2xhe_both_chains.pdb");
  inputs.Write("broken.pdb", "HEADER    NOT A PROTEIN\nATOM  garbage\n");
  const std::string files = Quoted(*protein1A8O) + " " + Quoted(inputs / "2xhe_both_chains.pdb") + " " +
                            Quoted(inputs / "broken.pdb");

  const BatchRun first = Batch(work.Path(), "-j 2 --out results " + files);
  EXPECT_EQ(first.exitStatus, 2) << first.err;
  EXPECT_NE(first.out.find("3 proteins: 2 done, 0 skipped, 1 failed; summary: "), std::string::npos)
      << first.out;
  const std::filesystem::path out = work / "results";
  auto rows = Summary(out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows["1A8O"]["status"], "done");
  EXPECT_EQ(rows["1A8O"]["residues"], "66");
  EXPECT_EQ(rows["1A8O"]["not_in_bulk"], "0");
  EXPECT_EQ(rows["1A8O"]["classes_given"], "66");
  EXPECT_EQ(rows["1A8O"]["message"], "");
  EXPECT_EQ(rows["2xhe_both_chains"]["status"], "done");
  EXPECT_NE(rows["2xhe_both_chains"]["residues"], "NA");
  EXPECT_NE(rows["2xhe_both_chains"]["seconds"].find('.'), std::string::npos);
  EXPECT_EQ(rows["broken"]["status"], "failed");
  EXPECT_EQ(rows["broken"]["residues"], "NA");
  EXPECT_NE(rows["broken"]["message"].find("reading the protein"), std::string::npos)
      << rows["broken"]["message"];
  EXPECT_NE(first.err.find("broken failed: "), std::string::npos) << first.err;

  // The protein's files are those the one-protein form leaves in its results folder, with equal contents.
  const ScratchFolder app;
  for (const char* file : {"mirelda-batch", "brindel", "relaxation", "orvane", "attribution",
                           "spherepack_1.txt", "Tab_cen_2", "Tab_ext_2"})
    if (std::filesystem::exists(testing::AppDir() / file))
      std::filesystem::copy_file(testing::AppDir() / file, app / file);
  const BatchRun single = RunIn(app.Path(), app / "mirelda-batch", Quoted(*protein1A8O) + " 1A8O");
  ASSERT_EQ(single.exitStatus, 0) << single.err;
  std::set<std::string> expected = FileNames(app / "1A8O");
  expected.insert(".complete");
  EXPECT_EQ(FileNames(out / "1A8O"), expected);
  for (const std::string& file : FileNames(app / "1A8O"))
    EXPECT_EQ(ReadFileText(out / "1A8O" / file), ReadFileText(app / "1A8O" / file)) << file;
  for (const char* file :
       {"2xhe_both_chains.residues.tsv", "2xhe_both_chains.contacts.tsv", "C2xhe_both_chains",
        "F2xhe_both_chains", "2xhe_both_chains_problems", "resultat.wrl"})
    EXPECT_TRUE(std::filesystem::exists(out / "2xhe_both_chains" / file)) << file;
  EXPECT_FALSE(std::filesystem::exists(out / "2xhe_both_chains" / ".work"));
  EXPECT_TRUE(std::filesystem::exists(out / "broken" / ".work" / "log"));

  // A rerun keeps the complete results and tries the broken file again.
  const BatchRun second = Batch(work.Path(), "-j 2 --out results " + files);
  EXPECT_EQ(second.exitStatus, 2) << second.err;
  rows = Summary(out);
  EXPECT_EQ(rows["1A8O"]["status"], "skipped");
  EXPECT_EQ(rows["1A8O"]["residues"], "66");
  EXPECT_EQ(rows["2xhe_both_chains"]["status"], "skipped");
  EXPECT_EQ(rows["broken"]["status"], "failed");

  // --force runs a complete one again; --quiet prints nothing when all went well.
  std::filesystem::remove(out / "1A8O" / "C1A8O");
  const BatchRun forced = Batch(work.Path(), "--quiet --force --out results " + Quoted(*protein1A8O));
  EXPECT_EQ(forced.exitStatus, 0) << forced.err;
  EXPECT_EQ(forced.out + forced.err, "");
  rows = Summary(out);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows["1A8O"]["status"], "done");
  EXPECT_EQ(ReadFileText(out / "1A8O" / "C1A8O"), ReadFileText(app / "1A8O" / "C1A8O"));
}

// Refused before anything runs: two files of one stem or a stem of a scene, options of many proteins
// without --out, a chain that is not one character.
TEST(ManyProteins, RefusesACommandLineBeforeRunning) {
  const ScratchFolder work;
  work.Write("1abc.pdb", "");
  std::filesystem::create_directory(work / "other");
  work.Write("other/1abc.cif.gz", "");
  const BatchRun twice = Batch(work.Path(), "--out results 1abc.pdb other/1abc.cif.gz");
  EXPECT_EQ(twice.exitStatus, 1);
  EXPECT_NE(twice.err.find("\"1abc.pdb\" and \"other/1abc.cif.gz\" would both go to "), std::string::npos)
      << twice.err;
  EXPECT_FALSE(std::filesystem::exists(work / "results"));
  // A stem that names a scene of the folder would overwrite it.
  work.Write("resultat.pdb", "");
  EXPECT_EQ(Batch(work.Path(), "--out results resultat.pdb").exitStatus, 1);

  const BatchRun jobs = Batch(work.Path(), "-j 2 1abc.pdb 1abc");
  EXPECT_EQ(jobs.exitStatus, 1);
  EXPECT_NE(jobs.err.find("-j needs --out"), std::string::npos) << jobs.err;
  EXPECT_EQ(Batch(work.Path(), "--chain AB --out results 1abc.pdb").exitStatus, 1);
  EXPECT_EQ(Batch(work.Path(), "-j 0 --out results 1abc.pdb").exitStatus, 1);
  const BatchRun version = Batch(work.Path(), "--version");
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.out.rfind("mirelda-batch ", 0), 0u) << version.out;
}

TEST(ManyProteins, StemIsTheFileNameWithoutTheProteinFormatsExtensions) {
  EXPECT_EQ(workflow::ProteinStem("/data/1abc.pdb"), "1abc");
  EXPECT_EQ(workflow::ProteinStem("pdb1abc.ent.gz"), "pdb1abc");
  EXPECT_EQ(workflow::ProteinStem("AF-P12345-F1-model_v4.cif.gz"), "AF-P12345-F1-model_v4");
  EXPECT_EQ(workflow::ProteinStem("x/7xyz.MMCIF"), "7xyz");
  EXPECT_EQ(workflow::ProteinStem("notes.txt"), "notes.txt");
  EXPECT_EQ(workflow::ProteinStem(".pdb"), ".pdb");
}

// The bar holds the counts and the running proteins within the terminal's width.
TEST(ManyProteins, ProgressBarFitsItsLine) {
  const std::string line = batch::ProgressBarLine(3, 12, 2, 0, 1, {"1abc", "2xyz"}, 100);
  EXPECT_EQ(line, "[======                  ] 3/12  2 done  0 skipped  1 failed  running: 1abc 2xyz");
  const std::string cut = batch::ProgressBarLine(12, 12, 12, 0, 0, {std::string(100, 'x')}, 79);
  EXPECT_EQ(cut.size(), 79u);
  EXPECT_EQ(cut.rfind("[========================] 12/12  12 done", 0), 0u);
  EXPECT_EQ(cut.substr(76), "...");
}

}  // namespace
}  // namespace mirelda
