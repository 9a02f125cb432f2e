#include "mirelda/batch/residue_listing.h"

#include <cstdio>
#include <map>

#include "brindel/exchange/fixed_format.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/workflow/residue_table_layout.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::batch {
namespace {

// The text of a cell, "-" when it is empty or the column is absent.
std::string Shown(const GridModel& tab1, int row, int col) {
  if (col < 0 || col >= tab1.Cols()) return "-";
  const std::string text(TrimBlanks(tab1.TextAt(row, col)));
  return text.empty() ? "-" : text;
}

std::string Line(const std::string& number, const std::string& chain, const std::string& code,
                 const std::string& volume, const std::string& area, const std::string& faces,
                 const std::string& indicator, const std::string& exposure, const std::string& letter) {
  char line[160];
  std::snprintf(line, sizeof line, "%5s %-2s %-2s %10s %10s %5s %-1s %6s %s\n", number.c_str(), chain.c_str(),
                code.c_str(), volume.c_str(), area.c_str(), faces.c_str(), indicator.c_str(),
                exposure.c_str(), letter.c_str());
  return line;
}

}  // namespace

std::string ResidueListing(const GridModel& tab1, const Residues& residues, bool classColumn) {
  const int classCol = classColumn ? tab1.Cols() - 1 : -1;
  const int dataCols = classColumn ? tab1.Cols() - 1 : tab1.Cols();
  const int exposureCol = dataCols > kColumnExposure ? kColumnExposure : -1;
  std::string text = Line("NUM", "CH", "AA", "VOLUME", "AREA", "FACES", "I", "EXP", "CLASS");
  for (int row = 1; row < tab1.Rows(); ++row) {
    // The numbers the table shows, from the records behind it with the decimals of the cell file.
    const DEF_AA* residue = residues.Find(row);
    const auto number = [&](int col, int decimals, double value) {
      return Shown(tab1, row, col) == "-" || residue == nullptr ? std::string("-")
                                                                : Fixed(value, 0, decimals);
    };
    text += Line(Shown(tab1, row, kColumnNumber), Shown(tab1, row, kColumnChain),
                 Shown(tab1, row, kColumnCode), number(kColumnVolume, 3, residue ? residue->VOL() : 0.0),
                 number(kColumnArea, 3, residue ? residue->SUR() : 0.0), Shown(tab1, row, kColumnFaces),
                 Shown(tab1, row, kColumnIndicator), number(exposureCol, 1, residue ? residue->EXP() : 0.0),
                 Shown(tab1, row, classCol));
  }
  return text;
}

std::string ClassSummary(const GridModel& tab1, bool classColumn) {
  if (!classColumn || tab1.Cols() == 0) return {};
  const int classCol = tab1.Cols() - 1;
  std::map<std::string, int> counts;
  std::string sequence;
  for (int row = 1; row < tab1.Rows(); ++row) {
    const std::string letter = Shown(tab1, row, classCol);
    if (letter != "-") ++counts[letter];
    sequence += letter;
  }
  std::string text = "classes:";
  for (const auto& [letter, count] : counts)
    text += (text.back() == ':' ? " " : ", ") + letter + " " + std::to_string(count);
  return text + "\n" + sequence + "\n";
}

}  // namespace mirelda::batch
