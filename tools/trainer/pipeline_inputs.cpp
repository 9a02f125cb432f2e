#include "tools/trainer/pipeline_inputs.h"

#include "mirelda/workflow/file_00.h"
#include "mirelda/workflow/option_writers.h"

using namespace mirelda::model;

namespace mirelda::trainer {

std::string ChainAtomLines(std::string_view proteinText, char chain) {
  std::string lines;
  std::size_t start = 0;
  while (start < proteinText.size()) {
    std::size_t end = proteinText.find('\n', start);
    if (end == std::string_view::npos) end = proteinText.size();
    const std::string_view line = proteinText.substr(start, end - start);
    start = end + 1;
    if (line.substr(0, 6) == "ENDMDL") break;
    if (line.substr(0, 4) == "ATOM" && line.size() > 21 && line[21] == chain) {
      lines.append(line);
      lines.push_back('\n');
    }
  }
  return lines;
}

std::string FrontEndPointFile(const ProteinReading& reading, std::string_view radiusText,
                              std::string_view thicknessText) {
  return workflow::File00Text(reading.residues, "CA", radiusText, thicknessText);
}

std::string TessellationOptionsFile(std::string_view proteinName, bool weighted) {
  return workflow::TessellationOptionsText(proteinName, weighted);
}

}  // namespace mirelda::trainer
