#include "mirelda/batch/result_tables.h"

#include <cstdlib>
#include <fstream>

#include "brindel/contacts.h"
#include "brindel/exchange/fixed_format.h"
#include "brindel/exchange/point_file.h"
#include "brindel/exchange/residue_codes.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/residue_table_layout.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::batch {
namespace {

constexpr const char* kMissing = "NA";

std::string ThreeLetterName(const std::string& code) {
  const DEF_RESIDU* type = ResidueTypeByLetter(code);
  return type != nullptr ? type->R1 : kMissing;
}

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

bool WriteTable(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

std::string ResiduesTsv(const GridModel& tab1, const Residues& residues, std::string_view pointChoice,
                        bool classColumn) {
  std::string text;
  AddRow(text, {"chain", "resSeq", "iCode", "resName", "aa", "x", "y", "z", "volume", "area", "faces",
                "closed", "exposure", "bulk", "class"});
  const int choice = AtomChoiceOf(pointChoice);
  const int classCol = classColumn ? tab1.Cols() - 1 : -1;
  const bool withExposure = (classColumn ? tab1.Cols() - 1 : tab1.Cols()) > kColumnExposure;
  for (int row = 1; row < tab1.Rows() && row <= residues.ResidueCount(); ++row) {
    const DEF_AA* residue = residues.Find(row);
    if (residue == nullptr) continue;
    const PointTriple& point = ChosenPoint(*residue, choice);
    const bool hasPoint = point[0] != 0 || point[1] != 0 || point[2] != 0;
    const std::string indicator(exchange::TrimBlanks(tab1.TextAt(row, kColumnIndicator)));
    const bool hasCell = indicator == "V" || indicator == "S";
    const std::string classText =
        classCol >= 0 ? std::string(exchange::TrimBlanks(tab1.TextAt(row, classCol))) : std::string();
    AddRow(text,
           {residue->CHAIN(), std::to_string(residue->NUM()), kMissing, ThreeLetterName(residue->NAME()),
            residue->NAME(), hasPoint ? exchange::Fixed(point[0], 0, 3) : kMissing,
            hasPoint ? exchange::Fixed(point[1], 0, 3) : kMissing,
            hasPoint ? exchange::Fixed(point[2], 0, 3) : kMissing,
            hasCell ? exchange::Fixed(residue->VOL(), 0, 3) : kMissing,
            hasCell ? exchange::Fixed(residue->SUR(), 0, 3) : kMissing,
            hasCell ? std::to_string(residue->NBF()) : kMissing,
            hasCell ? (indicator == "V" ? "1" : "0") : kMissing,
            hasCell && withExposure ? exchange::Fixed(residue->EXP(), 0, 1) : kMissing,
            hasCell ? (indicator == "V" ? "1" : "0") : kMissing, classText.empty() ? kMissing : classText});
  }
  return text;
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

std::filesystem::path WriteResultTables(const BatchRun& run, const BatchOptions& options) {
  const std::filesystem::path tables = run.session.resultsFolder / options.proteinName;
  std::filesystem::path residues = tables.string() + ".residues.tsv";
  std::filesystem::path contacts = tables.string() + ".contacts.tsv";
  if (!WriteTable(residues, ResiduesTsv(run.session.tab1, run.session.residues, options.point, run.assigned)))
    return residues;
  if (!WriteTable(contacts, ContactsTsv(run.session.residues))) return contacts;
  return {};
}

}  // namespace mirelda::batch
