// mirelda-inputs: writes the input files of the console programs to standard output with the project's own
// writers, for the scripts and benchmarks that run the programs without the front-end.
//   mirelda-inputs points PROTEIN [POINT [RADIUS THICKNESS]]  file_00 as the front-end writes it (CA points,
//                                                             radius 6.5 and thickness 3.5 unless given)
//   mirelda-inputs tessellation-options NAME [zero|default]   option_bis.txt, weights off unless "default"
//   mirelda-inputs relaxation-options NAME RLX [EACH] [ERROR]  option.txt for RLX + 1 passes
// Exit status: 0 written; 1 a wrong command line; 2 the protein could not be read.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "brindel/exchange/decimal_reading.h"
#include "brindel/exchange/option_files.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/file_00.h"
#include "mirelda/workflow/protein_files.h"

namespace {

constexpr const char* kUsage =
    "Usage: mirelda-inputs points PROTEIN [POINT [RADIUS THICKNESS]]\n"
    "       mirelda-inputs tessellation-options NAME [zero|default]\n"
    "       mirelda-inputs relaxation-options NAME RLX [EACH] [ERROR]\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 1;
}

int Points(const std::vector<std::string>& args) {
  if (args.size() != 1 && args.size() != 2 && args.size() != 4) return Usage();
  mirelda::model::BuildResidueTypeTables();
  const mirelda::model::ProteinReading reading = mirelda::workflow::ReadProteinFile(args[0]);
  if (!reading.Succeeded()) {
    std::fprintf(stderr, "mirelda-inputs: %s: %s\n", args[0].c_str(), reading.failure.c_str());
    return 2;
  }
  const std::string point = args.size() > 1 ? args[1] : "CA";
  const std::string radius = args.size() > 2 ? args[2] : "6.5";
  const std::string thickness = args.size() > 2 ? args[3] : "3.5";
  std::cout << mirelda::workflow::File00Text(reading.residues, point, radius, thickness);
  return 0;
}

int TessellationOptions(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2 || (args.size() == 2 && args[1] != "zero" && args[1] != "default"))
    return Usage();
  std::vector<mirelda::exchange::LetterWeight> weights(mirelda::exchange::DefaultWeights.begin(),
                                                       mirelda::exchange::DefaultWeights.end());
  if (args.size() < 2 || args[1] == "zero")
    for (auto& entry : weights) entry.weight = 0;
  std::cout << mirelda::exchange::FormatTessellationOptions(args[0], weights);
  return 0;
}

int RelaxationOptions(const std::vector<std::string>& args) {
  if (args.size() < 2 || args.size() > 4) return Usage();
  const auto count = mirelda::exchange::ReadLeadingInteger(args[1]);
  if (!count.found || count.end != args[1].size()) return Usage();
  bool each = false, error = false;
  for (std::size_t k = 2; k < args.size(); ++k) {
    if (args[k] == "EACH")
      each = true;
    else if (args[k] == "ERROR")
      error = true;
    else
      return Usage();
  }
  std::cout << mirelda::exchange::FormatRelaxationOptions(args[0], static_cast<int>(count.value), each, error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "points") return Points(args);
  if (command == "tessellation-options") return TessellationOptions(args);
  if (command == "relaxation-options") return RelaxationOptions(args);
  return Usage();
}
