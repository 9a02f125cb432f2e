#include "mirelda/workflow/mmcif_sites.h"

#include <exception>
#include <gemmi/cif.hpp>
#include <gemmi/mmcif.hpp>
#include <gemmi/pdb.hpp>
#include <utility>

#include "mirelda/workflow/gemmi_pdb_text.h"

namespace mirelda::workflow {
namespace {

// A HETATM record as a PDB writer would give it: by the file's own flag, else by what the residue is.
bool IsHetatm(const gemmi::Residue& residue) {
  if (residue.het_flag != '\0') return residue.het_flag == 'H';
  return residue.entity_type == gemmi::EntityType::NonPolymer ||
         residue.entity_type == gemmi::EntityType::Water ||
         residue.entity_type == gemmi::EntityType::Branched;
}

// The atom name as positions 14-16 of a PDB line hold it: the format starts a name in column 14, or in 13
// when it has four characters or a two-letter element (gemmi's padded name); position 13 is not read.
std::string PdbPositionsName(const gemmi::Atom& atom) {
  const std::string padded = atom.padded_name();
  if (padded.size() < 2) return {};
  std::string name = padded.substr(1, 3);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

}  // namespace

std::string ReadMmcifSites(std::string_view text, const std::string& source, MmcifStructure& structure) {
  return ReadStructureSites(text, false, source, structure);
}

std::string ReadStructureSites(std::string_view text, bool pdbFormat, const std::string& source,
                               MmcifStructure& structure) {
  gemmi::Structure read;
  try {
    read = pdbFormat ? ReadPdbText(text, source)
                     : gemmi::make_structure(gemmi::cif::read_memory(text.data(), text.size(), source.c_str()));
  } catch (const std::exception& error) {
    return error.what();
  }
  structure.modelCount = read.models.size();
  if (read.models.empty()) return {};
  for (const gemmi::Chain& chain : read.models.front().chains)
    for (const gemmi::Residue& residue : chain.residues)
      for (const gemmi::Atom& atom : residue.atoms) {
        MmcifSite site;
        site.chain = chain.name;
        site.residueName = residue.name;
        site.hasNumber = residue.seqid.num.has_value();
        site.number = site.hasNumber ? *residue.seqid.num : 0;
        site.insertionCode = residue.seqid.icode == '\0' ? ' ' : residue.seqid.icode;
        site.hetatm = IsHetatm(residue);
        site.atomName = PdbPositionsName(atom);
        site.altLoc = atom.altloc == '\0' ? ' ' : atom.altloc;
        site.x = atom.pos.x;
        site.y = atom.pos.y;
        site.z = atom.pos.z;
        site.bfactor = atom.b_iso;
        structure.firstModel.push_back(std::move(site));
      }
  return {};
}

}  // namespace mirelda::workflow
