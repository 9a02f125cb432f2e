// Reading an mmCIF structure (with gemmi): its models and atom records go to the protein reader as a PDB
// file of the same structure would give them, so both formats pass through one set of residue rules.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "mirelda/model/protein_reader.h"
#include "mirelda/workflow/mmcif_sites.h"

namespace mirelda::workflow {

// What the point file and the reports can hold of a structure: one character a chain and four digits a
// residue number. Longer chain names are read under free one-character names (the report says which);
// more chains than these characters, or a residue number beyond four digits, refuse the structure.
inline constexpr std::string_view kChainCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
using model::kHighestResidueNumber;
using model::kLowestResidueNumber;

// Reads an mmCIF text (`source` names it in messages); a text gemmi cannot read fails with its message.
// `progress` is called after each atom record with the count so far.
model::ProteinReading ReadMmcifProtein(std::string_view text, std::string_view source,
                                       const std::function<void(long long)>& progress,
                                       const model::ReadingOptions& options);

// The residue under which the protein reader takes an atom site: the chain's character, the number and the
// insertion code. A site the reader does not take (a ligand, an ion, water) has chain '\0'.
struct SiteResidue {
  char chain = '\0';
  int number = 0;
  char insertionCode = ' ';
};
// The residue of each site, in order; every chain '\0' when the chains cannot be read (too many).
std::vector<SiteResidue> ResiduesOfSites(const std::vector<MmcifSite>& sites);

}  // namespace mirelda::workflow
