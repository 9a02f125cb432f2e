// The command line of mirelda-batch: the protein file, the protein name and the choices the dialogs
// offer (point, environment with radius and thickness, relaxations, weights), checked as the dialogs
// check what a user types, before anything is written.
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
};

struct ParsedCommandLine {
  std::optional<BatchOptions> options;  // nullopt with help or an error
  bool help = false;
  std::string error;  // why the command line was refused
};

ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string_view>& arguments);

// The --help text.
std::string BatchUsage();

}  // namespace mirelda::batch
