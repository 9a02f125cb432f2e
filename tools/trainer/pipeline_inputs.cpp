#include "tools/trainer/pipeline_inputs.h"

#include <cstdio>

#include "mirelda/model/residue_types.h"

using namespace mirelda::model;

namespace mirelda::trainer {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kWrappedNumber = 10000;  // residue numbers of five digits lose their ten thousands

std::string Formatted(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

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
  std::string text;
  text.append("DEF RSPHERE ").append(radiusText).append(kLineEnd);
  text.append("DEF C_SUPER 0.8").append(kLineEnd);
  text.append("DEF C_SUPPR ").append(thicknessText).append(kLineEnd);
  for (int i = 1; i <= reading.ResidueCount(); ++i) {
    const DEF_AA* residue = reading.residues.Find(i);
    if (residue == nullptr) continue;
    const PointTriple& ca = residue->CA();
    if (ca[0] == 0 && ca[1] == 0 && ca[2] == 0) continue;  // the point was never set
    const DEF_RESIDU* type = ResidueTypesByLetter().Find(residue->NAME());
    const std::string name = type != nullptr ? type->R1 : "XXX";
    int number = residue->NUM();
    if (number >= kWrappedNumber) number -= kWrappedNumber;
    char head[40];
    // "%04d" writes -5 as "-005": a minus sign then three digits, as the front-end's patterns do.
    std::snprintf(head, sizeof head, "ATOM  %05d  C   %s %c%04d     ", i, name.c_str(), residue->CHAIN()[0],
                  number);
    // "%07.3f" gives "012.345" and "-01.234": seven characters for -99.999 .. 999.999.
    text.append(head)
        .append(Formatted("%07.3f", ca[0]))
        .append(" ")
        .append(Formatted("%07.3f", ca[1]))
        .append(" ")
        .append(Formatted("%07.3f", ca[2]))
        .append(kLineEnd);
  }
  return text;
}

std::string TessellationOptionsFile(std::string_view proteinName, bool weighted) {
  std::string text;
  text.append("NOM_PROT:").append(proteinName).append(kLineEnd);
  text.append("DCUT:16").append(kLineEnd).append("RCUT:10").append(kLineEnd);
  const ResidueTypeTable& types = ResidueTypesByLetter();
  for (int position = 1; position <= types.Count(); ++position) {
    text.append(">").append(types.KeyAt(position)).append(":");
    if (weighted) {
      char weight[32];
      std::snprintf(weight, sizeof weight, "%g", types.At(position)->POIDS);
      text.append(weight);
    } else {
      text.append("0");
    }
    text.append(kLineEnd);
  }
  return text;
}

}  // namespace mirelda::trainer
