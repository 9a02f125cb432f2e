// mirelda-batch end to end: a real protein through every program of the system in a private copy of the
// application folder, the result files and scenes it leaves (every scene must load in a VRML reader), the
// table it prints (against a committed golden file), and the command lines and program failures it must
// refuse with a message.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "mirelda/workflow/mmcif_sites.h"
#include "tests/support/golden_file.h"
#include "tests/support/mmcif_copy.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"
#include "tests/support/text_lines.h"
#include "tests/support/vrml_check.h"

namespace mirelda {
namespace {

using testing::ReadFileText;
using testing::ScratchFolder;

// What the application folder must hold for a run: the programs and the data files that come with the
// system (the attribution tables only once they ship).
const char* const kPrograms[] = {"mirelda-batch", "brindel", "relaxation", "orvane", "attribution"};
const char* const kDataFiles[] = {"spherepack_1.txt", "Tab_cen_2", "Tab_ext_2"};

struct BatchResult {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// A private application folder: the runs of one test never meet another's files.
class AppCopy {
 public:
  AppCopy() {
    for (const char* name : kPrograms) std::filesystem::copy_file(testing::AppDir() / name, folder_ / name);
    for (const char* name : kDataFiles)
      if (std::filesystem::exists(testing::AppDir() / name))
        std::filesystem::copy_file(testing::AppDir() / name, folder_ / name);
  }

  // Runs the copy's mirelda-batch from another current folder: the application folder is the program's.
  BatchResult Run(const std::string& arguments) const {
    const std::filesystem::path out = capture_ / "out", err = capture_ / "err";
    const std::string command = "cd '" + capture_.Path().string() + "' && '" +
                                (folder_ / "mirelda-batch").string() + "' " + arguments + " > '" +
                                out.string() + "' 2> '" + err.string() + "' < /dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileText(out), ReadFileText(err)};
  }

  // The same run started in the background; Wait() gives its result.
  FILE* Start(const std::string& arguments) const {
    const std::string command =
        "'" + (folder_ / "mirelda-batch").string() + "' " + arguments + " 2>&1 < /dev/null";
    return popen(command.c_str(), "r");
  }
  static BatchResult Wait(FILE* started) {
    BatchResult result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, started)) > 0;)
      result.out.append(buffer, n);
    const int status = pclose(started);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }

  const std::filesystem::path& Path() const { return folder_.Path(); }
  std::filesystem::path operator/(const std::string& name) const { return folder_ / name; }

 private:
  ScratchFolder folder_;
  ScratchFolder capture_;
};

std::vector<std::string> Lines(const std::string& text) { return testing::TextLines(text); }

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

// The rows of the printed table: the lines after the header with its nine fields.
std::vector<std::vector<std::string>> TableRows(const std::string& out) {
  std::vector<std::vector<std::string>> rows;
  const std::vector<std::string> lines = Lines(out);
  auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return Fields(l).size() == 9 && Fields(l)[0] == "NUM";
  });
  if (line == lines.end()) return rows;
  for (++line; line != lines.end() && Fields(*line).size() == 9; ++line) rows.push_back(Fields(*line));
  return rows;
}

// The fields of a tab-separated line, empty ones included.
std::vector<std::string> TabFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (const char c : line)
    if (c == '\t')
      fields.emplace_back();
    else
      fields.back().push_back(c);
  return fields;
}

long Count(const std::string& text, const std::string& what) {
  long count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
    ++count;
  return count;
}

std::optional<std::filesystem::path> Protein1A8O() { return testing::TestProtein("1A8O.pdb"); }

constexpr int k1A8OResidues = 66;  // one CA point for each residue of its single chain

