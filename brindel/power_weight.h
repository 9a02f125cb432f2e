// The power-diagram weight of every point, derived from the residue weight of its letter: the term that
// shifts the plane between two points away from the bisector.
#pragma once

#include <vector>

#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"

namespace mirelda::tessellation {

// PowerScale * w^(2/3) - PowerOffset. A weight that is negative, not finite or above LargestWeight has no
// usable power (the power of a negative number is undefined, and a huge one pushes every plane away): it
// counts as 0, like a switched-off weight, and gives -PowerOffset. The program warns about such weights.
double PowerWeight(double weight);

// True when PowerWeight replaces this weight by 0.
bool IsUnusableWeight(double weight);

// The power weight of every point, from the weight of its letter; a letter in no table takes the weight of
// position 25, which no option line sets.
std::vector<double> PowerWeights(const std::vector<exchange::PointRecord>& points,
                                 const exchange::WeightTable& weights);

}  // namespace mirelda::tessellation
