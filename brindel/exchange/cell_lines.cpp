#include "brindel/exchange/cell_lines.h"

#include <cstdio>

#include "brindel/exchange/fixed_format.h"

namespace mirelda::exchange {
namespace {

std::string Integer(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%*d", width, value);
  return text;
}

char StateLetter(bool closed) { return closed ? 'V' : 'S'; }

}  // namespace

std::string FormatCellLine(char letter, int residueNumber, char chain, double volume, double totalArea,
                           int faceCount, bool closed, double environmentShare) {
  std::string line;
  line += letter;
  line += ' ' + Integer(residueNumber, 4) + ' ' + chain;
  line += ' ' + Fixed(volume, 8, 3) + ' ' + Fixed(totalArea, 8, 3) + ' ' + Integer(faceCount, 2);
  line += ' ';
  line += StateLetter(closed);
  line += ' ' + Fixed(environmentShare, 5, 1) + '\n';
  return line;
}

std::string FormatFaceLine(char letter, int residueNumber, char chain, bool closed, char neighbourLetter,
                           char neighbourChain, int neighbourResidueNumber, int vertexCount, double area,
                           double perimeter, double distance) {
  std::string line;
  line += letter;
  line += ' ' + Integer(residueNumber, 4) + ' ' + chain + ' ' + StateLetter(closed) + " : " +
          neighbourLetter + ' ' + neighbourChain + ' ' + Integer(neighbourResidueNumber, 4) + ' ' +
          Integer(vertexCount, 2);
  line += ' ' + Fixed(area, 8, 3) + ' ' + Fixed(perimeter, 8, 3) + ' ' + Fixed(distance, 8, 3) + '\n';
  return line;
}

std::string FormatBulkWarning(char letter, int residueNumber, char chain) {
  std::string line = "WARNING : THIS AA IS NOT IN THE BULK : ";
  line += letter;
  line += ' ' + Integer(residueNumber, 3) + ' ' + chain + '\n';
  return line;
}

}  // namespace mirelda::exchange
