// The command line of mirelda-batch: the protein file, the protein name and the choices the dialogs
// offer (point, environment with radius and thickness, relaxations, weights), checked as the dialogs
// check what a user types, before anything is written. With --out, many protein files instead of one
// file and a name, each into its own folder of the output folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::batch {

// The residue value the B-factor files carry: the exposure (percent), the cell volume (cubic angstroms) or
// the class as a number (a 1, b 2, c 3).
enum class BfactorColumn { Exposure, Volume, Class };

struct BatchOptions {
  std::string proteinFile;
  std::string proteinName;
  std::string point = "CA";        // the combo text of the environment dialog
  std::string radiusText = "6.5";  // '.' decimals, as written into file_00
  std::string thicknessText = "3.5";
  bool withEnvironment = true;
  int relaxations = 0;    // the relaxation step is optional: none unless asked
  bool weighted = false;  // the tessellation dialog opens with "no" to the weights
  bool verbose = false;   // stream what the console programs print
  bool modified = false;  // modified amino acids (HETATM MSE, SEP, ...) read as their parent type
  bool renumber = false;  // residues with an insertion code kept and numbered in order, not left out
  BfactorColumn bfactor = BfactorColumn::Exposure;  // what the B-factor files show
  std::optional<char> chain{};  // only this chain is read

  // Many proteins at once (--out): the output folder, the protein files, how many run side by side,
  // whether to print nothing but failures and whether complete results are run again.
  std::string outFolder;
  std::string summaryFile;  // DIR/summary.tsv unless given
  std::vector<std::string> proteinFiles;
  int jobs = 1;
  bool quiet = false;
  bool force = false;
};

struct ParsedCommandLine {
  std::optional<BatchOptions> options;  // nullopt with help or an error
  bool help = false;
  bool version = false;
  std::string error;  // why the command line was refused
};

ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string_view>& arguments);

// The --help text.
std::string BatchUsage();

// The --version line.
std::string BatchVersion();

}  // namespace mirelda::batch
