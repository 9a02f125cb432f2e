// The line formats of the C file (one line per cell), the F file (one line per face) and the error file
// (cells not in the bulk), written byte for byte as the front-end and attribution read them back.
#pragma once

#include <string>

namespace mirelda::exchange {

// "%c %4d %c %8.3f %8.3f %2d %c %5.1f\n": letter, residue number, chain, volume, total area, face count,
// 'V' (closed) or 'S' (open), environment share in percent.
std::string FormatCellLine(char letter, int residueNumber, char chain, double volume, double totalArea,
                           int faceCount, bool closed, double environmentShare);

// "%c %4d %c %c : %c %c %4d %2d %8.3f %8.3f %8.3f\n": the centre's letter, residue number and chain, 'V' or
// 'S', the neighbour's letter, chain and residue number, the vertex count, area, perimeter and distance.
std::string FormatFaceLine(char letter, int residueNumber, char chain, bool closed, char neighbourLetter,
                           char neighbourChain, int neighbourResidueNumber, int vertexCount, double area,
                           double perimeter, double distance);

// "WARNING : THIS AA IS NOT IN THE BULK : %c %3d %c\n".
std::string FormatBulkWarning(char letter, int residueNumber, char chain);

}  // namespace mirelda::exchange