// The front-end's typical run: CA points, an environment, no relaxation, the default weights. Every
// residue of this compact protein lies in the bulk, so the assignment runs too.
TEST(MireldaBatch, RunsTheWholePipelineOnARealProtein) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const AppCopy app;
  const BatchResult run = app.Run("'" + protein->string() + "' 1a8o");
  ASSERT_EQ(run.exitStatus, 0) << run.err;

  // The steps, in the pipeline's order.
  std::size_t at = 0;
  for (const char* step :
       {"reading ", "environment: orvane", "tessellation: brindel (not weighted)",
        "reading the cells and faces", "assignment: attribution", "composing resultat.wrl"}) {
    at = run.err.find(step, at);
    EXPECT_NE(at, std::string::npos) << "no step \"" << step << "\" in order in:\n" << run.err;
  }

  const std::filesystem::path results = app / "1a8o";
  const auto read = [&](const std::string& name) { return ReadFileText(results / name); };
  EXPECT_EQ(Lines(read("C1a8o")).size(), static_cast<std::size_t>(k1A8OResidues));
  EXPECT_FALSE(read("F1a8o").empty());
  const std::vector<std::string> contacts = Lines(read("1a8o_contact"));
  ASSERT_EQ(contacts.size(), static_cast<std::size_t>(k1A8OResidues));
  EXPECT_EQ(contacts.front().size(), static_cast<std::size_t>(k1A8OResidues));
  EXPECT_FALSE(std::filesystem::exists(results / "1a8o_error2")) << "an empty bulk report is deleted";
  EXPECT_TRUE(std::filesystem::exists(results / "1a8o_problems")) << "1A8O has two numbering gaps";
  const std::vector<std::string> classes = Lines(read("1a8o_resu"));
  EXPECT_EQ(classes.size(), static_cast<std::size_t>(k1A8OResidues));
  EXPECT_GT(Lines(ReadFileText(app / "file_01")).size(), Lines(ReadFileText(app / "file_00")).size())
      << "the environment points follow the protein's";

  // The table: every residue with its cell (all closed), its exposure and its class from the class file.
  const auto rows = TableRows(run.out);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(k1A8OResidues)) << run.out;
  long exposed = 0, shownExposed = 0;  // facing the environment: by the faces, by the shown exposure
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::vector<std::string>& row = rows[r];
    EXPECT_EQ(row[6], "V") << "residue " << row[0];
    EXPECT_NE(row[3], "-");
    EXPECT_NE(row[7], "-") << "the exposure column is there with the environment";
    if (std::stod(row[7]) != 0) ++shownExposed;
    ASSERT_LT(r, classes.size());
    EXPECT_EQ(row[8], classes[r]) << "residue " << row[0];
  }
  EXPECT_NE(run.out.find("Results of 1a8o: " + results.string() + "\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\nclasses: "), std::string::npos) << run.out;

  // A residue faces the environment when one of its faces is shared with an environment point (chain
  // '&' at index 15 of a face line); the shown exposure, one decimal, would hide a sliver of a face.
  {
    std::set<std::string> facing;
    for (const std::string& line : Lines(read("F1a8o")))
      if (line.size() > 15 && line[15] == '&') facing.insert(line.substr(0, 8));
    exposed = static_cast<long>(facing.size());
  }

  // The scenes: one cell block per closed cell; the first layer and the composed scene with the marks the
  // readers leave hold the cells facing the environment, and the composed scene the trace of every residue.
  EXPECT_EQ(Count(read("1a8o.wrl"), "#AADEB"), k1A8OResidues);
  EXPECT_EQ(Count(read("premier.wrl"), "#AADEB"), exposed);
  const std::string composed = read("resultat.wrl");
  EXPECT_EQ(composed.rfind("#VRML V2.0 utf8\r\nInline {url \"view.wrl\"}\r\n", 0), 0u);
  // The readers mark the cells by the exposure as the cell file shows it.
  EXPECT_EQ(Count(composed, "#AADEB"), shownExposed + k1A8OResidues);
  for (const char* scene : {"prot.wrl", "trace.wrl", "label.wrl", "view.wrl", "environment.wrl"})
    EXPECT_EQ(read(scene), ReadFileText(app / scene)) << scene << " is the application folder's";
  for (const char* scene : {"prot.wrl", "trace.wrl", "label.wrl", "view.wrl", "environment.wrl", "1a8o.wrl",
                            "premier.wrl", "resultat.wrl"}) {
    const testing::VrmlCheck check = testing::ParseVrmlFile(results / scene);
    EXPECT_TRUE(check.parsed && check.errors.empty()) << scene << ":\n" << check.errors;
  }
}

// A results folder shows its own protein whatever runs after it: its scenes include only files of the
// folder, and a later protein in the same application folder changes none of them.
TEST(MireldaBatch, AResultsFolderKeepsItsScenesWhenAnotherProteinRuns) {
  const auto first = Protein1A8O(), second = testing::TestProtein("2XHE.pdb");
  if (!first || !second) return;
  const AppCopy app;
  ASSERT_EQ(app.Run("'" + first->string() + "' 1a8o").exitStatus, 0);
  std::map<std::string, std::string> scenes;
  for (const auto& entry : std::filesystem::directory_iterator(app / "1a8o"))
    if (entry.path().extension() == ".wrl") scenes[entry.path().filename().string()] = ReadFileText(entry.path());
  ASSERT_EQ(scenes.size(), 8u);
  for (const auto& [name, text] : scenes)
    for (std::size_t at = text.find("url"); at != std::string::npos; at = text.find("url", at + 1)) {
      const std::size_t open = text.find('"', at), close = text.find('"', open + 1);
      ASSERT_NE(close, std::string::npos) << name;
      const std::string address = text.substr(open + 1, close - open - 1);
      EXPECT_EQ(address.find('/'), std::string::npos) << name << " includes " << address;
      EXPECT_TRUE(scenes.contains(address)) << name << " includes " << address << ", not in its folder";
    }

  ASSERT_EQ(app.Run("'" + second->string() + "' 2xhe").exitStatus, 0);
  EXPECT_NE(ReadFileText(app / "prot.wrl"), scenes["prot.wrl"]) << "the working folder holds 2XHE's";
  for (const auto& [name, text] : scenes)
    EXPECT_TRUE(ReadFileText(app / "1a8o" / name) == text) << name << " changed";
}

// The tables for data analysis: a header, one row of 15 fields per residue, one row per face between two
// residues whose contact characters are those of the contact file.
TEST(MireldaBatch, WritesTheResultTablesForDataAnalysis) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const AppCopy app;
  const BatchResult run = app.Run("'" + protein->string() + "' 1a8o");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::filesystem::path results = app / "1a8o";
  const std::vector<std::string> residues = Lines(ReadFileText(results / "1a8o.residues.tsv"));
  ASSERT_EQ(residues.size(), static_cast<std::size_t>(k1A8OResidues) + 1);
  EXPECT_EQ(residues[0],
            "chain\tresSeq\tiCode\tresName\taa\tx\ty\tz\tvolume\tarea\tfaces\tclosed\texposure\tbulk\tclass");
  for (const std::string& row : residues)
    EXPECT_EQ(std::count(row.begin(), row.end(), '\t'), 14) << row;
  EXPECT_EQ(residues[1].rfind("A\t152\tNA\tASP\tD\t21.835\t", 0), 0u) << residues[1];

  const std::string matrix = ReadFileText(results / "1a8o_contact");
  const std::vector<std::string> faces = Lines(ReadFileText(results / "1a8o.contacts.tsv"));
  ASSERT_GT(faces.size(), 1u);
  EXPECT_EQ(faces[0], "chain1\tresSeq1\tiCode1\tchain2\tresSeq2\tiCode2\tarea\tseparation\tcontact");
  long ones = 0, twos = 0;
  for (std::size_t k = 1; k < faces.size(); ++k) {
    ones += faces[k].back() == '1';
    twos += faces[k].back() == '2';
  }
  EXPECT_EQ(ones, std::count(matrix.begin(), matrix.end(), '1'));
  EXPECT_EQ(twos, std::count(matrix.begin(), matrix.end(), '2'));
}

