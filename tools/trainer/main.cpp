// train_attribution: the steps of training and evaluating the attribution tables, each a subcommand run
// by tools/train-attribution.sh and tools/evaluate-attribution.sh around the console programs.
//
//   split CHAINS.tsv OUTDIR                     training.tsv and validation.tsv, by 40 % cluster
//   points PROTEIN.pdb CHAIN FOLDER             FOLDER/file_00 of the chain's CA points
//   options NAME zero|default FOLDER            FOLDER/option_bis.txt, weights off or default
//   areas LIST ZEROWORK DEFAULTWORK OUT.cpp     reference areas from the tessellations of LIST
//   count LIST WORK DSSP.tsv OUTDIR             OUTDIR/Tab_cen_2 and Tab_ext_2
//   evaluate LIST WORK DSSP.tsv TABLEDIR        Q3 and more of the class files of LIST
//
// A chain's run lives in WORK/<id> (id as "1a2y_A") under the protein name "prot".
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "brindel/exchange/text_lines.h"
#include "attribution/attribution.h"
#include "attribution/contact_file.h"
#include "attribution/pattern_table_file.h"
#include "mirelda/model/residue_types.h"
#include "tools/trainer/area_fit.h"
#include "tools/trainer/confusion.h"
#include "tools/trainer/dssp_states.h"
#include "tools/trainer/face_areas.h"
#include "tools/trainer/pattern_counts.h"
#include "tools/trainer/pattern_table_text.h"
#include "tools/trainer/pipeline_inputs.h"
#include "tools/trainer/training_split.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;
using namespace mirelda::attribution;
using namespace mirelda::model;
using namespace mirelda::trainer;

namespace {

namespace fs = std::filesystem;

constexpr const char* kProteinName = "prot";
constexpr const char* kGenerator = "tools/train-attribution.sh (train_attribution areas)";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(text)) lines.emplace_back(line);
  return lines;
}

std::vector<ChainEntry> ReadChainList(const fs::path& path) {
  std::ifstream in(path);
  return ParseChainList(in);
}

fs::path ResultsOf(const fs::path& work, const ChainEntry& chain) { return work / chain.Id() / kProteinName; }

std::vector<CellLine> ReadCells(const fs::path& results) {
  std::vector<CellLine> cells;
  for (const std::string& line : Lines(ReadText(results / (std::string("C") + kProteinName)))) {
    if (const auto cell = ParseCellLine(line)) cells.push_back(*cell);
  }
  return cells;
}

std::vector<FaceLine> ReadFaces(const fs::path& results) {
  std::vector<FaceLine> faces;
  for (const std::string& line : Lines(ReadText(results / (std::string("F") + kProteinName)))) {
    if (const auto face = ParseFaceLine(line)) faces.push_back(*face);
  }
  return faces;
}

ContactMatrix ReadContacts(const fs::path& results) {
  std::ifstream in(results / (std::string(kProteinName) + "_contact"), std::ios::binary);
  return ReadContactMatrix(in);
}

std::map<std::pair<std::string, char>, DsspChain> ReadDssp(const fs::path& path) {
  std::ifstream in(path);
  std::map<std::pair<std::string, char>, DsspChain> byChain;
  for (DsspChain& chain : ParseDsspTable(in)) {
    const auto key = std::make_pair(chain.file, chain.chain);
    byChain.emplace(key, std::move(chain));
  }
  return byChain;
}

// The DSSP states of a run's points, aligned by residue number; false (and said) when the run left no
// cells, so the chain is skipped.
bool RunStates(const fs::path& results, const ChainEntry& chain,
               const std::map<std::pair<std::string, char>, DsspChain>& dssp, AlignedStates& states) {
  std::vector<int> numbers;
  for (const CellLine& cell : ReadCells(results)) numbers.push_back(cell.residueNumber);
  if (numbers.empty()) {
    std::fprintf(stderr, "no run for %s, skipped\n", chain.Id().c_str());
    return false;
  }
  const auto found = dssp.find({chain.file, chain.chain});
  states = AlignStates(numbers, found == dssp.end() ? std::map<int, char>{} : StatesByNumber(found->second));
  return true;
}

