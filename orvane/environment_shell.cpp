#include "orvane/environment_shell.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "brindel/exchange/residue_codes.h"

using namespace mirelda::exchange;

namespace mirelda::environment {
namespace {

// Starting values of both bounding boxes: the first point sets them, whatever its coordinates.
constexpr double BoxStartMin = std::numeric_limits<double>::infinity();
constexpr double BoxStartMax = -std::numeric_limits<double>::infinity();
constexpr const char* EnvironmentName = "XXX";

TemplatePoint Shifted(const TemplatePoint& p, double dx, double dy, double dz) {
  return {p.x + dx, p.y + dy, p.z + dz};
}

// Fills blocks [count, blocks x count) from blocks [0, count): the copies shifted by +shift, then by
// -shift, then by +2 shift, -2 shift, and so on.
void Replicate(std::vector<TemplatePoint>& points, std::size_t count, const TemplatePoint& shift,
               int blocks) {
  std::size_t next = count;
  for (int k = 1; 2 * k < blocks + 1; ++k)
    for (const double sign : {1.0, -1.0}) {
      const double f = sign * k;
      for (std::size_t t = 0; t < count; ++t)
        points[next + t] = Shifted(points[t], f * shift.x, f * shift.y, f * shift.z);
      next += count;
    }
}

TemplatePoint TemplateCentre(const TemplateCell& cell, double rsphere) {
  double minX = BoxStartMin, minY = BoxStartMin, minZ = BoxStartMin;
  double maxX = BoxStartMax, maxY = BoxStartMax, maxZ = BoxStartMax;
  const int read = std::clamp(cell.pointsRead, 0, TemplateBlockSize);
  if (read == 0) return {};
  for (int t = 0; t < read; ++t) {
    const TemplatePoint& p = cell.points[static_cast<std::size_t>(t)];
    const double x = p.x * rsphere, y = p.y * rsphere, z = p.z * rsphere;
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
    minZ = std::min(minZ, z), maxZ = std::max(maxZ, z);
  }
  return {(minX + maxX) * 0.5, (minY + maxY) * 0.5, (minZ + maxZ) * 0.5};
}

double Distance(const PointRecord& p, const EnvironmentCandidate& c) {
  const double dx = c.x - p.x, dy = c.y - p.y, dz = c.z - p.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

TemplatePoint ProteinCentre(const std::vector<PointRecord>& protein) {
  if (protein.empty()) return {};
  float minX = BoxStartMin, minY = BoxStartMin, minZ = BoxStartMin;
  float maxX = BoxStartMax, maxY = BoxStartMax, maxZ = BoxStartMax;
  for (const PointRecord& p : protein) {
    if (p.x < minX) minX = static_cast<float>(p.x);
    if (p.x > maxX) maxX = static_cast<float>(p.x);
    if (p.y < minY) minY = static_cast<float>(p.y);
    if (p.y > maxY) maxY = static_cast<float>(p.y);
    if (p.z < minZ) minZ = static_cast<float>(p.z);
    if (p.z > maxZ) maxZ = static_cast<float>(p.z);
  }
  return {static_cast<double>(minX + maxX) * 0.5, static_cast<double>(minY + maxY) * 0.5,
          static_cast<double>(minZ + maxZ) * 0.5};
}

int BlocksPerSide(const std::vector<PointRecord>& protein, const EnvironmentParameters& parameters) {
  const TemplatePoint centre = ProteinCentre(protein);
  double reach = 0;  // the farthest a protein coordinate lies from the centre, along one axis
  for (const PointRecord& p : protein)
    reach = std::max({reach, std::abs(p.x - centre.x), std::abs(p.y - centre.y), std::abs(p.z - centre.z)});
  const double needed = reach + std::abs(parameters.cSuppr * parameters.rsphere);
  const double side = std::abs(TemplateCellSide * parameters.rsphere);
  if (side == 0) return MinBlocksPerSide;  // a radius of 0 places every copy on the cell itself
  // n blocks reach (n - 1) / 2 sides beyond the central cell, whose points lie within half a side of the
  // centre; the central cell alone counts as half a side.
  for (int n = MinBlocksPerSide; n <= MaxBlocksPerSide; n += 2)
    if (!(side * n * 0.5 < needed)) return n;
  return MaxBlocksPerSide + 2;
}

std::vector<TemplatePoint> ReplicatedTemplate(const TemplateCell& cell, double rsphere, int blocksPerSide) {
  const auto blocks = static_cast<std::size_t>(blocksPerSide);
  std::vector<TemplatePoint> points(TemplateBlockSize * blocks * blocks * blocks);
  for (std::size_t t = 0; t < TemplateBlockSize; ++t) {
    const TemplatePoint& p = cell.points[t];
    points[t] = {p.x * rsphere, p.y * rsphere, p.z * rsphere};
  }
  const double side = TemplateCellSide * rsphere;
  Replicate(points, TemplateBlockSize, {side, 0, 0}, blocksPerSide);
  Replicate(points, blocks * TemplateBlockSize, {0, side, 0}, blocksPerSide);
  Replicate(points, blocks * blocks * TemplateBlockSize, {0, 0, side}, blocksPerSide);
  return points;
}

std::vector<EnvironmentCandidate> PlaceCandidates(const std::vector<PointRecord>& protein,
                                                  const TemplateCell& cell, double rsphere,
                                                  int blocksPerSide) {
  const TemplatePoint proteinCentre = ProteinCentre(protein);
  const TemplatePoint templateCentre = TemplateCentre(cell, rsphere);
  const std::vector<TemplatePoint> points = ReplicatedTemplate(cell, rsphere, blocksPerSide);
  std::vector<EnvironmentCandidate> candidates(points.size());
  for (std::size_t k = 0; k < points.size(); ++k) {
    candidates[k].x = proteinCentre.x + points[k].x - templateCentre.x;
    candidates[k].y = proteinCentre.y + points[k].y - templateCentre.y;
    candidates[k].z = proteinCentre.z + points[k].z - templateCentre.z;
  }
  return candidates;
}

int SuppressAndCount(const std::vector<PointRecord>& protein, const EnvironmentParameters& parameters,
                     std::vector<EnvironmentCandidate>& candidates) {
  const double nearLimit = parameters.rsphere * parameters.cSuper;
  const double farLimit = parameters.cSuppr * parameters.rsphere;
  int suppressed = 0;
  for (const PointRecord& p : protein) {
    for (EnvironmentCandidate& c : candidates) {
      const double d = Distance(p, c);
      if (c.status != SuppressedStatus && d <= nearLimit) {
        c.status = SuppressedStatus;
        ++suppressed;
      }
      if (d >= farLimit) ++c.farCount;
    }
  }
  return suppressed;
}

EnvironmentShell SelectEnvironment(const std::vector<EnvironmentCandidate>& candidates,
                                   const std::vector<PointRecord>& protein, int suppressedCount) {
  EnvironmentShell shell;
  shell.suppressedCount = suppressedCount;
  const int proteinCount = static_cast<int>(protein.size());
  const int firstNumber = 1;
  const int offset = !protein.empty() && protein.back().residueNumber == firstNumber ? 1 : 0;
  int rank = 0;
  for (const EnvironmentCandidate& c : candidates) {
    if (c.status == SuppressedStatus || c.farCount >= proteinCount) continue;
    ++rank;
    PointRecord point;
    point.chain = EnvironmentChain;
    point.letter = EnvironmentLetter;
    point.name = EnvironmentName;
    point.residueNumber = (rank + offset) % EnvironmentNumberModulus;
    point.x = c.x, point.y = c.y, point.z = c.z;
    try {
      shell.environmentPoints.push_back(std::move(point));
    } catch (const std::bad_alloc&) {
      shell.outOfMemory = true;
      break;
    }
  }
  return shell;
}

EnvironmentShell InstallEnvironment(const std::vector<PointRecord>& protein,
                                    const EnvironmentParameters& parameters, const TemplateCell& cell) {
  const int blocks = BlocksPerSide(protein, parameters);
  if (blocks > MaxBlocksPerSide) {
    EnvironmentShell refused;
    refused.blocksPerSide = blocks;
    refused.tooWide = true;
    return refused;
  }
  std::vector<EnvironmentCandidate> candidates = PlaceCandidates(protein, cell, parameters.rsphere, blocks);
  const int suppressed = SuppressAndCount(protein, parameters, candidates);
  EnvironmentShell shell = SelectEnvironment(candidates, protein, suppressed);
  shell.blocksPerSide = blocks;
  return shell;
}

}  // namespace mirelda::environment
