#include "brindel/exchange/cell_lines.h"

#include "brindel/exchange/decimal_reading.h"
#include "brindel/exchange/fixed_format.h"
#include "brindel/exchange/text_lines.h"

namespace mirelda::exchange {
namespace {

char StateLetter(bool closed) { return closed ? 'V' : 'S'; }

char CharacterOf(std::string_view line, Column column) {
  const std::string_view field = FieldOf(line, column);
  return field.empty() ? ' ' : field.front();
}

// A number from the start of its column to wherever it stops, so a value wider than its column is whole.
int IntegerFrom(std::string_view line, Column column) {
  return static_cast<int>(IntegerAt(line, column.from - 1));
}
double DoubleFrom(std::string_view line, Column column) { return DoubleAt(line, column.from - 1); }

}  // namespace

std::string FormatCellLine(char letter, int residueNumber, char chain, double volume, double totalArea,
                           int faceCount, bool closed, double environmentShare) {
  std::string line;
  line.reserve(48);
  line += letter;
  line += ' ';
  AppendInteger(line, residueNumber, 4);
  line += {' ', chain, ' '};
  AppendFixed(line, volume, 8, 3);
  line += ' ';
  AppendFixed(line, totalArea, 8, 3);
  line += ' ';
  AppendInteger(line, faceCount, 2);
  line += {' ', StateLetter(closed), ' '};
  AppendFixed(line, environmentShare, 5, 1);
  line += '\n';
  return line;
}

std::string FormatFaceLine(char letter, int residueNumber, char chain, bool closed, char neighbourLetter,
                           char neighbourChain, int neighbourResidueNumber, int vertexCount, double area,
                           double perimeter, double distance) {
  return FormatFaceLine(FaceLine{letter, residueNumber, chain, closed, neighbourLetter, neighbourChain,
                                 neighbourResidueNumber, vertexCount, area, perimeter, distance});
}

void AppendFaceLine(std::string& out, const FaceLine& face) {
  out += face.letter;
  out += ' ';
  AppendInteger(out, face.residueNumber, 4);
  out += {' ', face.chain,           ' ', StateLetter(face.closed), ' ', ':',
          ' ', face.neighbourLetter, ' ', face.neighbourChain,      ' '};
  AppendInteger(out, face.neighbourResidueNumber, 4);
  out += ' ';
  AppendInteger(out, face.vertexCount, 2);
  for (const double value : {face.area, face.perimeter, face.distance}) {
    out += ' ';
    AppendFixed(out, value, 8, 3);
  }
  out += '\n';
}

std::string FormatBulkWarning(char letter, int residueNumber, char chain) {
  std::string line = "WARNING : THIS AA IS NOT IN THE BULK : ";
  line += letter;
  line += ' ';
  AppendInteger(line, residueNumber, 3);
  line += {' ', chain, '\n'};
  return line;
}

std::string FormatCellLine(const CellLine& cell) {
  return FormatCellLine(cell.letter, cell.residueNumber, cell.chain, cell.volume, cell.area, cell.faceCount,
                        cell.closed, cell.environmentShare);
}

std::string FormatFaceLine(const FaceLine& face) {
  std::string line;
  AppendFaceLine(line, face);
  return line;
}

std::string_view FieldOf(std::string_view line, Column column) {
  return FieldAt(line, column.from, column.length);
}

std::optional<CellLine> ParseCellLine(std::string_view line) {
  if (line.size() < CellColumns::State.from || line[1] != ' ') return std::nullopt;
  CellLine cell;
  cell.letter = CharacterOf(line, CellColumns::Letter);
  cell.residueNumber = IntegerFrom(line, CellColumns::Number);
  cell.chain = CharacterOf(line, CellColumns::Chain);
  cell.volume = DoubleFrom(line, CellColumns::Volume);
  cell.area = DoubleFrom(line, CellColumns::Area);
  cell.faceCount = IntegerFrom(line, CellColumns::Faces);
  cell.closed = CharacterOf(line, CellColumns::State) == 'V';
  cell.environmentShare = DoubleFrom(line, CellColumns::Share);
  return cell;
}

std::optional<FaceLine> ParseFaceLine(std::string_view line) {
  if (line.size() < FaceColumns::Area.from || line[11] != ':') return std::nullopt;
  FaceLine face;
  face.letter = CharacterOf(line, FaceColumns::Letter);
  face.residueNumber = IntegerFrom(line, FaceColumns::Number);
  face.chain = CharacterOf(line, FaceColumns::Chain);
  face.closed = CharacterOf(line, FaceColumns::State) == 'V';
  face.neighbourLetter = CharacterOf(line, FaceColumns::NeighbourLetter);
  face.neighbourChain = CharacterOf(line, FaceColumns::NeighbourChain);
  face.neighbourResidueNumber = IntegerFrom(line, FaceColumns::NeighbourNumber);
  face.vertexCount = IntegerFrom(line, FaceColumns::Vertices);
  face.area = DoubleFrom(line, FaceColumns::Area);
  face.perimeter = DoubleFrom(line, FaceColumns::Perimeter);
  face.distance = DoubleFrom(line, FaceColumns::Distance);
  return face;
}

}  // namespace mirelda::exchange