int Split(const fs::path& chainList, const fs::path& outFolder) {
  const ChainSplit split = SplitByCluster(ReadChainList(chainList));
  auto write = [&](const std::vector<ChainEntry>& chains, const char* name) {
    std::string text = "file\tchain\tn_residues_with_CA\tcluster40\tid\n";
    long long residues = 0;
    std::map<std::string, int> clusters;
    for (const ChainEntry& chain : chains) {
      text += chain.file + '\t' + chain.chain + '\t' + std::to_string(chain.residues) + '\t' +
              chain.cluster40 + '\t' + chain.Id() + '\n';
      residues += chain.residues;
      ++clusters[chain.cluster40];
    }
    std::printf("%-10s %4zu chains, %4zu clusters, %6lld residues with CA\n", name, chains.size(),
                clusters.size(), residues);
    return WriteText(outFolder / (std::string(name) + ".tsv"), text);
  };
  return write(split.training, "training") && write(split.validation, "validation") ? 0 : 1;
}

int Points(const fs::path& protein, char chain, const fs::path& folder) {
  const ProteinReading reading = ReadProtein(ChainAtomLines(ReadText(protein), chain));
  if (!reading.Succeeded()) {
    std::fprintf(stderr, "%s chain %c: %s\n", protein.c_str(), chain, reading.failure.c_str());
    return 1;
  }
  return WriteText(folder / "file_00", FrontEndPointFile(reading)) ? 0 : 1;
}

int Options(const std::string& name, const std::string& weights, const fs::path& folder) {
  BuildResidueTypeTables();
  return WriteText(folder / "option_bis.txt", TessellationOptionsFile(name, weights == "default")) ? 0 : 1;
}

