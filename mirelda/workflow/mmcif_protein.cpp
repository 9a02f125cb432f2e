#include "mirelda/workflow/mmcif_protein.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "mirelda/model/modified_residues.h"
#include "mirelda/workflow/mmcif_sites.h"

using namespace mirelda::model;

namespace mirelda::workflow {
namespace {

// Sites the reader takes or reports: every ATOM record, and HETATM records of modified amino acids.
// (Ligands, ions and water need neither a chain character nor a number that fits.)
bool ReachesTheReader(const MmcifSite& site) {
  return !site.hetatm || ModifiedResidueByName(site.residueName) != nullptr;
}

// The residue name in the three right-aligned positions of a PDB line; a longer name is kept whole (no
// residue type has one, and the report shows it as it is).
std::string PdbPositionsResidueName(const std::string& name) {
  return name.size() < 3 ? std::string(3 - name.size(), ' ') + name : name;
}

std::string NumberText(long long number) { return std::to_string(number); }

using ChainCharacters = std::vector<std::pair<std::string, char>>;

// The one-character chain of each chain name that reaches the reader: one-character names stay, a blank
// name is a blank, longer names take the first free character of kChainCharacters. Returns the failure
// when the characters run out.
std::string MapChains(const std::vector<MmcifSite>& sites, ChainCharacters& chains, ChainCharacters& mapped) {
  std::vector<std::string> names;
  for (const MmcifSite& site : sites)
    if (ReachesTheReader(site) && std::ranges::find(names, site.chain) == names.end())
      names.push_back(site.chain);
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
      return "the structure has " + NumberText(static_cast<long long>(names.size())) +
             " chains; one character a chain (A-Z, a-z, 0-9) names at most " +
             NumberText(static_cast<long long>(kChainCharacters.size()));
    chains.emplace_back(name, kChainCharacters[next]);
    mapped.emplace_back(name, kChainCharacters[next]);
    used += kChainCharacters[next];
  }
  return {};
}

// Gives the first model to the reader; returns a failure when it cannot be read faithfully.
std::string FeedFirstModel(const std::vector<MmcifSite>& sites, ProteinReader& reader,
                           const std::function<void(long long)>& progress) {
  ChainCharacters chains, mapped;
  if (std::string failure = MapChains(sites, chains, mapped); !failure.empty()) return failure;
  for (const auto& [name, character] : mapped)
    reader.ReportInputProblem("PROBLEM FOR CHAIN " + name + " : NAME OF " +
                              NumberText(static_cast<long long>(name.size())) +
                              " CHARACTERS, READ AS CHAIN " + std::string(1, character));

  long long records = 0;
  for (const MmcifSite& site : sites) {
    if (!ReachesTheReader(site)) continue;
    const std::string where = "residue " + site.residueName + " " +
                              (site.hasNumber ? NumberText(site.number) + " " : std::string()) + "of chain " +
                              site.chain;
    if (!site.hasNumber) return where + " has no residue number";
    if (site.number < kLowestResidueNumber || site.number > kHighestResidueNumber)
      return where + ": the point file holds residue numbers of four digits (" +
             NumberText(kLowestResidueNumber) + " to " + NumberText(kHighestResidueNumber) + ")";
    if (!std::isfinite(site.x) || !std::isfinite(site.y) || !std::isfinite(site.z))
      return "coordinate out of range in atom " + site.atomName + " of " + where;
    const std::string residueName = PdbPositionsResidueName(site.residueName);
    CoordinateRecord record;
    record.hetatm = site.hetatm;
    record.atomName = site.atomName;
    record.altLoc = site.altLoc;
    record.residueName = residueName;
    record.chain = std::ranges::find(chains, site.chain, &ChainCharacters::value_type::first)->second;
    record.number = static_cast<std::int16_t>(site.number);
    record.insertionCode = site.insertionCode;
    record.position = {site.x, site.y, site.z};
    reader.ReadRecord(record);
    if (progress) progress(++records);
  }
  return {};
}

}  // namespace

std::vector<SiteResidue> ResiduesOfSites(const std::vector<MmcifSite>& sites) {
  std::vector<SiteResidue> residues(sites.size());
  ChainCharacters chains, mapped;
  if (!MapChains(sites, chains, mapped).empty()) return residues;
  for (std::size_t k = 0; k < sites.size(); ++k) {
    if (!ReachesTheReader(sites[k])) continue;
    residues[k].chain = std::ranges::find(chains, sites[k].chain, &ChainCharacters::value_type::first)->second;
    residues[k].number = sites[k].number;
    residues[k].insertionCode = sites[k].insertionCode;
  }
  return residues;
}

ProteinReading ReadMmcifProtein(std::string_view text, std::string_view source,
                                const std::function<void(long long)>& progress,
                                const ReadingOptions& options) {
  MmcifStructure structure;
  const std::string name(source);
  if (std::string failure = ReadMmcifSites(text, name, structure); !failure.empty()) {
    ProteinReading failed;
    failed.failure = name + " cannot be read as mmCIF: " + failure;
    return failed;
  }
  ProteinReader reader(options);
  if (structure.modelCount == 0) return reader.Finish();  // no atom: the reader says so
  reader.StartModel();
  if (std::string failure = FeedFirstModel(structure.firstModel, reader, progress); !failure.empty()) {
    ProteinReading failed;
    failed.failure = name + ": " + failure;
    return failed;
  }
  // The reader counts the models after the first and leaves them out.
  for (std::size_t model = 1; model < structure.modelCount; ++model) reader.StartModel();
  return reader.Finish();
}

}  // namespace mirelda::workflow
