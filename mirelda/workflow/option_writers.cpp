#include "mirelda/workflow/option_writers.h"

#include <charconv>
#include <cmath>

#include "mirelda/model/decimal_text.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/pipeline_files.h"

using namespace mirelda::exchange;
using namespace mirelda::model;

namespace mirelda::workflow {
namespace {

// A double shows at most 15 significant digits, as the weights were always written.
constexpr int kSignificantDigits = 15;
constexpr const char* kCutOffLines = "DCUT:16\r\nRCUT:10\r\n";

}  // namespace

std::string OptionNumberText(double value) {
  if (!std::isfinite(value)) return "0";
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof digits, value + 0.0, std::chars_format::general,
                                    kSignificantDigits);
  return CommaToPoint(std::string(digits, result.ptr));
}

std::string TessellationOptionsText(std::string_view proteinName, bool weighted) {
  std::string text = "NOM_PROT:" + std::string(proteinName) + "\r\n" + kCutOffLines;
  const ResidueTypeTable& byName = ResidueTypesByName();
  const ResidueTypeTable& byLetter = ResidueTypesByLetter();
  for (int i = 1; i <= byName.Count(); ++i) {
    const DEF_RESIDU* weightEntry = byLetter.At(i);
    const std::string weight =
        weighted && weightEntry != nullptr ? OptionNumberText(weightEntry->POIDS) : "0";
    text += ">" + byName.At(i)->R1 + ":" + weight + "\r\n";
  }
  return text;
}

std::string WriteTessellationOptions(const std::filesystem::path& appFolder, std::string_view proteinName,
                                     bool weighted) {
  return WriteTextFile(appFolder / kTessellationOptions, TessellationOptionsText(proteinName, weighted));
}

std::string RelaxationOptionsText(std::string_view proteinName, int relaxations, bool eachFile,
                                  bool stopOnError) {
  std::string text = "NOM_PROT:" + std::string(proteinName) + "\r\n";
  text += "RLX:" + std::to_string(relaxations - 1) + "\r\n";
  text += kCutOffLines;
  if (eachFile) text += "EACH\r\n";
  if (stopOnError) text += "ERROR\r\n";
  return text;
}

std::string WriteRelaxationOptions(const std::filesystem::path& appFolder, std::string_view proteinName,
                                   int relaxations, bool eachFile, bool stopOnError) {
  return WriteTextFile(appFolder / kRelaxationOptions,
                       RelaxationOptionsText(proteinName, relaxations, eachFile, stopOnError));
}

}  // namespace mirelda::workflow