int Areas(const fs::path& list, const fs::path& zeroWork, const fs::path& defaultWork, const fs::path& out) {
  const std::vector<ChainEntry> chains = ReadChainList(list);
  struct Source {
    const char* name;
    fs::path work;
    AreaSamples samples;
  };
  std::vector<Source> sources = {{"weights off", zeroWork, {}}, {"default weights", defaultWork, {}}};
  for (Source& source : sources) {
    int used = 0;
    for (const ChainEntry& chain : chains) {
      const fs::path results = ResultsOf(source.work, chain);
      const std::vector<CellLine> cells = ReadCells(results);
      if (cells.empty()) continue;
      source.samples.AddTessellation(cells, ReadFaces(results));
      ++used;
    }
    if (used == 0) {
      std::fprintf(stderr, "no tessellation of %s in %s\n", source.name, source.work.c_str());
      return 1;
    }
    std::printf("%s: %d tessellations; faces at separation 2..6:", source.name, used);
    for (int s = FirstAreaSeparation; s <= LastAreaSeparation; ++s)
      std::printf(" %lld", source.samples.FaceCount(s));
    std::printf("\n");
  }

  struct Candidate {
    std::string label;
    AreaStatistic statistic;
    bool zeros;
    const char* source;
    AreaTable table;
    AreaFit fit;
  };
  std::vector<Candidate> candidates;
  for (Source& source : sources) {
    for (AreaStatistic statistic : {AreaStatistic::Mean, AreaStatistic::Median}) {
      for (bool zeros : {false, true}) {
        Candidate candidate;
        candidate.label = std::string(statistic == AreaStatistic::Mean ? "mean" : "median") +
                          (zeros ? " with missing faces as 0" : " of faces") + ", " + source.name;
        candidate.statistic = statistic;
        candidate.zeros = zeros;
        candidate.source = source.name;
        candidate.table = source.samples.Table({statistic, zeros});
        candidate.fit = FitToKnown(candidate.table);
        candidates.push_back(std::move(candidate));
      }
    }
  }
  std::printf("\n%-46s %9s %10s  ranges of separations 2..6\n", "statistic", "row RMS", "range err");
  const Candidate* best = &candidates.front();
  for (const Candidate& candidate : candidates) {
    std::printf("%-46s %9.3f %10.3f ", candidate.label.c_str(), candidate.fit.rowRmsError,
                candidate.fit.rangeMeanError);
    for (const auto& [low, high] : candidate.fit.ranges) std::printf(" %.2f-%.2f", low, high);
    std::printf("\n");
    if (candidate.fit.Score() < best->fit.Score()) best = &candidate;
  }
  std::printf("%-46s %9s %10s ", "known", "", "");
  for (const auto& [low, high] : KnownRanges) std::printf(" %.2f-%.2f", low, high);
  std::printf("\n\nbest: %s\nalanine row at separation 2, computed / known:\n", best->label.c_str());
  for (std::size_t b = 0; b < KnownAlanineRow.size(); ++b) {
    std::printf("  A-%c %5.2f %5.2f\n", ContactLetters[b], best->fit.alanineRow[b], KnownAlanineRow[b]);
  }

  const KnownValuesApplied applied = WithKnownValues(best->table);
  std::printf("values held to the known ranges: %d of %d\n", applied.clamped,
              ContactSeparationCount * ContactLetterCount * ContactLetterCount);
  char description[768];
  std::snprintf(
      description, sizeof description,
      "Each value is the %s of the faces between residues of the two letters at the separation\n"
      "(%s), over the tessellations of the training chains' default runs\n"
      "(CA points, environment 6.5 / 3.5, %s): of the statistics tried, it reproduces the known\n"
      "alanine row and ranges best (row RMS error %.2f, range error %.2f). The known alanine row of\n"
      "separation 2 is kept exactly and every value is held to the known range of its separation\n"
      "(%d values were).",
      best->statistic == AreaStatistic::Mean ? "mean area" : "median area",
      best->zeros ? "pairs without a face counted as 0" : "pairs without a face left out", best->source,
      best->fit.rowRmsError, best->fit.rangeMeanError, applied.clamped);
  return WriteText(out, AreaTableSource(applied.table, kGenerator, description)) ? 0 : 1;
}

int Count(const fs::path& list, const fs::path& work, const fs::path& dsspPath, const fs::path& outFolder) {
  const auto dssp = ReadDssp(dsspPath);
  PatternCounter counter;
  long long residues = 0, missing = 0;
  int proteins = 0;
  for (const ChainEntry& chain : ReadChainList(list)) {
    const fs::path results = ResultsOf(work, chain);
    AlignedStates states;
    if (!RunStates(results, chain, dssp, states)) continue;
    const ContactMatrix matrix = ReadContacts(results);
    if (matrix.Size() != static_cast<int>(states.states.size())) {
      std::fprintf(stderr, "%s: %d contact rows for %zu cells, skipped\n", chain.Id().c_str(), matrix.Size(),
                   states.states.size());
      continue;
    }
    counter.AddProtein(matrix, states.states);
    residues += matrix.Size();
    missing += states.missing;
    ++proteins;
  }
  if (proteins == 0) {
    std::fprintf(stderr, "no contact file in %s\n", work.c_str());
    return 1;
  }
  const PatternTable central = counter.CentralTable(), terminal = counter.TerminalTable();
  std::printf(
      "%d proteins, %lld residues (%lld without a DSSP state, counted as 'c'), %lld patterns counted, "
      "%lld skipped\n",
      proteins, residues, missing, counter.CountedResidues(), counter.SkippedResidues());
  for (const auto& [table, name] : {std::pair{&central, "Tab_cen_2"}, std::pair{&terminal, "Tab_ext_2"}}) {
    const std::optional<std::string> text = PatternTableText(*table);
    if (!text || !WriteText(outFolder / name, *text)) return 1;
    std::printf("%s: %zu entries, %zu bytes\n", name, table->Size(), text->size());
  }
  return 0;
}

