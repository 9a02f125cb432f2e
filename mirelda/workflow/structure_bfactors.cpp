#include "mirelda/workflow/structure_bfactors.h"

#include <algorithm>
#include <exception>
#include <sstream>

// gemmi's writers are compiled in this one file of the project.
#define GEMMI_WRITE_IMPLEMENTATION
#include <gemmi/align.hpp>
#include <gemmi/cif.hpp>
#include <gemmi/mmcif.hpp>
#include <gemmi/pdb.hpp>
#include <gemmi/polyheur.hpp>
#include <gemmi/to_cif.hpp>
#include <gemmi/to_mmcif.hpp>
#include <gemmi/to_pdb.hpp>

#include "mirelda/workflow/gemmi_pdb_text.h"

namespace mirelda::workflow {
namespace {

constexpr double kPdbLargestBfactor = 999.99;
constexpr double kPdbSmallestBfactor = -99.99;

gemmi::Structure ReadStructure(std::string_view text, bool pdbFormat, const std::string& source) {
  if (pdbFormat) return ReadPdbText(text, source);
  return gemmi::make_structure(gemmi::cif::read_memory(text.data(), text.size(), source.c_str()));
}

}  // namespace

BfactorTexts WriteStructureWithBfactors(std::string_view text, bool pdbFormat, const std::string& source,
                                        const std::vector<double>& firstModelValues) {
  BfactorTexts texts;
  try {
    gemmi::Structure structure = ReadStructure(text, pdbFormat, source);
    std::size_t site = 0;
    double largest = 0, smallest = 0;
    for (std::size_t model = 0; model < structure.models.size(); ++model)
      for (gemmi::Chain& chain : structure.models[model].chains)
        for (gemmi::Residue& residue : chain.residues)
          for (gemmi::Atom& atom : residue.atoms) {
            const double value = model == 0 && site < firstModelValues.size() ? firstModelValues[site] : 0.0;
            atom.b_iso = static_cast<float>(value);
            largest = std::max(largest, value);
            smallest = std::min(smallest, value);
            if (model == 0) ++site;
          }
    // A PDB file says nothing of entities and polymer numbering; mmCIF readers expect them.
    if (pdbFormat) {
      gemmi::setup_entities(structure);
      gemmi::assign_label_seq_id(structure, false);
    }
    gemmi::MmcifOutputGroups groups(true);
    groups.group_pdb = true;
    std::ostringstream mmcif;
    gemmi::cif::write_cif_to_stream(mmcif, gemmi::make_mmcif_document(structure, groups),
                                    gemmi::cif::Style::PreferPairs);
    texts.mmcif = mmcif.str();
    // The PDB format's column holds -99.99 to 999.99: gemmi would cap a larger value without a word.
    if (largest > kPdbLargestBfactor || smallest < kPdbSmallestBfactor) {
      texts.pdbProblem = "a value beyond the B-factor column of the PDB format (" +
                         gemmi::to_str(smallest < kPdbSmallestBfactor ? smallest : largest) + ")";
      return texts;
    }
    try {
      std::ostringstream pdb;
      gemmi::write_pdb(structure, pdb);
      texts.pdb = pdb.str();
    } catch (const std::exception& error) {
      texts.pdbProblem = error.what();  // a chain name longer than the format's two characters, say
    }
  } catch (const std::exception& error) {
    texts.failure = error.what();
  }
  return texts;
}

}  // namespace mirelda::workflow
