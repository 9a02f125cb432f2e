// The input files of one protein's default run, written as the front-end writes them: the chain's ATOM
// lines handed to the protein reader, file_00 of the CA points with its three parameter lines, and
// option_bis.txt with weights off or with the default weights of the amino-acid table.
#pragma once

#include <string>
#include <string_view>

#include "mirelda/model/protein_reader.h"

namespace mirelda::trainer {

// The front-end's default environment: sphere radius, the fixed C_SUPER line and the shell thickness.
inline constexpr std::string_view DefaultRadiusText = "6.5";
inline constexpr std::string_view DefaultThicknessText = "3.5";

// The ATOM lines of one chain (column 22) of the first model of a protein file (reading stops at the
// first ENDMDL), each with its line end, in file order.
std::string ChainAtomLines(std::string_view proteinText, char chain);

// file_00 for the CA points of a reading: "DEF RSPHERE", "DEF C_SUPER 0.8", "DEF C_SUPPR" and one point
// line per residue whose CA was set, numbered by the residue's position, CR LF line ends.
std::string FrontEndPointFile(const model::ProteinReading& reading,
                              std::string_view radiusText = DefaultRadiusText,
                              std::string_view thicknessText = DefaultThicknessText);

// option_bis.txt for a protein name: weights off (">A:0" ...) or the current weights of the amino-acid
// table, in the table's order, CR LF line ends.
std::string TessellationOptionsFile(std::string_view proteinName, bool weighted);

}  // namespace mirelda::trainer
