#include "mirelda/workflow/mmcif_protein.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <gemmi/cif.hpp>
#include <gemmi/mmcif.hpp>
#include <string>
#include <utility>
#include <vector>

#include "mirelda/model/modified_residues.h"

using namespace mirelda::model;

namespace mirelda::workflow {
namespace {

// A HETATM record as a PDB writer would give it: by the file's own flag, else by what the residue is.
bool IsHetatm(const gemmi::Residue& residue) {
  if (residue.het_flag != '\0') return residue.het_flag == 'H';
  return residue.entity_type == gemmi::EntityType::NonPolymer ||
         residue.entity_type == gemmi::EntityType::Water ||
         residue.entity_type == gemmi::EntityType::Branched;
}

// Residues the reader takes or reports: every ATOM record, and HETATM records of modified amino acids.
// (Ligands, ions and water need neither a chain character nor a number that fits.)
bool ReachesTheReader(const gemmi::Residue& residue) {
  return !IsHetatm(residue) || ModifiedResidueByName(residue.name) != nullptr;
}

// The atom name as positions 14-16 of a PDB line hold it: the format starts a name in column 14, or in 13
// when it has four characters or a two-letter element; position 13 is not read.
std::string PdbPositionsName(const gemmi::Atom& atom) {
  const std::string padded = atom.padded_name();
  if (padded.size() < 2) return {};
  std::string name = padded.substr(1, 3);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

// The residue name in the three right-aligned positions of a PDB line; a longer name is kept whole (no
// residue type has one, and the report shows it as it is).
std::string PdbPositionsResidueName(const std::string& name) {
  return name.size() < 3 ? std::string(3 - name.size(), ' ') + name : name;
}

std::string NumberText(int number) { return std::to_string(number); }

// The one-character chain of each chain name of the model that reaches the reader: one-character names
// stay, a blank name is a blank, longer names take the first free character of kChainCharacters. Returns
// the failure when the characters run out.
std::string MapChains(const gemmi::Model& model, std::vector<std::pair<std::string, char>>& chains,
                      std::vector<std::pair<std::string, char>>& mapped) {
  std::vector<std::string> names;
  for (const gemmi::Chain& chain : model.chains)
    if (std::ranges::any_of(chain.residues, ReachesTheReader) &&
        std::ranges::find(names, chain.name) == names.end())
      names.push_back(chain.name);
  std::string used;
  for (const std::string& name : names)
    if (name.size() <= 1) used += name.empty() ? ' ' : name.front();
  std::size_t next = 0;
  for (const std::string& name : names) {
    if (name.size() <= 1) {
      chains.emplace_back(name, name.empty() ? ' ' : name.front());
      continue;
    }
    while (next < kChainCharacters.size() && used.find(kChainCharacters[next]) != std::string::npos) ++next;
    if (next == kChainCharacters.size())
      return "the structure has " + NumberText(static_cast<int>(names.size())) +
             " chains; one character a chain (A-Z, a-z, 0-9) names at most " +
             NumberText(static_cast<int>(kChainCharacters.size()));
    chains.emplace_back(name, kChainCharacters[next]);
    mapped.emplace_back(name, kChainCharacters[next]);
    used += kChainCharacters[next];
  }
  return {};
}

char ChainCharacter(const std::vector<std::pair<std::string, char>>& chains, const std::string& name) {
  const auto found = std::ranges::find(chains, name, &std::pair<std::string, char>::first);
  return found == chains.end() ? ' ' : found->second;
}

// Gives the first model to the reader; returns a failure when the structure cannot be read faithfully.
std::string FeedFirstModel(const gemmi::Model& model, ProteinReader& reader,
                           const std::function<void(long long)>& progress) {
  std::vector<std::pair<std::string, char>> chains, mapped;
  if (std::string failure = MapChains(model, chains, mapped); !failure.empty()) return failure;
  for (const auto& [name, character] : mapped)
    reader.ReportInputProblem("PROBLEM FOR CHAIN " + name + " : NAME OF " +
                              NumberText(static_cast<int>(name.size())) + " CHARACTERS, READ AS CHAIN " +
                              std::string(1, character));

  long long records = 0;
  for (const gemmi::Chain& chain : model.chains) {
    const char chainCharacter = ChainCharacter(chains, chain.name);
    for (const gemmi::Residue& residue : chain.residues) {
      if (!ReachesTheReader(residue)) continue;
      if (!residue.seqid.num.has_value())
        return "residue " + residue.name + " of chain " + chain.name + " has no residue number";
      const int number = *residue.seqid.num;
      if (number < kLowestResidueNumber || number > kHighestResidueNumber)
        return "residue " + residue.name + " " + NumberText(number) + " of chain " + chain.name +
               ": the point file holds residue numbers of four digits (" + NumberText(kLowestResidueNumber) +
               " to " + NumberText(kHighestResidueNumber) + ")";
      const std::string residueName = PdbPositionsResidueName(residue.name);
      for (const gemmi::Atom& atom : residue.atoms) {
        if (!std::isfinite(atom.pos.x) || !std::isfinite(atom.pos.y) || !std::isfinite(atom.pos.z))
          return "coordinate out of range in atom " + atom.name + " of residue " + residue.name + " " +
                 NumberText(number) + " of chain " + chain.name;
        const std::string atomName = PdbPositionsName(atom);
        CoordinateRecord record;
        record.hetatm = IsHetatm(residue);
        record.atomName = atomName;
        record.altLoc = atom.altloc == '\0' ? ' ' : atom.altloc;
        record.residueName = residueName;
        record.chain = chainCharacter;
        record.number = static_cast<std::int16_t>(number);
        record.insertionCode = residue.seqid.icode == '\0' ? ' ' : residue.seqid.icode;
        record.position = {atom.pos.x, atom.pos.y, atom.pos.z};
        reader.ReadRecord(record);
        if (progress) progress(++records);
      }
    }
  }
  return {};
}

}  // namespace

ProteinReading ReadMmcifProtein(std::string_view text, std::string_view source,
                                const std::function<void(long long)>& progress,
                                const ReadingOptions& options) {
  gemmi::Structure structure;
  try {
    structure =
        gemmi::make_structure(gemmi::cif::read_memory(text.data(), text.size(), std::string(source).c_str()));
  } catch (const std::exception& error) {
    ProteinReading failed;
    failed.failure = std::string(source) + " cannot be read as mmCIF: " + error.what();
    return failed;
  }
  ProteinReader reader(options);
  for (std::size_t i = 0; i < structure.models.size(); ++i) {
    reader.StartModel();
    if (i != 0) continue;  // the reader counts the later models and leaves them out
    if (std::string failure = FeedFirstModel(structure.models[i], reader, progress); !failure.empty()) {
      ProteinReading failed;
      failed.failure = std::string(source) + ": " + failure;
      return failed;
    }
  }
  return reader.Finish();
}

}  // namespace mirelda::workflow
