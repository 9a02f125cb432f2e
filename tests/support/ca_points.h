// The CA points of a protein coordinate file as point records, for tests that feed real proteins to the
// console programs: first model only, ATOM records, atom " CA " with alternate location ' ' or 'A', one
// point per residue.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "brindel/exchange/point_file.h"
#include "tests/support/point_sets.h"

namespace mirelda::testing {

// The CA points in file order; empty when the file cannot be read.
std::vector<exchange::PointRecord> ReadCaPoints(const std::filesystem::path& proteinFile);

// The point chosen per residue, as the front-end offers it: its CA atom, its CB atom (CA for a residue
// without one, such as glycine), or the centroid of all its atoms (CG3).
enum class ResiduePoint { Ca, Cb, AllAtomCentroid };

// One point per residue of the first model (ATOM records, alternate location ' ' or 'A'), in file order.
std::vector<exchange::PointRecord> ReadResiduePoints(const std::filesystem::path& proteinFile, ResiduePoint kind);

}  // namespace mirelda::testing
