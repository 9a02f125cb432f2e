// Reading an mmCIF structure (with gemmi): its models and atom records go to the protein reader as a PDB
// file of the same structure would give them, so both formats pass through one set of residue rules.
#pragma once

#include <functional>
#include <string_view>

#include "mirelda/model/protein_reader.h"

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

}  // namespace mirelda::workflow
