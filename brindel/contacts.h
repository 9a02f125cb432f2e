// What the contact file says of two amino acids: no face ('0'), a face ('1'), or a large face between
// residues close in sequence ('2'); and the rows and columns of the amino acids in it.
#pragma once

#include <vector>

#include "brindel/exchange/point_file.h"

namespace mirelda::tessellation {

// '2' when the two residues are 2 to 6 apart in the same chain and the face area exceeds the reference
// area of their letters and separation by more than ContactAreaMargin; otherwise '1'. Equal residue
// numbers in one chain (separation 0, outside the reference table) give '1' like any other face.
char ContactCharacter(const exchange::PointRecord& centre, const exchange::PointRecord& neighbour,
                      double faceArea);

// The amino-acid rank of every point (-1 for an environment point). Environment points follow the amino
// acids in the point files, so the rank is the point's position; the rank also keeps the matrix sound
// when they do not.
std::vector<int> AminoAcidRanks(const std::vector<exchange::PointRecord>& points);

}  // namespace mirelda::tessellation
