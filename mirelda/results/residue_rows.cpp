#include "mirelda/results/residue_rows.h"

#include "brindel/exchange/fixed_format.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/results/results_table.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/residue_table_layout.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::results {
namespace {

std::string ThreeLetterName(const std::string& code) {
  const DEF_RESIDU* type = ResidueTypeByLetter(code);
  return type != nullptr ? type->R1 : kMissingValue;
}

void AppendField(std::string& text, const std::string& field, char separator) {
  if (field.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string::npos) {
    text += field;
    return;
  }
  text += '"';
  for (const char c : field) {
    if (c == '"') text += '"';
    text += c;
  }
  text += '"';
}

void AppendLine(std::string& text, const std::vector<std::string>& fields, char separator) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += separator;
    AppendField(text, fields[i], separator);
  }
  text += '\n';
}

}  // namespace

std::vector<TextRow> ResidueRows(const GridModel& tab1, const Residues& residues, std::string_view pointChoice,
                                 bool classColumn, std::vector<int>* tableRows) {
  std::vector<TextRow> rows;
  const int choice = AtomChoiceOf(pointChoice);
  const int classCol = classColumn ? tab1.Cols() - 1 : -1;
  const bool withExposure = (classColumn ? tab1.Cols() - 1 : tab1.Cols()) > kColumnExposure;
  const std::string missing = kMissingValue;
  for (int row = 1; row < tab1.Rows() && row <= residues.ResidueCount(); ++row) {
    const DEF_AA* residue = residues.Find(row);
    if (residue == nullptr) continue;
    const PointTriple& point = ChosenPoint(*residue, choice);
    const bool hasPoint = point[0] != 0 || point[1] != 0 || point[2] != 0;
    const RowCell cell = CellOfRow(tab1, row);
    const bool hasCell = cell.exists;
    const char* const bulk = cell.inBulk ? "1" : "0";
    const std::string classText =
        classCol >= 0 ? std::string(exchange::TrimBlanks(tab1.TextAt(row, classCol))) : std::string();
    rows.push_back({residue->CHAIN(), std::to_string(residue->FileNumber()),
                    InsertionCodeText(residue->InsertionCode()), ThreeLetterName(residue->NAME()),
                    residue->NAME(), hasPoint ? exchange::Fixed(point[0], 0, 3) : missing,
                    hasPoint ? exchange::Fixed(point[1], 0, 3) : missing,
                    hasPoint ? exchange::Fixed(point[2], 0, 3) : missing,
                    hasCell ? exchange::Fixed(residue->VOL(), 0, 3) : missing,
                    hasCell ? exchange::Fixed(residue->SUR(), 0, 3) : missing,
                    hasCell ? std::to_string(residue->NBF()) : missing,
                    hasCell ? bulk : missing,
                    hasCell && withExposure ? exchange::Fixed(residue->EXP(), 0, 1) : missing,
                    hasCell ? bulk : missing, classText.empty() ? missing : classText});
    if (tableRows != nullptr) tableRows->push_back(row);
  }
  return rows;
}

std::vector<TextRow> FaceRows(const DEF_AA& residue) {
  std::vector<TextRow> rows;
  int n = 0;
  for (const Voisin& face : residue.VOIS())
    rows.push_back({std::to_string(++n), face.NOM, std::to_string(face.NUM), face.CHA, std::to_string(face.NBC),
                    exchange::Fixed(face.SUR, 0, 3), exchange::Fixed(face.PER, 0, 3),
                    exchange::Fixed(face.DIS, 0, 3)});
  return rows;
}

std::string DelimitedText(const std::vector<std::string>& header, const std::vector<TextRow>& rows,
                          char separator) {
  std::string text;
  AppendLine(text, header, separator);
  for (const TextRow& row : rows) AppendLine(text, row, separator);
  return text;
}

}  // namespace mirelda::results
