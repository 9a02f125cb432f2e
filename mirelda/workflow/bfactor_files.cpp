#include "mirelda/workflow/bfactor_files.h"

#include <map>
#include <tuple>

#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/mmcif_protein.h"
#include "mirelda/workflow/protein_files.h"
#include "mirelda/workflow/structure_bfactors.h"

namespace mirelda::workflow {

BfactorWriting WriteBfactorFiles(const std::filesystem::path& proteinFile, const std::vector<ResidueValue>& values,
                                 const std::filesystem::path& cifPath, const std::filesystem::path& pdbPath) {
  BfactorWriting writing;
  const auto failed = [&writing](std::string failure) {
    writing.failure = std::move(failure);
    return writing;
  };
  std::string text;
  ProteinFormat format = ProteinFormat::Pdb;
  if (std::string failure = ReadProteinText(proteinFile, text, format); !failure.empty()) return failed(failure);
  const bool pdbFormat = format == ProteinFormat::Pdb;
  MmcifStructure structure;
  if (std::string failure = ReadStructureSites(text, pdbFormat, proteinFile.string(), structure); !failure.empty())
    return failed(proteinFile.string() + " cannot be read: " + failure);

  std::map<std::tuple<char, int, char>, double> byResidue;
  for (const ResidueValue& value : values) byResidue[{value.chain, value.number, value.insertionCode}] = value.value;
  const std::vector<SiteResidue> residues = ResiduesOfSites(structure.firstModel);
  std::vector<double> siteValues(residues.size(), 0.0);
  for (std::size_t k = 0; k < residues.size(); ++k) {
    const SiteResidue& residue = residues[k];
    if (residue.chain == '\0') continue;
    const auto value = byResidue.find({residue.chain, residue.number, residue.insertionCode});
    if (value != byResidue.end()) siteValues[k] = value->second;
  }

  const BfactorTexts texts = WriteStructureWithBfactors(text, pdbFormat, proteinFile.string(), siteValues);
  if (!texts.failure.empty())
    return failed("cannot write the B-factor files of " + proteinFile.string() + ": " + texts.failure);
  if (std::string failure = WriteTextFile(cifPath, texts.mmcif); !failure.empty()) return failed(failure);
  writing.pdbProblem = texts.pdbProblem;
  // An older PDB file of another run must not stand beside this run's mmCIF file.
  if (std::string failure = texts.pdb.empty() ? RemoveFileIfPresent(pdbPath) : WriteTextFile(pdbPath, texts.pdb);
      !failure.empty())
    return failed(failure);
  return writing;
}

}  // namespace mirelda::workflow