// The JSON document holds the run's choices and counts, the report's lines and the residues table's rows,
// numbers as numbers and NA as null.
TEST(MireldaBatch, WritesTheRunAsJsonWithTheRowsOfTheResiduesTable) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const AppCopy app;
  const BatchResult run = app.Run("--relaxations 1 '" + protein->string() + "' 1a8o");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const nlohmann::json json = nlohmann::json::parse(ReadFileText(app / "1a8o" / "1a8o.json"));
  EXPECT_EQ(json["program"], "mirelda-batch");
  EXPECT_FALSE(json["version"].get<std::string>().empty());
  const nlohmann::json& parameters = json["parameters"];
  EXPECT_EQ(parameters["point"], "CA");
  EXPECT_EQ(parameters["environment"], true);
  EXPECT_EQ(parameters["radius"], 6.5);
  EXPECT_EQ(parameters["thickness"], 3.5);
  EXPECT_EQ(parameters["relaxations"], 1);
  EXPECT_EQ(parameters["weights"], false);
  const nlohmann::json& counts = json["counts"];
  EXPECT_EQ(counts["residues"], k1A8OResidues);
  EXPECT_EQ(counts["notInBulk"], 0);
  const std::vector<std::string> problems = Lines(ReadFileText(app / "1a8o" / "1a8o_problems"));
  EXPECT_EQ(counts["problems"], problems.size());
  EXPECT_EQ(json["problems"].get<std::vector<std::string>>(), problems);

  const std::vector<std::string> table = Lines(ReadFileText(app / "1a8o" / "1a8o.residues.tsv"));
  ASSERT_EQ(json["residues"].size() + 1, table.size());
  const std::vector<std::string> header = TabFields(table[0]);
  std::map<std::string, int> classes{{"a", 0}, {"b", 0}, {"c", 0}};
  for (std::size_t r = 0; r < json["residues"].size(); ++r) {
    const nlohmann::json& row = json["residues"][r];
    const std::vector<std::string> fields = TabFields(table[r + 1]);
    ASSERT_EQ(row.size(), header.size());
    for (std::size_t k = 0; k < header.size(); ++k) {
      const nlohmann::json& value = row[header[k]];
      if (fields[k] == "NA")
        EXPECT_TRUE(value.is_null()) << header[k] << " of row " << r;
      else if (value.is_number())
        EXPECT_NEAR(value.get<double>(), std::stod(fields[k]), 1e-9) << header[k] << " of row " << r;
      else
        EXPECT_EQ(value, fields[k]) << header[k] << " of row " << r;
    }
    EXPECT_TRUE(row["resSeq"].is_number_integer() && row["x"].is_number() && row["iCode"].is_null());
    ++classes[row["class"].get<std::string>()];
  }
  EXPECT_EQ(counts["classes"], nlohmann::json(classes));
}

// The atom sites of a written structure file as gemmi reads it back.
std::vector<workflow::MmcifSite> SitesOf(const std::filesystem::path& file) {
  workflow::MmcifStructure structure;
  const std::string failure =
      workflow::ReadStructureSites(ReadFileText(file), file.extension() == ".pdb", file.string(), structure);
  EXPECT_EQ(failure, "") << file;
  return structure.firstModel;
}

// The B-factor files hold the input structure with each residue's value of the table on all its atoms
// (the exposure by default, the class as 1, 2, 3 by option) and 0 on the atoms of residues left out; the
// mmCIF and PDB files agree atom by atom.
TEST(MireldaBatch, WritesTheStructureWithTheTableValuesAsBfactors) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  for (const auto& [option, column] : {std::pair{"", 12}, std::pair{"--bfactor class ", 14}}) {
    const AppCopy app;
    const BatchResult run = app.Run(std::string(option) + "'" + protein->string() + "' 1a8o");
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    std::map<std::string, double> byResidue;  // chain + number
    const std::vector<std::string> table = Lines(ReadFileText(app / "1a8o" / "1a8o.residues.tsv"));
    for (std::size_t r = 1; r < table.size(); ++r) {
      const std::vector<std::string> fields = TabFields(table[r]);
      const std::string& value = fields[column];
      byResidue[fields[0] + fields[1]] =
          column == 12 ? std::stod(value) : value == "a" ? 1 : value == "b" ? 2 : 3;
    }
    const std::vector<workflow::MmcifSite> cif = SitesOf(app / "1a8o" / "1a8o.bfactor.cif"),
                                           pdb = SitesOf(app / "1a8o" / "1a8o.bfactor.pdb"),
                                           input = SitesOf(*protein);
    ASSERT_EQ(cif.size(), input.size());
    ASSERT_EQ(pdb.size(), input.size());
    std::set<std::string> valued;
    for (std::size_t k = 0; k < input.size(); ++k) {
      const auto value = byResidue.find(input[k].chain + std::to_string(input[k].number));
      const double expected = value != byResidue.end() && !input[k].hetatm ? value->second : 0.0;
      if (expected != 0) valued.insert(value->first);
      EXPECT_NEAR(cif[k].bfactor, expected, 1e-4) << option << "atom " << k;
      EXPECT_NEAR(pdb[k].bfactor, cif[k].bfactor, 0.005) << option << "atom " << k;
      EXPECT_TRUE(cif[k].atomName == input[k].atomName && pdb[k].atomName == input[k].atomName &&
                  pdb[k].number == cif[k].number && pdb[k].residueName == cif[k].residueName &&
                  std::abs(pdb[k].x - cif[k].x) < 1e-3 && std::abs(cif[k].z - input[k].z) < 1e-3)
          << option << "atom " << k;
    }
    EXPECT_GT(valued.size(), byResidue.size() / 2) << option << "most residues show a value";
  }
}

