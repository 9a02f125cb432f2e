// The limits and tolerances of the tessellation, in one place, each with the reason for its value. The
// cut-offs RCUT and DCUT themselves are run options (option_files.h holds their defaults).
#pragma once

#include <cstddef>

namespace mirelda::tessellation {

// Candidate neighbours of one centre. A protein point has a few dozen points within the default DCUT of
// 16; more than this means a cut-off or a point set far outside what the analysis is meant for, and the
// run stops ("IVMAX too small") rather than spend quadratic time on triples.
inline constexpr int NeighbourLimit = 200;

// A full turn as written in the result files' tradition: the exterior angles of a closed face polygon sum
// to this. Kept at ten digits so that every run compares against the same number.
inline constexpr double FullTurn = 6.283185308;

// A face is closed when its exterior angles sum to a full turn within this tolerance: wide enough for the
// rounding of the corner terms, far narrower than the smallest angle an unclosed face leaves out.
inline constexpr double ClosureTolerance = 0.001;

// The power-diagram weight of a point of residue weight w is PowerScale * w^PowerExponent - PowerOffset:
// the weight (a residue volume) turned into the square of a radius, offset so that typical residues give
// small shifts of the bisector planes.
inline constexpr double PowerScale = 0.5282;
inline constexpr double PowerExponent = 0.6666666666666666;
inline constexpr double PowerOffset = 14.325;

// The largest residue weight taken. Weights are residue volumes of a few hundred cubic angstroms; at a
// million the planes already move hundreds of angstroms, and far above it the plane constants swallow the
// coordinates' digits (at 1e30 every cell comes out open).
inline constexpr double LargestWeight = 1e6;

// The first-layer scene copies its blocks from the cell scene through a buffer of this size.
inline constexpr std::size_t SceneCopyBuffer = 1 << 16;

// A contact is marked '2' when the face area exceeds the reference area of the pair by this margin.
inline constexpr double ContactAreaMargin = 2.0;

// Sequence separations covered by the reference areas of contacts.
inline constexpr int FirstContactSeparation = 2;
inline constexpr int LastContactSeparation = 6;

}  // namespace mirelda::tessellation
