#include "mirelda/model/residue_types.h"

#include <array>

#include "brindel/exchange/option_files.h"

namespace mirelda::model {
namespace {

std::string UpperKey(std::string_view key) {
  std::string upper(key);
  for (char& c : upper)  // ASCII only: the user's locale must not change which keys match
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

struct TypeDefaults {
  const char* name;
  const char* code;
  const char* atoms;
  const char* draw;
  int red, green, blue;
};

// In the order of the one-letter codes, with "U" (environment) between "T" and "V": the dialogs pair the
// two tables by position, so this order is part of the tables' contract.
constexpr std::array<TypeDefaults, kResidueTypeCount> kTypeDefaults{{
    {"ALA", "A", "-N-C-O-CA-CB-", ">CA:N>C:CA>O:C>CB:CA", 235, 255, 0},
    {"CYS", "C", "-N-C-O-CA-CB-SG-", ">CA:N>C:CA>O:C>CB:CA>SG:CB", 158, 255, 64},
    {"ASP", "D", "-N-C-O-CA-CB-CG-OD1-OD2-", ">CA:N>C:CA>O:C>CB:CA>CG:CB>OD1:CG>OD2:CG", 0, 102, 255},
    {"GLU", "E", "-N-C-O-CA-CB-CG-CD-OE1-OE2-", ">CA:N>C:CA>O:C>CB:CA>CG:CB>CD:CG>OE1:CD>OE2:CD", 41, 255,
     166},
    {"PHE", "F", "-N-C-O-CA-CB-CG-CD1-CD2-CE1-CE2-CZ-",
     ">CA:N>C:CA>O:C>CB:CA>CG:CB>CD1:CG>CD2:CG>CE1:CD1>CE2:CD2>CZ:CE1-CE2", 255, 122, 0},
    {"GLY", "G", "-N-C-O-CA-", ">CA:N>C:CA>O:C", 0, 0, 255},
    {"HIS", "H", "-N-C-O-CA-CB-CG-ND1-CD2-CE1-NE2-",
     ">CA:N>C:CA>O:C>CB:CA>CG:CB>ND1:CG>CD2:CG>CE1:ND1>NE2:CD2-CE1", 0, 255, 255},
    {"ILE", "I", "-N-C-O-CA-CB-CG1-CG2-CD1-", ">CA:N>C:CA>O:C>CB:CA>CG1:CB>CG2:CB>CD1:CG1", 255, 41, 0},
    {"LYS", "K", "-N-C-O-CA-CB-CG-CD-CE-NZ-", ">CA:N>C:CA>O:C>CB:CA>CG:CB>CD:CG>CE:CD>NZ:CE", 0, 255, 199},
    {"LEU", "L", "-N-C-O-CA-CB-CG-CD1-CD2-", ">CA:N>C:CA>O:C>CB:CA>CG:CB>CD1:CG>CD2:CG", 255, 82, 0},
    {"MET", "M", "-N-C-O-CA-CB-CG-SD-CE-", ">CA:N>C:CA>O:C>CB:CA>CG:CB>SD:CG>CE:SD", 255, 163, 0},
    {"ASN", "N", "-N-C-O-CA-CB-CG-OD1-ND2-", ">CA:N>C:CA>O:C>CB:CA>CG:CB>OD1:CG>ND2:CG", 0, 153, 255},
    {"PRO", "P", "-N-C-O-CA-CB-CG-CD-", ">CA:N>C:CA>O:C>CB:CA>CG:CB>CD:CG-N", 0, 5, 255},
    {"GLN", "Q", "-N-C-O-CA-CB-CG-CD-OE1-NE2-", ">CA:N>C:CA>O:C>CB:CA>CG:CB>CD:CG>OE1:CD>NE2:CD", 117, 255,
     97},
    {"ARG", "R", "-N-C-O-CA-CB-CG-CD-NE-CZ-NH1-NH2-",
     ">CA:N>C:CA>O:C>CB:CA>CG:CB>CD:CG>NE:CD>CZ:NE>NH1:CZ>NH2:CZ", 196, 255, 31},
    {"SER", "S", "-N-C-O-CA-CB-OG-", ">CA:N>C:CA>O:C>CB:CA>OG:CB", 0, 204, 255},
    {"THR", "T", "-N-C-O-CA-CB-OG1-CG2-", ">CA:N>C:CA>O:C>CB:CA>OG1:CB>CG2:CB", 79, 255, 133},
    {"XXX", "U", "-CA-", "", 191, 184, 184},
    {"VAL", "V", "-N-C-O-CA-CB-CG1-CG2-", ">CA:N>C:CA>O:C>CB:CA>CG1:CB>CG2:CB", 255, 0, 0},
    {"TRP", "W", "-N-C-O-CA-CB-CG-CD1-CD2-NE1-CE2-CE3-CZ2-CZ3-CH2-",
     ">CA:N>C:CA>O:C>CB:CA>CG:CB>CD1:CG>CD2:CG>NE1:CD1>CE2:CD2-NE1>CE3:CD2>CZ2:CE2>CZ3:CE3>CH2:CZ2-CZ3", 255,
     122, 0},
    {"TYR", "Y", "-N-C-O-CA-CB-CG-CD1-CD2-CE1-CE2-CZ-OH-",
     ">CA:N>C:CA>O:C>CB:CA>CG:CB>CD1:CG>CD2:CG>CE1:CD1>CE2:CD2>CZ:CE1-CE2>OH:CZ", 255, 204, 0},
}};

struct ResidueTypeTables {
  ResidueTypeTable byName;
  ResidueTypeTable byLetter;

  ResidueTypeTables() {
    for (const TypeDefaults& type : kTypeDefaults) {
      DEF_RESIDU* named = byName.Add(type.name);
      named->R1 = type.code;
      named->ATOM = type.atoms;
      named->DRAW = type.draw;
      DEF_RESIDU* lettered = byLetter.Add(type.code);
      lettered->R1 = type.name;
      lettered->POIDS = exchange::DefaultWeightOf(type.code[0]);
      lettered->col = PackColour(type.red, type.green, type.blue);
      lettered->tei = lettered->col;
    }
  }
};

ResidueTypeTables& Tables() {
  static ResidueTypeTables tables;  // built once, never rebuilt, alive until the program ends
  return tables;
}

}  // namespace

DEF_RESIDU* ResidueTypeTable::Add(std::string_view key) {
  if (Find(key) != nullptr) return nullptr;
  entries_.push_back({UpperKey(key), {}});
  return &entries_.back().record;
}

DEF_RESIDU* ResidueTypeTable::Find(std::string_view key) {
  return const_cast<DEF_RESIDU*>(static_cast<const ResidueTypeTable*>(this)->Find(key));
}

const DEF_RESIDU* ResidueTypeTable::Find(std::string_view key) const {
  const std::string upper = UpperKey(key);
  for (const Entry& entry : entries_)
    if (entry.key == upper) return &entry.record;
  return nullptr;
}

DEF_RESIDU* ResidueTypeTable::At(int position) {
  return const_cast<DEF_RESIDU*>(static_cast<const ResidueTypeTable*>(this)->At(position));
}

const DEF_RESIDU* ResidueTypeTable::At(int position) const {
  if (position < 1 || position > Count()) return nullptr;
  return &entries_[static_cast<std::size_t>(position - 1)].record;
}

std::string ResidueTypeTable::KeyAt(int position) const {
  if (position < 1 || position > Count()) return {};
  return entries_[static_cast<std::size_t>(position - 1)].key;
}

void BuildResidueTypeTables() { Tables(); }
ResidueTypeTable& ResidueTypesByName() { return Tables().byName; }
ResidueTypeTable& ResidueTypesByLetter() { return Tables().byLetter; }
DEF_RESIDU* ResidueTypeByName(std::string_view threeLetterName) {
  return ResidueTypesByName().Find(threeLetterName);
}
DEF_RESIDU* ResidueTypeByLetter(std::string_view oneLetterCode) {
  return ResidueTypesByLetter().Find(oneLetterCode);
}

std::vector<std::string> TopologyParents(std::string_view draw, std::string_view atom) {
  const std::string entry = std::string(">").append(atom).append(":");
  const std::size_t at = draw.find(entry);
  if (at == std::string_view::npos) return {};
  const std::size_t start = at + entry.size();
  const std::size_t end = draw.find('>', start);
  const std::string_view parents = draw.substr(start, end == std::string_view::npos ? end : end - start);
  std::vector<std::string> names;
  if (const std::size_t dash = parents.find('-'); dash != std::string_view::npos) {
    names.emplace_back(parents.substr(0, dash));
    names.emplace_back(parents.substr(dash + 1));
  } else {
    names.emplace_back(parents);
  }
  return names;
}

bool AtomListHas(std::string_view atomList, std::string_view atom) {
  return atomList.find(std::string("-").append(atom).append("-")) != std::string_view::npos;
}

}  // namespace mirelda::model
