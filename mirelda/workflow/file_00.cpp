#include "mirelda/workflow/file_00.h"

#include <cmath>
#include <cstdlib>

#include "brindel/exchange/point_file.h"
#include "mirelda/model/decimal_text.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/pipeline_files.h"

using namespace mirelda::exchange;
using namespace mirelda::model;

namespace mirelda::workflow {
std::string File00PointLine(int serial, const DEF_AA& residue, const PointTriple& point) {
  const DEF_RESIDU* type = ResidueTypeByLetter(residue.NAME());
  return CommaToPoint(FormatFrontEndPointLine(serial, type != nullptr ? type->R1 : "", residue.CHAIN()[0],
                                              residue.NUM(), point[0], point[1], point[2]));
}

namespace {

// Calls written(i, residue, point) for every residue that has a line in file_00, in file order.
template <typename Written>
void ForEachFile00Residue(const Residues& residues, std::string_view pointChoice, Written&& written) {
  const int choice = AtomChoiceOf(pointChoice);
  for (int i = 1; i <= residues.ResidueCount(); ++i) {
    const DEF_AA* record = residues.Find(i);
    if (record == nullptr) continue;  // a slot never filled has no point
    const DEF_AA& residue = *record;
    const PointTriple& point = ChosenPoint(residue, choice);
    if (point[0] == 0 && point[1] == 0 && point[2] == 0) continue;  // the residue lacks the atoms for it
    // The reader gives every residue a known type; one without would make a line no program can read.
    if (ResidueTypeByLetter(residue.NAME()) == nullptr) continue;
    written(i, residue, point);
  }
}

std::string ResidueName(const DEF_AA& residue) {
  return residue.NAME() + " " + std::to_string(residue.NUM()) + " " + residue.CHAIN();
}

}  // namespace

std::string File00Text(const Residues& residues, std::string_view pointChoice, std::string_view radiusText,
                       std::string_view thicknessText) {
  std::string text = FormatParameterLine(RsphereKey, CommaToPoint(std::string(radiusText)));
  text += FormatParameterLine(CSuperKey, DefaultCSuperText);
  text += FormatParameterLine(CSupprKey, CommaToPoint(std::string(thicknessText)));
  ForEachFile00Residue(residues, pointChoice, [&](int i, const DEF_AA& residue, const PointTriple& point) {
    text += File00PointLine(i, residue, point);
  });
  return text;
}

std::vector<std::string> File00HiddenResidues(const Residues& residues, std::string_view pointChoice) {
  std::vector<std::string> hidden;
  const DEF_AA* previous = nullptr;
  ForEachFile00Residue(residues, pointChoice, [&](int, const DEF_AA& residue, const PointTriple&) {
    if (previous != nullptr && previous->NUM() == residue.NUM())
      hidden.push_back("residue " + ResidueName(residue) + " follows " + ResidueName(*previous) +
                       " in file_00 with the same number: the programs keep only the first, so it has no "
                       "cell");
    previous = &residue;
  });
  return hidden;
}

std::string WriteFile00(const std::filesystem::path& appFolder, const Residues& residues,
                        std::string_view pointChoice, std::string_view radiusText,
                        std::string_view thicknessText) {
  return WriteTextFile(appFolder / kFile00, File00Text(residues, pointChoice, radiusText, thicknessText));
}

}  // namespace mirelda::workflow
