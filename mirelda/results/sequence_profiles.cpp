#include "mirelda/results/sequence_profiles.h"

#include <cmath>

#include "mirelda/results/results_table.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::results {

std::vector<ChainProfile> SequenceProfiles(const GridModel& tab1, const Residues& residues) {
  std::vector<ChainProfile> profiles;
  for (int row = 1; row < tab1.Rows() && row <= residues.ResidueCount(); ++row) {
    const DEF_AA* residue = residues.Find(row);
    if (residue == nullptr) continue;
    ProfilePoint point;
    point.tableRow = row;
    point.resSeq = residue->NUM();
    const RowCell cell = CellOfRow(tab1, row);
    point.hasCell = cell.exists;
    point.inBulk = cell.inBulk;
    if (point.hasCell) {
      point.volume = residue->VOL();
      point.area = residue->SUR();
      point.exposure = residue->EXP();
      point.faces = residue->NBF();
    }
    if (const char given = ClassOfRow(tab1, row); given != 0) point.residueClass = given;
    // A chain that comes back further down keeps its points together.
    ChainProfile* profile = nullptr;
    for (ChainProfile& existing : profiles)
      if (existing.chain == residue->CHAIN()) profile = &existing;
    if (profile == nullptr) profile = &profiles.emplace_back(ChainProfile{residue->CHAIN(), {}});
    profile->points.push_back(point);
  }
  return profiles;
}

std::optional<double> MeasureOf(const ProfilePoint& point, ProfileMeasure measure, bool withExposure) {
  if (!point.hasCell) return std::nullopt;
  switch (measure) {
    case ProfileMeasure::Volume: return point.volume;
    case ProfileMeasure::Area: return point.area;
    case ProfileMeasure::Exposure: return withExposure ? std::optional<double>(point.exposure) : std::nullopt;
    case ProfileMeasure::FaceCount: return point.faces;
  }
  return std::nullopt;
}

int NearestRow(const ChainProfile& profile, double resSeq) {
  int row = 0;
  double best = 0;
  for (const ProfilePoint& point : profile.points) {
    const double distance = std::abs(point.resSeq - resSeq);
    if (row == 0 || distance < best) {
      row = point.tableRow;
      best = distance;
    }
  }
  return row;
}

}  // namespace mirelda::results
