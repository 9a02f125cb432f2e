// The 21 residue types the front-end knows (20 amino acids and the environment type "XXX", code "U"),
// with their atom lists, bond topologies, weights and colours, in two keyed and ordered tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::model {

// A residue-type definition. A plain record: each field is read and written directly. In
// ResidueTypesByName, R1 is the one-letter code and ATOM and DRAW are set; in ResidueTypesByLetter, R1 is
// the three-letter name and POIDS, col and tei are set. Fields a table does not set stay empty / 0.
struct DEF_RESIDU {
  std::string R1;
  std::string ATOM;      // "-N-C-O-CA-CB-": every atom of a complete residue, each followed by '-'
  double POIDS = 0.0;    // current weight; the weights dialog replaces it
  std::string DRAW;      // ">CA:N>C:CA...": per atom its one or two bonded parents ("CZ:CE1-CE2")
  std::int32_t col = 0;  // default colour, red + 256 * green + 65536 * blue; never changed
  std::int32_t tei = 0;  // current colour, starts at col; the colour dialog changes it
};

// An ordered table of DEF_RESIDU keyed by text compared without regard to letter case (and otherwise
// exactly: "AL " does not find "ALA"). Positions run from 1 to Count() in insertion order.
class ResidueTypeTable {
 public:
  // Adds a record at the end; returns it, or nullptr (table unchanged) when the key is already present.
  DEF_RESIDU* Add(std::string_view key);

  // nullptr when the key is not in the table: the caller's error, nothing changes.
  DEF_RESIDU* Find(std::string_view key);
  const DEF_RESIDU* Find(std::string_view key) const;

  int Count() const { return static_cast<int>(entries_.size()); }
  // nullptr outside 1..Count().
  DEF_RESIDU* At(int position);
  const DEF_RESIDU* At(int position) const;
  // The key of a position ("" outside 1..Count()).
  std::string KeyAt(int position) const;

 private:
  struct Entry {
    std::string key;  // upper-cased
    DEF_RESIDU record;
  };
  std::vector<Entry> entries_;
};

// The number of residue types, and the position of the environment type "XXX" / "U".
inline constexpr int kResidueTypeCount = 21;
inline constexpr int kEnvironmentTypePosition = 18;

// Builds both tables with their default values if they do not exist yet (idempotent). The table
// accessors build them on first use, so calling it is only needed to fix the moment of construction.
void BuildResidueTypeTables();

// The process-wide tables: keyed by three-letter name and by one-letter code, same order.
ResidueTypeTable& ResidueTypesByName();
ResidueTypeTable& ResidueTypesByLetter();

// Lookups by key (case-insensitive, no trimming); nullptr when the key is unknown.
DEF_RESIDU* ResidueTypeByName(std::string_view threeLetterName);
DEF_RESIDU* ResidueTypeByLetter(std::string_view oneLetterCode);

// Packs a colour as the front-end stores it: red in the low byte (0x00BBGGRR).
constexpr std::int32_t PackColour(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

// The parents of an atom in a bond topology: the text after ">" + atom + ":" up to the next '>' (or the
// end), split at '-'. Empty when the atom has no entry (">C:" never matches ">CA:").
std::vector<std::string> TopologyParents(std::string_view draw, std::string_view atom);

// Whether "-" + atom + "-" occurs in an atom list.
bool AtomListHas(std::string_view atomList, std::string_view atom);

}  // namespace mirelda::model
