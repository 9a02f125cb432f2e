#include "tests/frontend_results/results_fixture.h"

#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/residue_table.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::testing {

void BuildProtein(TableFixture& fixture, const std::vector<ResidueEntry>& entries) {
  fixture.residues.Clear();
  for (const ResidueEntry& entry : entries) {
    DEF_AA& residue = fixture.residues.ResidueAt(fixture.residues.Grow());
    residue.SetNAME(entry.code);
    residue.SetNUM(static_cast<std::int16_t>(entry.number));
    residue.SetCHAIN(entry.chain);
  }
  FillResidueTable(fixture.tab1, fixture.tab2, fixture.residues);
  // What the Tessellation command does before the run.
  for (int r = 1; r < fixture.tab1.Rows(); ++r)
    for (int c = 0; c < fixture.tab1.Cols(); ++c) {
      fixture.tab1.SetRow(r);
      fixture.tab1.SetCol(c);
      fixture.tab1.SetCellBackColor(kColourLightGrey);
    }
}

std::vector<ResidueEntry> FiveResidues() {
  return {{"M", 1, "A"}, {"K", 2, "A"}, {"L", 3, "A"}, {"G", 4, "A"}, {"S", 5, "A"}};
}

// "%c %4d %c %8.3f %8.3f %2d %c %5.1f"
const char* const kCellText =
    "M    1 A   25.125   48.250 14 V  12.5\n"
    "K    2 A   30.000   52.000 15 V   0.0\n"
    "G    4 A    8.500   20.000  9 S 100.0\n";

// "%c %4d %c %c : %c %c %4d %2d %8.3f %8.3f %8.3f"
const char* const kFaceText =
    "M    1 A V : K A    2  5   10.250   12.500    3.800\n"
    "M    1 A V : G A    4  6    4.000    8.125    6.200\n"
    "M    1 A V : U &   12  4    5.000    9.000    6.100\n"
    "K    2 A V : M A    1  5   10.250   12.500    3.800\n"
    "G    4 A S : M A    1  6    4.000    8.125    6.200\n"
    "G    4 A S : U &   13  3    1.500    5.000    7.000\n";

void ResetTypeColours() {
  for (int k = 1; k <= ResidueTypesByLetter().Count(); ++k)
    ResidueTypesByLetter().At(k)->tei = ResidueTypesByLetter().At(k)->col;
}

}  // namespace mirelda::testing