// A structure that the protein reader reads but gemmi refuses (a charge column it cannot parse) still gives
// every result; only the B-factor files are left out, with a warning.
TEST(MireldaBatch, AStructureGemmiRefusesLeavesOutOnlyTheBfactorFiles) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  // Older entries keep a serial in the charge columns 79-80, which gemmi refuses at first reading: the
  // B-factor files are written all the same. An ANISOU record before any atom gemmi refuses for good.
  std::string serials;
  std::string anisotropic = "ANISOU    1  N   ASP A 152     2406   1893   2053    -81    -16    113       N\n";
  for (std::string line : Lines(ReadFileText(*protein))) {
    if (!line.starts_with("ATOM  ")) continue;
    serials += line.substr(0, 78) + "84\n";
    anisotropic += line + "\n";
  }
  const ScratchFolder inputs;
  const AppCopy app;
  testing::WriteFileText(inputs / "serials.pdb", serials + "END\n");
  const BatchResult withSerials = app.Run("'" + (inputs / "serials.pdb").string() + "' serl");
  ASSERT_EQ(withSerials.exitStatus, 0) << withSerials.err;
  EXPECT_EQ(withSerials.err.find("warning: no B-factor files"), std::string::npos) << withSerials.err;
  EXPECT_TRUE(std::filesystem::exists(app / "serl" / "serl.bfactor.pdb"));

  const std::filesystem::path file = inputs / "anisou.pdb";
  testing::WriteFileText(file, anisotropic + "END\n");
  const BatchResult run = app.Run("'" + file.string() + "' chrg");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.err.find("warning: no B-factor files: " + file.string() + " cannot be read: "), std::string::npos)
      << run.err;
  EXPECT_TRUE(std::filesystem::exists(app / "chrg" / "chrg.json"));
  EXPECT_FALSE(std::filesystem::exists(app / "chrg" / "chrg.bfactor.cif"));
}

// A protein with residues 53, 53A, 53B, 54: 1A8O's ATOM records with its residues 152 to 156 numbered
// 52, 53, 53A, 53B, 54 and the later ones 102 lower (157 becomes 55).
std::string WithInsertionCodes(const std::string& pdb) {
  std::string text;
  for (const std::string& line : Lines(pdb)) {
    if (!line.starts_with("ATOM  ")) continue;
    const int number = std::stoi(line.substr(22, 4));
    const int renumbered = number <= 153 ? number - 100 : number <= 155 ? 53 : number == 156 ? 54 : number - 102;
    const char code = number == 154 ? 'A' : number == 155 ? 'B' : ' ';
    std::string id = std::to_string(renumbered);
    id = std::string(4 - id.size(), ' ') + id + code;
    text += line.substr(0, 22) + id + line.substr(27) + "\n";
  }
  return text + "END\n";
}

// Residues with an insertion code are left out and named; with --renumber they are kept and the chain is
// numbered on in order, while the tables keep the file's numbers and insertion codes.
TEST(MireldaBatch, RenumbersResiduesWithInsertionCodesWhenAsked) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const ScratchFolder inputs;
  const std::filesystem::path file = inputs / "inserted.pdb";
  testing::WriteFileText(file, WithInsertionCodes(ReadFileText(*protein)));
  const AppCopy app;
  const BatchResult leftOut = app.Run("'" + file.string() + "' ins1");
  ASSERT_EQ(leftOut.exitStatus, 0) << leftOut.err;
  const std::string report = ReadFileText(app / "ins1" / "ins1_problems");
  EXPECT_NE(report.find("PROBLEM FOR ARG 53A A : INSERTION CODE, RESIDUE LEFT OUT"), std::string::npos) << report;
  EXPECT_NE(report.find("PROBLEM FOR GLN 53B A : INSERTION CODE, RESIDUE LEFT OUT"), std::string::npos) << report;
  EXPECT_EQ(TableRows(leftOut.out).size(), static_cast<std::size_t>(k1A8OResidues - 2));

  const BatchResult renumbered = app.Run("--renumber '" + file.string() + "' ins2");
  ASSERT_EQ(renumbered.exitStatus, 0) << renumbered.err;
  EXPECT_EQ(ReadFileText(app / "ins2" / "ins2_problems").find("INSERTION"), std::string::npos);
  const auto rows = TableRows(renumbered.out);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(k1A8OResidues));
  for (std::size_t r = 0; r < 6; ++r)  // the listing shows the numbers of the tessellation
    EXPECT_EQ(rows[r][0], std::to_string(52 + r));
  const std::vector<std::string> table = Lines(ReadFileText(app / "ins2" / "ins2.residues.tsv"));
  ASSERT_EQ(table.size(), static_cast<std::size_t>(k1A8OResidues) + 1);
  std::vector<std::string> ids;
  for (std::size_t r = 2; r <= 6; ++r) {
    const std::vector<std::string> fields = TabFields(table[r]);
    ids.push_back(fields[1] + fields[2] + fields[3]);
  }
  EXPECT_EQ(ids, (std::vector<std::string>{"53NAILE", "53AARG", "53BGLN", "54NAGLY", "55NAPRO"}));
  const std::string contacts = ReadFileText(app / "ins2" / "ins2.contacts.tsv");
  EXPECT_NE(contacts.find("\nA\t53\tB\tA\t53\tA\t"), std::string::npos) << "53B faces 53A";

  // The B-factor files find each residue by the file's number and insertion code.
  const std::vector<workflow::MmcifSite> sites = SitesOf(app / "ins2" / "ins2.bfactor.cif");
  const std::string exposure53B = TabFields(table[4])[12];
  const auto site53B = std::ranges::find_if(sites, [](const workflow::MmcifSite& site) {
    return site.number == 53 && site.insertionCode == 'B' && site.atomName == "CA";
  });
  ASSERT_NE(site53B, sites.end());
  EXPECT_NEAR(site53B->bfactor, std::stod(exposure53B), 1e-4);
}

