// The option files: option_bis.txt (tessellation) and option.txt (relaxation). One option a line, each
// key compared with the start of the line, the value after the first ':', the last occurrence winning.
#pragma once

#include <array>
#include <istream>
#include <span>
#include <string>
#include <string_view>

#include "brindel/exchange/residue_codes.h"

namespace mirelda::exchange {

inline constexpr std::size_t OptionLineBuffer = 100;
inline constexpr const char* DefaultProteinName = "prot";
inline constexpr double DefaultRcut = 10.0;
inline constexpr double DefaultDcut = 16.0;
inline constexpr int DefaultRelaxationCount = 9;
// The largest RLX the reader takes; a larger one is read as this and flagged. Every pass rebuilds the whole
// tessellation, so even this many is hours of work (the front-end offers at most 15), and the pass
// counter of the program never comes near the end of int.
inline constexpr int MaxRelaxationCount = 999;

// 26 weights by letter, position = letter - 'A'.
using WeightTable = std::array<double, LetterTableSize>;

// The value of a key line: the text after the first ':', or nullopt-like empty view with found = false
// when the line has no ':' (such a line sets nothing).
struct OptionValue {
  std::string_view text;
  bool found = false;
};
OptionValue ValueAfterColon(std::string_view line);

// The protein name of a "NOM_PROT" value: its first four characters, ending early at a line end. A name
// that is empty or could leave the working folder ("/", "\", ".", "..") is refused: found = false.
struct ProteinNameValue {
  std::string name;
  bool found = false;
};
ProteinNameValue ProteinNameOf(std::string_view value);

struct TessellationOptions {
  std::string proteinName = DefaultProteinName;
  double rcut = DefaultRcut;
  double dcut = DefaultDcut;
  WeightTable weights{};     // all 0 by default
  bool nameRefused = false;  // a NOM_PROT line held an unusable name; the default was kept

  double Rcut2() const { return rcut * rcut; }
  double Dcut2() const { return dcut * dcut; }
};

// Why the cut-offs cannot be used, empty when they can: a DCUT that is not a positive number leaves every
// cell without a face, an RCUT that is not one leaves every face out.
std::string CutOffProblem(double rcut, double dcut);

struct RelaxationOptions {
  std::string proteinName = DefaultProteinName;
  int relaxationCount = DefaultRelaxationCount;  // RLX: the program runs RLX + 1 passes
  double rcut = DefaultRcut;
  double dcut = DefaultDcut;
  bool eachPass = false;     // EACH: a coordinate file after every pass
  bool stopOnError = false;  // ERROR: stop after a pass with an amino acid not in the bulk
  bool nameRefused = false;
  bool relaxationCountCapped = false;  // RLX was above MaxRelaxationCount, which was taken instead

  double Rcut2() const { return rcut * rcut; }
  double Dcut2() const { return dcut * dcut; }
};

// The weight letters, in the order of the weight echo and of the option lines: A C D E F G H I K L M N P
// Q R S T U V W Y (the letters of OneLetterCodes that are not '0').
inline constexpr std::string_view WeightLetters = "ACDEFGHIKLMNPQRSTUVWY";

TessellationOptions ReadTessellationOptions(std::istream& in);
RelaxationOptions ReadRelaxationOptions(std::istream& in);

// The default weight of each residue type (its volume), in the order of WeightLetters: the weights the
// front-end's amino-acid table starts with and proposes again on "Initialisation".
struct LetterWeight {
  char letter;
  double weight;
};
inline constexpr std::array<LetterWeight, WeightLetters.size()> DefaultWeights{{
    {'A', 91.5},  {'C', 114.4}, {'D', 135.2}, {'E', 154.6}, {'F', 198.8}, {'G', 67.5},  {'H', 162.3},
    {'I', 162.6}, {'K', 162.5}, {'L', 163.4}, {'M', 165.9}, {'N', 138.3}, {'P', 123.4}, {'Q', 156.4},
    {'R', 196.1}, {'S', 102.0}, {'T', 126.0}, {'U', 143.8}, {'V', 138.4}, {'W', 237.2}, {'Y', 209.8}}};
// The default weight of a letter; 0 for a letter of no residue type.
double DefaultWeightOf(char letter);
// DefaultWeights as a table by letter.
WeightTable DefaultWeightTable();

// A number as the option files carry it: up to 15 significant digits, no trailing zeros, '.' as separator
// whatever the locale ("91.5", "102", "0.25"); a value that is not finite is written "0".
std::string OptionNumberText(double value);

// option_bis.txt, CR LF lines: "NOM_PROT:" + name, "DCUT:16", "RCUT:10", then ">" + letter + ":" + weight
// for each entry, in the order given.
std::string FormatTessellationOptions(std::string_view proteinName, std::span<const LetterWeight> weights);

// option.txt, CR LF lines: "NOM_PROT:" + name, "RLX:" + count, "DCUT:16", "RCUT:10", then "EACH" for a
// coordinate file after each pass and "ERROR" to stop on residues that are not in the bulk.
std::string FormatRelaxationOptions(std::string_view proteinName, int relaxationCount, bool eachPass,
                                    bool stopOnError);

}  // namespace mirelda::exchange
