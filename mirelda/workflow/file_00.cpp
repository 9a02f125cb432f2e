#include "mirelda/workflow/file_00.h"

#include <cmath>
#include <cstdlib>

#include "brindel/exchange/fixed_format.h"
#include "mirelda/model/decimal_text.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/pipeline_files.h"

using namespace mirelda::exchange;
using namespace mirelda::model;

namespace mirelda::workflow {
namespace {

// Residue numbers from here on are written less this, to fit the four-character field.
constexpr int kResidueNumberWrap = 10000;
constexpr int kCoordinateDecimals = 3;

std::string ZeroPadded(std::string digits, std::size_t width) {
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// Pads the integer part of a fixed-point text with zeros to at least `width` digits.
std::string PadIntegerPart(std::string text, std::size_t width) {
  const std::size_t point = text.find('.');
  const std::size_t integerDigits = point == std::string::npos ? text.size() : point;
  if (integerDigits < width) text.insert(0, width - integerDigits, '0');
  return text;
}

// A minus sign before digits (appended rather than prepended, which GCC 12 misreads as overlapping copies).
std::string Negative(const std::string& digits) {
  std::string text = "-";
  text += digits;
  return text;
}

}  // namespace

std::string CoordinateText(double value) {
  if (!std::isfinite(value)) return Fixed(value, 7, kCoordinateDecimals);
  if (value < 0) return Negative(PadIntegerPart(Fixed(-value, 0, kCoordinateDecimals), 2));
  return PadIntegerPart(Fixed(value + 0.0, 0, kCoordinateDecimals), 3);  // + 0.0 turns -0 into 0
}

std::string ResidueNumberText(int number) {
  if (number < 0) return Negative(ZeroPadded(std::to_string(-static_cast<long long>(number)), 3));
  return ZeroPadded(std::to_string(number), 4);
}

std::string SerialText(int serial) { return ZeroPadded(std::to_string(serial), 5); }

std::string File00PointLine(int serial, const DEF_AA& residue, const PointTriple& point) {
  const int number = residue.NUM() < kResidueNumberWrap ? residue.NUM() : residue.NUM() - kResidueNumberWrap;
  const DEF_RESIDU* type = ResidueTypeByLetter(residue.NAME());
  std::string line = "ATOM  " + SerialText(serial) + "  " + "C   " + (type != nullptr ? type->R1 : "") + " " +
                     residue.CHAIN() + ResidueNumberText(number) + "     " + CoordinateText(point[0]) + " " +
                     CoordinateText(point[1]) + " " + CoordinateText(point[2]) + "\r\n";
  return CommaToPoint(line);
}

std::string File00Text(const Residues& residues, std::string_view pointChoice, std::string_view radiusText,
                       std::string_view thicknessText) {
  std::string text = CommaToPoint("DEF RSPHERE " + std::string(radiusText) + "\r\n");
  text += "DEF C_SUPER 0.8\r\n";
  text += CommaToPoint("DEF C_SUPPR " + std::string(thicknessText) + "\r\n");
  const int choice = AtomChoiceOf(pointChoice);
  for (int i = 1; i <= residues.ResidueCount(); ++i) {
    const DEF_AA* record = residues.Find(i);
    if (record == nullptr) continue;  // a slot never filled has no point
    const DEF_AA& residue = *record;
    const PointTriple& point = ChosenPoint(residue, choice);
    if (point[0] == 0 && point[1] == 0 && point[2] == 0) continue;  // the residue lacks the atoms for it
    // The reader gives every residue a known type; one without would make a line no program can read.
    if (ResidueTypeByLetter(residue.NAME()) == nullptr) continue;
    text += File00PointLine(i, residue, point);
  }
  return text;
}

std::string WriteFile00(const std::filesystem::path& appFolder, const Residues& residues,
                        std::string_view pointChoice, std::string_view radiusText,
                        std::string_view thicknessText) {
  return WriteTextFile(appFolder / kFile00, File00Text(residues, pointChoice, radiusText, thicknessText));
}

}  // namespace mirelda::workflow