// The printed table and summary of the typical run equal the committed ones, line by line. The results
// folder lies in a fresh folder every run: its path is compared as "APP".
TEST(MireldaBatch, TableOfARealProteinEqualsTheCommittedOne) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const AppCopy app;
  const BatchResult run = app.Run("'" + protein->string() + "' 1a8o");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::string table = run.out;
  const std::string folder = app.Path().string();
  for (std::size_t at = table.find(folder); at != std::string::npos; at = table.find(folder, at))
    table.replace(at, folder.size(), "APP");
  testing::ExpectSameLines(table, testing::TestDataDir() / "batch/1a8o_table");
}

// Without environment points nothing is in the bulk and the main window never offers the assignment;
// without weights every residue type weighs 0.
TEST(MireldaBatch, WithoutEnvironmentAndWeightsRunsNoAssignment) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const AppCopy app;
  const BatchResult run = app.Run("--no-environment '" + protein->string() + "' 1a8o");
  ASSERT_EQ(run.exitStatus, 0) << run.err;

  const std::vector<std::string> options = Lines(ReadFileText(app / "option_bis.txt"));
  ASSERT_EQ(options.size(), 24u);
  for (std::size_t i = 3; i < options.size(); ++i) EXPECT_EQ(options[i].substr(2), ":0") << options[i];
  EXPECT_EQ(ReadFileText(app / "file_02"), ReadFileText(app / "file_00"));

  const std::filesystem::path results = app / "1a8o";
  EXPECT_FALSE(std::filesystem::exists(results / "1a8o_resu"));
  EXPECT_FALSE(std::filesystem::exists(results / "environment.wrl"));
  EXPECT_EQ(run.err.find("assignment: attribution"), std::string::npos);
  EXPECT_NE(run.out.find("classes: not assigned (there is no environment)"), std::string::npos) << run.out;
  const auto rows = TableRows(run.out);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(k1A8OResidues)) << run.out;
  const long open = std::count_if(rows.begin(), rows.end(), [](const auto& row) { return row[6] == "S"; });
  EXPECT_GT(open, 0);
  EXPECT_EQ(Lines(ReadFileText(results / "1a8o_error2")).size(), static_cast<std::size_t>(open))
      << "the bulk report names every open cell";
  for (const auto& row : rows) EXPECT_TRUE(row[7] == "-" && row[8] == "-") << "no exposure, no class";
}

// Relaxation moves the environment points before the tessellation; with CB points the assignment,
// whose reference tables were counted on CA points, is not offered even though the environment is on.
// The weights, asked for, are those of the amino-acid table.
TEST(MireldaBatch, RelaxesWhenAskedAndAssignsOnlyOnCaPoints) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const AppCopy app;
  const BatchResult run = app.Run("--point CB --relaxations 2 --weights '" + protein->string() + "' 1a8o");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::vector<std::string> weights = Lines(ReadFileText(app / "option_bis.txt"));
  ASSERT_EQ(weights.size(), 24u);
  EXPECT_EQ(weights[3], ">A:91.5");
  EXPECT_EQ(weights[23], ">Y:209.8");
  EXPECT_NE(run.err.find("relaxation: 2 passes"), std::string::npos) << run.err;
  EXPECT_EQ(Lines(ReadFileText(app / "option.txt")),
            (std::vector<std::string>{"NOM_PROT:1a8o", "RLX:1", "DCUT:16", "RCUT:10"}));
  const std::string relaxed = ReadFileText(app / "file_02"), installed = ReadFileText(app / "file_01");
  EXPECT_EQ(Lines(relaxed).size(), Lines(installed).size());
  EXPECT_NE(relaxed, installed) << "the environment points moved";
  EXPECT_FALSE(std::filesystem::exists(app / "1a8o" / "1a8o_error2")) << "every residue is in the bulk";
  EXPECT_FALSE(std::filesystem::exists(app / "1a8o" / "1a8o_resu"));
  EXPECT_NE(run.out.find("classes: not assigned (the points are CB, not CA)"), std::string::npos) << run.out;
  EXPECT_EQ(TableRows(run.out).size(), static_cast<std::size_t>(k1A8OResidues));
}

// Every file a run leaves in its application folder (the results folder included), by relative path,
// except the programs and data files it started with.
std::map<std::string, std::string> RunFiles(const AppCopy& app) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(app.Path())) {
    const std::string name = entry.path().lexically_relative(app.Path()).string();
    if (!entry.is_regular_file() || std::ranges::find(kPrograms, name) != std::end(kPrograms) ||
        std::ranges::find(kDataFiles, name) != std::end(kDataFiles))
      continue;
    files[name] = ReadFileText(entry.path());
  }
  return files;
}