PatternTable ReadTableFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) std::fprintf(stderr, "cannot open %s\n", path.c_str());
  return ReadPatternTable(in);
}

void PrintConfusion(const char* title, const Confusion& confusion) {
  std::printf("%s: %lld residues, Q3 %.1f %%\n", title, confusion.Total(), 100 * confusion.Q3());
  std::printf("  DSSP \\ class       a        b        c   recall\n");
  for (int t = 0; t < StateCount; ++t) {
    std::printf("  %c           ", StateLetter(t));
    for (int p = 0; p < StateCount; ++p) std::printf(" %8lld", confusion.Count(t, p));
    std::printf("  %5.1f %%\n", 100 * confusion.Recall(t));
  }
  std::printf("  precision   ");
  for (int p = 0; p < StateCount; ++p) std::printf(" %6.1f %%", 100 * confusion.Precision(p));
  std::printf("\n");
}

int Evaluate(const fs::path& list, const fs::path& work, const fs::path& dsspPath,
             const fs::path& tableFolder) {
  const auto dssp = ReadDssp(dsspPath);
  const PatternTable central = ReadTableFile(tableFolder / "Tab_cen_2");
  const PatternTable terminal = ReadTableFile(tableFolder / "Tab_ext_2");
  Confusion all, bulk, s0All, s0Bulk;
  int proteins = 0, bulkProteins = 0, mismatches = 0;
  for (const ChainEntry& chain : ReadChainList(list)) {
    const fs::path results = ResultsOf(work, chain);
    AlignedStates states;
    if (!RunStates(results, chain, dssp, states)) continue;
    std::string classes;
    for (const std::string& line : Lines(ReadText(results / (std::string(kProteinName) + "_resu")))) {
      if (!line.empty()) classes.push_back(line[0]);
    }
    const Attribution attribution = AssignClasses(ReadContacts(results), central, terminal);
    if (attribution.s2.Text() != classes) ++mismatches;  // the program and the library must agree
    const bool inBulk = Lines(ReadText(results / (std::string(kProteinName) + "_error2"))).empty();
    ++proteins;
    all.Add(states.states, classes);
    s0All.Add(states.states, attribution.s0.Text());
    if (inBulk) {
      ++bulkProteins;
      bulk.Add(states.states, classes);
      s0Bulk.Add(states.states, attribution.s0.Text());
    }
  }
  std::printf("%d proteins, %d with every residue in the bulk; %d class files differ from the library's\n",
              proteins, bulkProteins, mismatches);
  PrintConfusion("final classes, all proteins", all);
  PrintConfusion("final classes, proteins in the bulk", bulk);
  std::printf("s0 alone: Q3 %.1f %% (all), %.1f %% (in the bulk)\n", 100 * s0All.Q3(), 100 * s0Bulk.Q3());
  PrintConfusion("s0, all proteins", s0All);
  return 0;
}

int Usage() {
  std::fputs("usage: train_attribution split|points|options|areas|count|evaluate ... (see the source)\n",
             stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string& command = args[0];
  if (command == "split" && args.size() == 3) return Split(args[1], args[2]);
  if (command == "points" && args.size() == 4 && args[2].size() == 1)
    return Points(args[1], args[2][0], args[3]);
  if (command == "options" && args.size() == 4) return Options(args[1], args[2], args[3]);
  if (command == "areas" && args.size() == 5) return Areas(args[1], args[2], args[3], args[4]);
  if (command == "count" && args.size() == 5) return Count(args[1], args[2], args[3], args[4]);
  if (command == "evaluate" && args.size() == 5) return Evaluate(args[1], args[2], args[3], args[4]);
  return Usage();
}
