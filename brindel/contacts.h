// The contact matrix of the amino acids: for every amino-acid cell, one character per amino acid saying
// whether they share no face ('0'), a face ('1'), or a large face between residues close in sequence ('2').
#pragma once

#include <cstdint>
#include <ostream>
#include <utility>
#include <vector>

#include "brindel/exchange/point_file.h"

namespace mirelda::tessellation {

// '2' when the two residues are 2 to 6 apart in the same chain and the face area exceeds the reference
// area of their letters and separation by more than ContactAreaMargin; otherwise '1'. Equal residue
// numbers in one chain (separation 0, outside the reference table) give '1' like any other face.
char ContactCharacter(const exchange::PointRecord& centre, const exchange::PointRecord& neighbour,
                      double faceArea);

// The matrix of the amino acids, indexed by amino-acid rank (the position among the points whose chain is
// not '&', from 0). Only the faces are stored, so memory grows with the faces, not the square of the count.
class ContactMatrix {
 public:
  explicit ContactMatrix(int aminoAcidCount);

  void Set(int row, int column, char contact);
  // One line per amino acid of its characters, '0' where no face was set, then "\n".
  void Write(std::ostream& out) const;

 private:
  int size_;
  std::vector<std::vector<std::pair<int, char>>> rows_;
};

// The amino-acid rank of every point (-1 for an environment point). Environment points follow the amino
// acids in the point files, so the rank is the point's position; the rank also keeps the matrix sound
// when they do not.
std::vector<int> AminoAcidRanks(const std::vector<exchange::PointRecord>& points);

}  // namespace mirelda::tessellation
