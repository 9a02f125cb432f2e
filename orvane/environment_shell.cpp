#include "orvane/environment_shell.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "brindel/exchange/residue_codes.h"

using namespace mirelda::exchange;

namespace mirelda::environment {
namespace {

// Starting values of both bounding boxes: any coordinate of the point-file format lies inside them.
constexpr double BoxStartMin = 1000;
constexpr double BoxStartMax = -1000;
constexpr const char* EnvironmentName = "XXX";

TemplatePoint Shifted(const TemplatePoint& p, double dx, double dy, double dz) {
  return {p.x + dx, p.y + dy, p.z + dz};
}

// Fills blocks [count, 3 count) from blocks [0, count): first the copies shifted by +shift, then by -shift.
void Replicate(std::vector<TemplatePoint>& points, std::size_t count, const TemplatePoint& shift) {
  for (std::size_t t = 0; t < count; ++t) {
    points[count + t] = Shifted(points[t], shift.x, shift.y, shift.z);
    points[2 * count + t] = Shifted(points[t], -shift.x, -shift.y, -shift.z);
  }
}

TemplatePoint TemplateCentre(const TemplateCell& cell, double rsphere) {
  double minX = BoxStartMin, minY = BoxStartMin, minZ = BoxStartMin;
  double maxX = BoxStartMax, maxY = BoxStartMax, maxZ = BoxStartMax;
  const int read = std::clamp(cell.pointsRead, 0, TemplateBlockSize);
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

std::vector<TemplatePoint> ReplicatedTemplate(const TemplateCell& cell, double rsphere) {
  std::vector<TemplatePoint> points(CandidateCount);
  for (std::size_t t = 0; t < TemplateBlockSize; ++t) {
    const TemplatePoint& p = cell.points[t];
    points[t] = {p.x * rsphere, p.y * rsphere, p.z * rsphere};
  }
  const double side = TemplateCellSide * rsphere;
  Replicate(points, TemplateBlockSize, {side, 0, 0});
  Replicate(points, 3 * TemplateBlockSize, {0, side, 0});
  Replicate(points, 9 * TemplateBlockSize, {0, 0, side});
  return points;
}

std::vector<EnvironmentCandidate> PlaceCandidates(const std::vector<PointRecord>& protein,
                                                  const TemplateCell& cell, double rsphere) {
  const TemplatePoint proteinCentre = ProteinCentre(protein);
  const TemplatePoint templateCentre = TemplateCentre(cell, rsphere);
  const std::vector<TemplatePoint> points = ReplicatedTemplate(cell, rsphere);
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
  std::vector<EnvironmentCandidate> candidates = PlaceCandidates(protein, cell, parameters.rsphere);
  const int suppressed = SuppressAndCount(protein, parameters, candidates);
  return SelectEnvironment(candidates, protein, suppressed);
}

}  // namespace mirelda::environment