// A structure's mmCIF form (gzipped, made by gemmi from the PDB file) gives the same results, byte for
// byte, as its PDB file; --modified reads 1A8O's four selenomethionines as methionines in both.
TEST(MireldaBatch, MmcifOfAnEntryGivesTheResultsOfItsPdbFile) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const ScratchFolder inputs;
  const std::filesystem::path cif = inputs / "1A8O.cif.gz";
  ASSERT_TRUE(testing::ConvertToMmcif(*protein, cif));
  const AppCopy fromPdb, fromCif;
  const BatchResult pdbRun = fromPdb.Run("--modified '" + protein->string() + "' 1a8o");
  const BatchResult cifRun = fromCif.Run("--modified '" + cif.string() + "' 1a8o");
  ASSERT_EQ(pdbRun.exitStatus, 0) << pdbRun.err;
  ASSERT_EQ(cifRun.exitStatus, 0) << cifRun.err;
  EXPECT_NE(pdbRun.err.find("warning: 4 modified residues read as their parent type"), std::string::npos)
      << pdbRun.err;
  EXPECT_EQ(TableRows(pdbRun.out).size(), static_cast<std::size_t>(k1A8OResidues + 4));
  EXPECT_FALSE(std::filesystem::exists(fromPdb / "1a8o" / "1a8o_problems")) << "no gap, nothing missing";

  const auto relative = [](std::string text, const AppCopy& app) {
    const std::string folder = app.Path().string();
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
      text.replace(at, folder.size(), "APP");
    return text;
  };
  EXPECT_EQ(relative(pdbRun.out, fromPdb), relative(cifRun.out, fromCif));
  const std::map<std::string, std::string> pdbFiles = RunFiles(fromPdb), cifFiles = RunFiles(fromCif);
  EXPECT_GT(pdbFiles.size(), 20u);
  for (const auto& [name, text] : pdbFiles) {
    const auto other = cifFiles.find(name);
    ASSERT_NE(other, cifFiles.end()) << name << " only from the PDB file";
    // The B-factor files rewrite each input as it is; the JSON document names its input file.
    if (name.find(".bfactor.") != std::string::npos) continue;
    if (name.ends_with(".json")) {
      nlohmann::json fromPdbFile = nlohmann::json::parse(text), fromCifFile = nlohmann::json::parse(other->second);
      EXPECT_EQ(fromPdbFile["parameters"]["protein"], protein->string());
      fromPdbFile["parameters"].erase("protein");
      fromCifFile["parameters"].erase("protein");
      EXPECT_EQ(fromPdbFile, fromCifFile);
      continue;
    }
    EXPECT_TRUE(other->second == text) << name << " differs";
  }
  EXPECT_EQ(pdbFiles.size(), cifFiles.size());
}

// A refused command line writes nothing, so a mistyped name never replaces another protein's results
// (and a name like "../a" could otherwise delete a folder outside the application folder).
TEST(MireldaBatch, RefusesABadCommandLineBeforeWritingAnything) {
  const AppCopy app;
  const struct {
    std::string arguments;
    std::string message;
  } cases[] = {
      {"p.pdb 1a8", "You must enter a name (4 characters) for the output files"},
      {"p.pdb 1a8o5", "You must enter a name (4 characters) for the output files"},
      {"p.pdb ../a", "You must enter a name (4 characters) for the output files"},
      {"--radius 16 p.pdb 1a8o", "the radius must be a number from 0 to 15"},
      {"--thickness 2,5,1 p.pdb 1a8o", "the thickness must be a number from 0 to 10"},
      {"--point CD p.pdb 1a8o", "the point must be one of CA, CB, CG1, CG2, CG3"},
      {"--relaxations 16 p.pdb 1a8o", "the number of relaxations must be a whole number from 0 to 15"},
      {"--relaxations 3 --no-environment p.pdb 1a8o", "relaxations need the environment"},
      {"--no-weights p.pdb 1a8o", "unknown option --no-weights"},
      {"--modified=yes p.pdb 1a8o", "--modified takes no value"},
      {"p.pdb", "expected a protein file and a name"},
  };
  for (const auto& c : cases) {
    const BatchResult run = app.Run(c.arguments);
    EXPECT_EQ(run.exitStatus, 1) << c.arguments;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ":\n" << run.err;
    EXPECT_TRUE(run.out.empty()) << c.arguments;
  }
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(app.Path()))
    left.push_back(entry.path().filename());
  EXPECT_EQ(left.size(),
            std::size(kPrograms) + std::count_if(std::begin(kDataFiles), std::end(kDataFiles),
                                                 [](const char* name) {
                                                   return std::filesystem::exists(testing::AppDir() / name);
                                                 }))
      << "nothing was written";

  const BatchResult help = app.Run("--help");
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_EQ(help.out.rfind("Usage: mirelda-batch [options] PROTEIN NAME\n", 0), 0u);
}

// A console program that stops early (here a stand-in brindel at its design limit) leaves no marker: the
// run stops at that step with a failing status and quotes what the program printed, and prints no table.
TEST(MireldaBatch, AProgramEndingWithoutItsMarkerStopsTheRun) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const AppCopy app;
  std::filesystem::remove(app / "brindel");
  testing::WriteFileText(app / "brindel", "#!/bin/sh\necho \"IVMAX too small 200 A B\" >&2\nexit 3\n");
  std::filesystem::permissions(app / "brindel", std::filesystem::perms::owner_all);
  const BatchResult run = app.Run("--no-environment '" + protein->string() + "' 1a8o");
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_NE(
      run.err.find("tessellation: brindel ended without completing its work (exit status 3); it printed:\n"
                   "IVMAX too small 200 A B"),
      std::string::npos)
      << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;
}

