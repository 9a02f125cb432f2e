#include "mirelda/workflow/option_writers.h"

#include <vector>

#include "brindel/exchange/option_files.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/pipeline_files.h"

using namespace mirelda::exchange;
using namespace mirelda::model;

namespace mirelda::workflow {
std::string TessellationOptionsText(std::string_view proteinName, bool weighted) {
  const ResidueTypeTable& byName = ResidueTypesByName();
  const ResidueTypeTable& byLetter = ResidueTypesByLetter();
  std::vector<LetterWeight> weights;
  for (int i = 1; i <= byName.Count(); ++i) {
    const DEF_RESIDU* weightEntry = byLetter.At(i);
    weights.push_back({byName.At(i)->R1.front(), weighted && weightEntry != nullptr ? weightEntry->POIDS : 0.0});
  }
  return FormatTessellationOptions(proteinName, weights);
}

std::string WriteTessellationOptions(const std::filesystem::path& appFolder, std::string_view proteinName,
                                     bool weighted) {
  return WriteTextFile(appFolder / kTessellationOptions, TessellationOptionsText(proteinName, weighted));
}

std::string RelaxationOptionsText(std::string_view proteinName, int relaxations, bool eachFile,
                                  bool stopOnError) {
  return FormatRelaxationOptions(proteinName, relaxations - 1, eachFile, stopOnError);
}

std::string WriteRelaxationOptions(const std::filesystem::path& appFolder, std::string_view proteinName,
                                   int relaxations, bool eachFile, bool stopOnError) {
  return WriteTextFile(appFolder / kRelaxationOptions,
                       RelaxationOptionsText(proteinName, relaxations, eachFile, stopOnError));
}

}  // namespace mirelda::workflow
