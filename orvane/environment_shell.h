// The environment shell: a 3 x 3 x 3 block of copies of a periodic sphere-packing cell laid over the
// protein, of which the candidates neither too near any protein point nor too far from all of them become
// environment points. Pure computation: the program around it reads and writes the files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "brindel/exchange/point_file.h"

namespace mirelda::environment {

// Side of the periodic template cell in units of the sphere radius R: 1024 spheres of diameter 1 fill
// 64.8 % of it.
inline constexpr double TemplateCellSide = 9.3898;
// Points of one template cell (the lines of spherepack_1.txt that are used) and of the 3 x 3 x 3 block.
inline constexpr int TemplateBlockSize = 1024;
inline constexpr int TemplateBlockCount = 27;
inline constexpr int CandidateCount = TemplateBlockSize * TemplateBlockCount;  // 27 648
// Copies of the cell along each axis: 3 for every protein the 3 x 3 x 3 block covers, more (an odd number)
// for a wider one, at most MaxBlocksPerSide: 9 x 9 x 9 copies are 746 496 candidates, each compared with
// every protein point, and cover about 550 A at R = 6.5; a wider protein is refused.
inline constexpr int MinBlocksPerSide = 3;
inline constexpr int MaxBlocksPerSide = 9;
// Environment points are numbered by their rank among the retained candidates, modulo this: the
// residue-number field has four digits, readers only compare adjacent numbers, and consecutive ranks
// stay distinct after the wrap (9999 is followed by 0).
inline constexpr int EnvironmentNumberModulus = 10000;
inline constexpr char SuppressedStatus = 'n';
inline constexpr char UnsuppressedStatus = 'u';

// The three parameters of the run, each 0 until its parameter line is read.
struct EnvironmentParameters {
  double rsphere = 0;  // R, the radius of the environment spheres
  double cSuper = 0;   // near factor: candidates within cSuper x R of a protein point are suppressed
  double cSuppr = 0;   // thickness factor: a candidate needs a protein point nearer than cSuppr x R
};

struct TemplatePoint {
  double x = 0, y = 0, z = 0;
};

// The template cell as read: up to TemplateBlockSize points in units of R. Points beyond those read
// stay at (0, 0, 0) but take no part in the template's bounding box.
struct TemplateCell {
  std::array<TemplatePoint, TemplateBlockSize> points{};
  int pointsRead = 0;
};

struct EnvironmentCandidate {
  double x = 0, y = 0, z = 0;
  char status = UnsuppressedStatus;
  std::int32_t farCount = 0;  // protein points at distance >= cSuppr x R
};

struct EnvironmentShell {
  std::vector<exchange::PointRecord> environmentPoints;  // residue name "XXX", chain '&', in candidate order
  int suppressedCount = 0;   // candidates within the near distance of a protein point
  bool outOfMemory = false;  // the point list could not grow: selection stopped, what was kept remains
  int blocksPerSide = MinBlocksPerSide;
  bool tooWide = false;  // the protein needs more than MaxBlocksPerSide copies a side: no point installed
};

// Centre of the protein's bounding box, kept in single precision (an empty protein is centred at the
// origin). The box grows from the first point, so coordinates of any size are centred.
TemplatePoint ProteinCentre(const std::vector<exchange::PointRecord>& protein);

// The copies of the cell a side that the shell around the protein needs: the smallest odd number from
// MinBlocksPerSide whose block reaches, along every axis, the thickness cSuppr x R beyond the protein's box
// (as seen from its centre); more than MaxBlocksPerSide when even that block would not.
int BlocksPerSide(const std::vector<exchange::PointRecord>& protein, const EnvironmentParameters& parameters);

// The template points scaled by R, blocksPerSide^3 copies: block 0 is the cell, then copies along x
// (+D, -D, +2D, -2D, ...), the resulting row along y in the same order, and the layer along z,
// D = TemplateCellSide x R. With 3 a side these are the 27 648 points of the 3 x 3 x 3 block.
std::vector<TemplatePoint> ReplicatedTemplate(const TemplateCell& cell, double rsphere,
                                              int blocksPerSide = MinBlocksPerSide);

// The candidates: the replicated template moved so that its block-0 box centre sits on the protein centre.
std::vector<EnvironmentCandidate> PlaceCandidates(const std::vector<exchange::PointRecord>& protein,
                                                  const TemplateCell& cell, double rsphere,
                                                  int blocksPerSide = MinBlocksPerSide);

// Suppression and far counts over every protein point and candidate; returns the suppressed count.
int SuppressAndCount(const std::vector<exchange::PointRecord>& protein,
                     const EnvironmentParameters& parameters, std::vector<EnvironmentCandidate>& candidates);

// Selection: every candidate not suppressed and nearer than the far distance to some protein point.
// The points are numbered by rank from 1, or from 2 when the last protein point carries the number 1:
// the point-file readers keep only the first of adjacent points with equal numbers, whatever their
// chain, and would drop the first environment point.
EnvironmentShell SelectEnvironment(const std::vector<EnvironmentCandidate>& candidates,
                                   const std::vector<exchange::PointRecord>& protein, int suppressedCount);

// The whole computation: placement, suppression and selection.
EnvironmentShell InstallEnvironment(const std::vector<exchange::PointRecord>& protein,
                                    const EnvironmentParameters& parameters, const TemplateCell& cell);

}  // namespace mirelda::environment
