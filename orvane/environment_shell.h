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
};

// Centre of the protein's bounding box, kept in single precision with minima starting at 1000 and
// maxima at -1000 (so an empty protein is centred at the origin).
TemplatePoint ProteinCentre(const std::vector<exchange::PointRecord>& protein);

// The 27 648 template points scaled by R: block 0 is the cell, then copies along x (+D, -D), the three
// blocks along y (+D, -D) and the nine along z (+D, -D), D = TemplateCellSide x R.
std::vector<TemplatePoint> ReplicatedTemplate(const TemplateCell& cell, double rsphere);

// The candidates: the replicated template moved so that its block-0 box centre sits on the protein centre.
std::vector<EnvironmentCandidate> PlaceCandidates(const std::vector<exchange::PointRecord>& protein,
                                                  const TemplateCell& cell, double rsphere);

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
