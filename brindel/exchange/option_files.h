// The option files: option_bis.txt (tessellation) and option.txt (relaxation). One option a line, each
// key compared with the start of the line, the value after the first ':', the last occurrence winning.
#pragma once

#include <array>
#include <istream>
#include <string>
#include <string_view>

#include "brindel/exchange/residue_codes.h"

namespace mirelda::exchange {

inline constexpr std::size_t OptionLineBuffer = 100;
inline constexpr const char* DefaultProteinName = "prot";
inline constexpr double DefaultRcut = 10.0;
inline constexpr double DefaultDcut = 16.0;
inline constexpr int DefaultRelaxationCount = 9;

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

struct RelaxationOptions {
  std::string proteinName = DefaultProteinName;
  int relaxationCount = DefaultRelaxationCount;  // RLX: the program runs RLX + 1 passes
  double rcut = DefaultRcut;
  double dcut = DefaultDcut;
  bool eachPass = false;     // EACH: a coordinate file after every pass
  bool stopOnError = false;  // ERROR: stop after a pass with an amino acid not in the bulk
  bool nameRefused = false;

  double Rcut2() const { return rcut * rcut; }
  double Dcut2() const { return dcut * dcut; }
};

// The weight letters, in the order of the weight echo and of the option lines: A C D E F G H I K L M N P
// Q R S T U V W Y (the letters of OneLetterCodes that are not '0').
inline constexpr std::string_view WeightLetters = "ACDEFGHIKLMNPQRSTUVWY";

TessellationOptions ReadTessellationOptions(std::istream& in);
RelaxationOptions ReadRelaxationOptions(std::istream& in);

}  // namespace mirelda::exchange
