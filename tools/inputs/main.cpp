// mirelda-inputs: writes the input files of the console programs to standard output with the project's own
// writers, for the scripts and benchmarks that run the programs without the front-end.
//   mirelda-inputs points PROTEIN [POINT [RADIUS THICKNESS]]  file_00 as the front-end writes it (CA points,
//                                                             radius 6.5 and thickness 3.5 unless given)
//   mirelda-inputs tessellation-options NAME [zero|default]   option_bis.txt, weights off unless "default"
//   mirelda-inputs relaxation-options NAME RLX [EACH] [ERROR]  option.txt for RLX + 1 passes
//   mirelda-inputs copies N DX < POINTS                       the point file on standard input with its
//                                                             points N times on a square grid DX apart in x, y
//   mirelda-inputs random-points N [SEED]                     N points spread evenly at random in a cube
//                                                             of 250 cubic angstroms a point
// Exit status: 0 written; 1 a wrong command line; 2 the protein could not be read.
#include <array>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "brindel/exchange/decimal_reading.h"
#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/file_00.h"
#include "mirelda/workflow/protein_files.h"

namespace {

constexpr const char* kUsage =
    "Usage: mirelda-inputs points PROTEIN [POINT [RADIUS THICKNESS]]\n"
    "       mirelda-inputs tessellation-options NAME [zero|default]\n"
    "       mirelda-inputs relaxation-options NAME RLX [EACH] [ERROR]\n"
    "       mirelda-inputs copies N DX < POINTS\n"
    "       mirelda-inputs random-points N [SEED]\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 1;
}

std::optional<long long> WholeNumber(const std::string& text) {
  const auto number = mirelda::exchange::ReadLeadingInteger(text);
  if (!number.found || number.end != text.size()) return std::nullopt;
  return number.value;
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
  const auto count = WholeNumber(args[1]);
  if (!count) return Usage();
  bool each = false, error = false;
  for (std::size_t k = 2; k < args.size(); ++k) {
    if (args[k] == "EACH")
      each = true;
    else if (args[k] == "ERROR")
      error = true;
    else
      return Usage();
  }
  std::cout << mirelda::exchange::FormatRelaxationOptions(args[0], static_cast<int>(*count), each, error);
  return 0;
}

int Copies(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage();
  const auto copies = WholeNumber(args[0]);
  const auto shift = mirelda::exchange::ReadLeadingDouble(args[1]);
  if (!copies || *copies < 1 || !shift.found) return Usage();
  std::vector<mirelda::exchange::PointRecord> points;
  for (std::string line; std::getline(std::cin, line);) {
    if (!mirelda::exchange::AddPointLine(line, points) && !mirelda::exchange::IsPointLine(line))
      std::cout << line << '\n';  // parameter lines pass unchanged
  }
  // On a square grid in x and y, row by row, so that many copies stay within an environment's reach.
  long long side = 1;
  while (side * side < *copies) ++side;
  int serial = 0;
  for (long long c = 0; c < *copies; ++c) {
    for (mirelda::exchange::PointRecord point : points) {
      point.x += static_cast<double>(c % side) * shift.value;
      point.y += static_cast<double>(c / side) * shift.value;
      std::cout << mirelda::exchange::FormatPointLine(++serial, point);
    }
  }
  return 0;
}

int RandomPoints(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2) return Usage();
  const auto count = WholeNumber(args[0]);
  const auto seed = args.size() > 1 ? WholeNumber(args[1]) : std::optional<long long>(7);
  if (!count || *count < 1 || !seed) return Usage();
  constexpr double kVolumePerPoint = 250;  // about a residue's
  constexpr std::array<const char*, 8> kNames{"ALA", "TRP", "GLY", "LYS", "PHE", "SER", "ARG", "VAL"};
  const double side = std::cbrt(static_cast<double>(*count) * kVolumePerPoint);
  std::mt19937 random(static_cast<unsigned>(*seed));
  std::uniform_real_distribution<double> coordinate(0.0, side);
  for (long long k = 1; k <= *count; ++k) {
    const double x = coordinate(random), y = coordinate(random), z = coordinate(random);
    std::cout << mirelda::exchange::FormatPointLine(static_cast<int>(k % 10000),
                                                    kNames[static_cast<std::size_t>(k % 8)], 'A',
                                                    static_cast<int>(k % 10000), x, y, z);
  }
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
  if (command == "copies") return Copies(args);
  if (command == "random-points") return RandomPoints(args);
  return Usage();
}
