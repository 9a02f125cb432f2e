// The line formats of the C file (one line per cell), the F file (one line per face) and the error file
// (cells not in the bulk): their columns, their writers and their readers, side by side.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mirelda::exchange {

// A fixed-position field of a result line, counted from 1 as FieldAt takes it.
struct Column {
  std::size_t from;
  std::size_t length;
};
std::string_view FieldOf(std::string_view line, Column column);

// The columns of a C line.
struct CellColumns {
  static constexpr Column Letter{1, 1}, Number{3, 4}, Chain{8, 1}, Volume{10, 8}, Area{19, 8}, Faces{28, 2},
      State{31, 1}, Share{33, 5};
};
// The columns of an F line; the ':' stands at index 11.
struct FaceColumns {
  static constexpr Column Letter{1, 1}, Number{3, 4}, Chain{8, 1}, State{10, 1}, NeighbourLetter{14, 1},
      NeighbourChain{16, 1}, NeighbourNumber{18, 4}, Vertices{23, 2}, Area{26, 8}, Perimeter{35, 8},
      Distance{44, 8};
};

// The values of a C line and of an F line.
struct CellLine {
  char letter = ' ';
  int residueNumber = 0;
  char chain = ' ';
  double volume = 0;
  double area = 0;
  int faceCount = 0;
  bool closed = false;
  double environmentShare = 0;
};
struct FaceLine {
  char letter = ' ';
  int residueNumber = 0;
  char chain = ' ';
  bool closed = false;
  char neighbourLetter = ' ';
  char neighbourChain = ' ';
  int neighbourResidueNumber = 0;
  int vertexCount = 0;
  double area = 0;
  double perimeter = 0;
  double distance = 0;
};

// Reads a C or F line by its columns (numbers locale-free, a number wider than its column read on);
// nullopt for a line too short for its columns or without the separators of the format.
std::optional<CellLine> ParseCellLine(std::string_view line);
std::optional<FaceLine> ParseFaceLine(std::string_view line);

// "%c %4d %c %8.3f %8.3f %2d %c %5.1f\n": letter, residue number, chain, volume, total area, face count,
// 'V' (closed) or 'S' (open), environment share in percent.
std::string FormatCellLine(char letter, int residueNumber, char chain, double volume, double totalArea,
                           int faceCount, bool closed, double environmentShare);
std::string FormatCellLine(const CellLine& cell);

// "%c %4d %c %c : %c %c %4d %2d %8.3f %8.3f %8.3f\n": the centre's letter, residue number and chain, 'V' or
// 'S', the neighbour's letter, chain and residue number, the vertex count, area, perimeter and distance.
std::string FormatFaceLine(char letter, int residueNumber, char chain, bool closed, char neighbourLetter,
                           char neighbourChain, int neighbourResidueNumber, int vertexCount, double area,
                           double perimeter, double distance);
std::string FormatFaceLine(const FaceLine& face);
// The same line appended to `out` (brindel writes hundreds of thousands).
void AppendFaceLine(std::string& out, const FaceLine& face);

// "WARNING : THIS AA IS NOT IN THE BULK : %c %3d %c\n".
std::string FormatBulkWarning(char letter, int residueNumber, char chain);

}  // namespace mirelda::exchange