// A folder once aborted the batch (an uncaught stream exception), /dev/zero was read until killed, and a
// protein without CA atoms ran to the end with no cell at all.
TEST(MireldaBatch, AProteinThatIsNoFileOrHasNoCaAtomFailsWithAMessage) {
  const AppCopy app;
  ScratchFolder inputs;
  inputs.Write("no_ca.pdb",
               "ATOM      1  N   ALA A   1      11.104   6.134  -6.504  1.00  0.00           N\n"
               "ATOM      2  CB  ALA A   1      11.639   6.071  -5.147  1.00  0.00           C\n"
               "ATOM      3  N   GLY A   2      12.104   7.134  -6.504  1.00  0.00           N\n");
  const struct {
    std::string protein;
    std::string message;
  } cases[] = {
      {inputs.Path().string(), "reading the protein: not a regular file: " + inputs.Path().string()},
      {"/dev/zero", "reading the protein: not a regular file: /dev/zero"},
      {(inputs / "no_ca.pdb").string(), "reading the protein: no CA atom in the protein file"},
  };
  for (const auto& c : cases) {
    const BatchResult run = app.Run("--no-environment '" + c.protein + "' 1abc");
    EXPECT_EQ(run.exitStatus, 2) << c.protein;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.protein << ":\n" << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
}

// Without its pattern tables attribution once classified every residue as coil and the batch said nothing.
TEST(MireldaBatch, AMissingPatternTableStopsTheAssignmentAndSaysSo) {
  const auto protein = Protein1A8O();
  if (!protein) GTEST_SKIP() << "1A8O.pdb is absent: run tools/fetch-samples.sh";
  const AppCopy app;
  std::filesystem::remove(app / "Tab_ext_2");
  const BatchResult run = app.Run("'" + protein->string() + "' 1a8o");
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_NE(run.err.find("assignment: attribution ended without completing its work (exit status 1)"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("cannot open Tab_ext"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(app / "test_attribution"));
}

// Two runs in one application folder would overwrite each other's point and option files: while one is
// going (held here by a stand-in orvane that waits for a go), a second is refused and changes nothing.
TEST(MireldaBatch, RefusesASecondRunInTheSameFolder) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const AppCopy app;
  std::filesystem::remove(app / "orvane");
  testing::WriteFileText(app / "orvane", "#!/bin/sh\n: > waiting\nwhile [ ! -f go ]; do sleep 0.05; done\n");
  std::filesystem::permissions(app / "orvane", std::filesystem::perms::owner_all);
  FILE* first = app.Start("'" + protein->string() + "' 1a8o");
  ASSERT_NE(first, nullptr);
  constexpr int kPolls = 600;  // the first run reaches orvane in well under a second; give up after 30 s
  for (int i = 0; i < kPolls && !std::filesystem::exists(app / "waiting"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::string points = ReadFileText(app / "file_00");

  const BatchResult second = app.Run("--no-environment '" + protein->string() + "' 2abc");
  EXPECT_EQ(second.exitStatus, 2);
  EXPECT_NE(second.err.find("is in use by another run"), std::string::npos) << second.err;
  EXPECT_FALSE(std::filesystem::exists(app / "2abc"));
  EXPECT_EQ(ReadFileText(app / "file_00"), points);

  testing::WriteFileText(app / "go", "");
  const BatchResult firstResult = AppCopy::Wait(first);
  EXPECT_EQ(firstResult.exitStatus, 2) << "the stand-in leaves no marker:\n" << firstResult.out;
  EXPECT_FALSE(std::filesystem::exists(app / "mirelda.lock")) << "the lock goes with its run";
}

// The copy of a PDB text with every atom moved by `move` (x, y, z in, x, y, z out), written back in the
// columns of the format.
template <typename Move>
std::string MovedProtein(const std::string& text, Move move) {
  std::string moved;
  for (std::string line : Lines(text)) {
    if ((line.rfind("ATOM", 0) == 0 || line.rfind("HETATM", 0) == 0) && line.size() >= 54) {
      const std::array<double, 3> at = move(std::array<double, 3>{
          std::stod(line.substr(30, 8)), std::stod(line.substr(38, 8)), std::stod(line.substr(46, 8))});
      char columns[32];
      std::snprintf(columns, sizeof columns, "%8.3f%8.3f%8.3f", at[0], at[1], at[2]);
      line.replace(30, 24, columns);
    }
    moved += line + "\n";
  }
  return moved;
}

using Table = std::vector<std::vector<std::string>>;

Table TsvRows(const std::filesystem::path& file) {
  Table rows;
  for (const std::string& line : Lines(ReadFileText(file))) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

// Whether two tables agree: the columns in `exact` character for character, the others as numbers within
// `absolute` plus `relative` times the value.
void ExpectSameTable(const Table& a, const Table& b, const std::set<std::size_t>& exact, double absolute,
                     double relative, const std::string& what) {
  ASSERT_EQ(a.size(), b.size()) << what;
  for (std::size_t r = 0; r < a.size(); ++r) {
    ASSERT_EQ(a[r].size(), b[r].size()) << what << " row " << r;
    for (std::size_t c = 0; c < a[r].size(); ++c) {
      if (r == 0 || exact.contains(c) || a[r][c] == "NA" || b[r][c] == "NA") {
        EXPECT_EQ(a[r][c], b[r][c]) << what << " row " << r << " column " << a[0][c];
        continue;
      }
      const double x = std::stod(a[r][c]), y = std::stod(b[r][c]);
      EXPECT_NEAR(x, y, absolute + relative * std::abs(x)) << what << " row " << r << " column " << a[0][c];
    }
  }
}

// Moving a protein anywhere the formats reach (down to -999) or turning it changes no result beyond the
// printed precision: volumes, areas, faces, contacts and classes are the protein's, not its place's.
TEST(MireldaBatch, ResultsDoNotDependOnWhereTheProteinLiesOrHowItIsTurned) {
  const auto protein = Protein1A8O();
  if (!protein) return;
  const std::string text = ReadFileText(*protein);
  const AppCopy app;
  ScratchFolder inputs;
  const auto run = [&](const std::string& pdb, const std::string& name, const std::string& options) {
    inputs.Write(name + ".pdb", pdb);
    const BatchResult result = app.Run(options + " '" + (inputs / (name + ".pdb")).string() + "' " + name);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    return std::pair{TsvRows(app / name / (name + ".residues.tsv")),
                     TsvRows(app / name / (name + ".contacts.tsv"))};
  };
  // residues.tsv: chain resSeq iCode resName aa x y z volume area faces closed exposure bulk class
  const std::set<std::size_t> residueExact = {0, 1, 2, 3, 4, 10, 11, 13, 14};
  const std::set<std::size_t> contactExact = {0, 1, 2, 3, 4, 5, 7, 8};
  const auto original = run(text, "orig", "");
  for (const std::array<double, 3> shift :
       {std::array{-120.25, 410.5, -35.125}, std::array{-960.0, -975.5, -990.0}}) {
    const auto moved = [&](std::array<double, 3> p) {
      return std::array{p[0] + shift[0], p[1] + shift[1], p[2] + shift[2]};
    };
    auto [residues, contacts] = run(MovedProtein(text, moved), "move", "");
    for (std::size_t r = 1; r < residues.size(); ++r)
      for (std::size_t k = 0; k < 3; ++k)
        residues[r][5 + k] = std::to_string(std::stod(residues[r][5 + k]) - shift[k]);
    // A few units of the last printed digit: the sums of a moved cell round differently.
    ExpectSameTable(original.first, residues, residueExact, 0.005, 1e-4, "moved residues");
    ExpectSameTable(original.second, contacts, contactExact, 0.005, 1e-4, "moved contacts");
  }
  // Turned about its centre: the environment's template does not turn with it, so the cells are compared
  // without one; the coordinates are rounded to the file's thousandths once more.
  const auto flat = run(text, "flat", "--no-environment");
  const double c = std::cos(0.7), s = std::sin(0.7);
  const auto turned = [&](std::array<double, 3> p) {  // about z, then about x, around (20, 35, 15)
    const double x = p[0] - 20, y = p[1] - 35, z = p[2] - 15;
    return std::array{c * x - s * y + 20, s * c * x + c * c * y - s * z + 35,
                      s * s * x + s * c * y + c * z + 15};
  };
  auto [residues, contacts] = run(MovedProtein(text, turned), "turn", "--no-environment");
  ASSERT_EQ(flat.first.size(), residues.size());
  ExpectSameTable(flat.second, contacts, contactExact, 0.01, 2e-3, "turned contacts");
  for (std::size_t r = 1; r < residues.size(); ++r) {
    const std::vector<std::string>& before = flat.first[r];
    const std::vector<std::string>& after = residues[r];
    for (std::size_t k : {0u, 1u, 2u, 3u, 10u, 11u}) EXPECT_EQ(before[k], after[k]) << "row " << r;
    if (before[11] != "1") continue;  // an open cell ends at DCUT, which is no property of the protein
    for (std::size_t k : {8u, 9u})
      EXPECT_NEAR(std::stod(before[k]), std::stod(after[k]), 2e-3 * std::stod(before[k])) << "row " << r;
  }
}

// A protein of 10 000 arginines (110 000 atoms) in two chains of 5 000, packed as densely as a real
// protein: a snake through a jittered cubic lattice of 5.2 A.
std::string LargeProtein() {
  constexpr int kSide = 22, kLayers = 21, kResidues = 10000;
  constexpr double kSpacing = 5.2;
  struct AtomOffset {
    const char* name;
    double x, y, z;
  };
  constexpr AtomOffset kAtoms[] = {
      {"N", -0.72, 0.18, 0},    {"CA", 0, 0, 0},          {"C", 0.72, 0.24, 0.12}, {"O", 0.9, 0.72, 0.36},
      {"CB", 0, -0.72, 0.48},   {"CG", 0.18, -0.9, 0.66}, {"CD", 0.3, -0.6, 0.9},  {"NE", 0.48, -0.78, 0.96},
      {"CZ", 0.6, -0.48, 0.84}, {"NH1", 0.78, -0.6, 0.6}, {"NH2", 0.54, -0.18, 1.02}};
  std::mt19937 random(3);
  std::uniform_real_distribution<double> jitter(-0.8, 0.8);
  std::string text;
  int serial = 0;
  for (int r = 0; r < kResidues; ++r) {
    const int k = r / (kSide * kSide), j = r / kSide % kSide, i = r % kSide;
    const int row = j + k * kSide;
    const double x = (row % 2 == 0 ? i : kSide - 1 - i) * kSpacing + jitter(random);
    const double y = (k % 2 == 0 ? j : kSide - 1 - j) * kSpacing + jitter(random);
    const double z = k * kSpacing + jitter(random);
    static_assert(kResidues <= kSide * kSide * kLayers);
    for (const AtomOffset& atom : kAtoms) {
      char line[96];
      const char chain = r < kResidues / 2 ? 'A' : 'B';
      std::snprintf(line, sizeof line, "ATOM  %5d  %-3s ARG %c%4d    %8.3f%8.3f%8.3f  1.00 20.00           %c\n",
                    ++serial % 100000, atom.name, chain, r % (kResidues / 2) + 1, x + atom.x, y + atom.y,
                    z + atom.z, atom.name[0]);
      text += line;
    }
  }
  return text;
}

// 10 000 residues and 110 000 atoms run to the end; packed twice as densely, the neighbour limit of the
// tessellation is reached and said.
TEST(MireldaBatch, TenThousandResiduesRunToTheEndAndTheNeighbourLimitIsSaid) {
  const AppCopy app;
  ScratchFolder inputs;
  const std::string protein = LargeProtein();
  inputs.Write("large.pdb", protein);
  const BatchResult run = app.Run("'" + (inputs / "large.pdb").string() + "' larg");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.err.find("10000 residues, 0 problems"), std::string::npos) << run.err;
  EXPECT_EQ(Lines(ReadFileText(app / "larg" / "larg.residues.tsv")).size(), 10001u);
  EXPECT_NE(run.out.find("classes: "), std::string::npos);
  EXPECT_EQ(run.out.find("not assigned"), std::string::npos) << "every residue lies in the bulk";

  std::string dense;
  for (const std::string& line : Lines(protein)) {
    std::string squeezed = line;
    for (std::size_t at : {30u, 38u, 46u}) {
      char column[16];
      std::snprintf(column, sizeof column, "%8.3f", std::stod(line.substr(at, 8)) * 0.7);
      squeezed.replace(at, 8, column);
    }
    dense += squeezed + "\n";
  }
  inputs.Write("dense.pdb", dense);
  const BatchResult packed = app.Run("'" + (inputs / "dense.pdb").string() + "' dens");
  EXPECT_EQ(packed.exitStatus, 2);
  EXPECT_NE(packed.err.find("IVMAX too small"), std::string::npos) << packed.err;
}

}  // namespace
}  // namespace mirelda
