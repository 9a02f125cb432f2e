#include "mirelda/batch/result_tables.h"

#include <cstdlib>

#include "brindel/contacts.h"
#include "brindel/exchange/fixed_format.h"
#include "brindel/exchange/point_file.h"
#include "brindel/exchange/residue_codes.h"
#include "mirelda/results/residue_rows.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::batch {
namespace {

constexpr const char* kMissing = "NA";

void AddRow(std::string& text, std::initializer_list<std::string> fields) {
  bool first = true;
  for (const std::string& field : fields) {
    if (!first) text += '\t';
    text += field;
    first = false;
  }
  text += '\n';
}

// The point record of a residue as the tessellation saw it, for the contact character.
exchange::PointRecord PointOf(int number, const std::string& code, const std::string& chain) {
  exchange::PointRecord point;
  point.residueNumber = number;
  point.letter = code.empty() ? '0' : code.front();
  point.chain = chain.empty() ? ' ' : chain.front();
  return point;
}

}  // namespace

std::string ResiduesTsv(const GridModel& tab1, const Residues& residues, std::string_view pointChoice,
                        bool classColumn) {
  return results::DelimitedText(results::HeaderOf(results::kResidueColumns),
                                results::ResidueRows(tab1, residues, pointChoice, classColumn), '\t');
}

std::string ContactsTsv(const Residues& residues) {
  std::string text;
  AddRow(text,
         {"chain1", "resSeq1", "iCode1", "chain2", "resSeq2", "iCode2", "area", "separation", "contact"});
  for (int r = 1; r <= residues.ResidueCount(); ++r) {
    const DEF_AA* residue = residues.Find(r);
    if (residue == nullptr) continue;
    for (const Voisin& face : residue->VOIS()) {
      if (face.CHA.empty() || face.CHA.front() == exchange::EnvironmentChain) continue;
      const bool sameChain = face.CHA == residue->CHAIN();
      const char contact =
          tessellation::ContactCharacter(PointOf(residue->NUM(), residue->NAME(), residue->CHAIN()),
                                         PointOf(face.NUM, face.NOM, face.CHA), face.SUR);
      AddRow(text, {residue->CHAIN(), std::to_string(residue->NUM()), kMissing, face.CHA,
                    std::to_string(face.NUM), kMissing, exchange::Fixed(face.SUR, 0, 3),
                    sameChain ? std::to_string(std::abs(residue->NUM() - face.NUM)) : kMissing,
                    std::string(1, contact)});
    }
  }
  return text;
}

}  // namespace mirelda::batch
