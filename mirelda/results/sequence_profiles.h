// The values of the residue table along the sequence, chain by chain, for the plots: each residue's
// volume, area, exposure and face count, its class and whether it lies in the bulk, with its table row so
// that a point picked in a plot finds its row.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mirelda/model/residue_records.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::results {

enum class ProfileMeasure { Volume, Area, Exposure, FaceCount };

struct ProfilePoint {
  int tableRow = 0;
  int resSeq = 0;
  bool hasCell = false;  // no cell: no measure
  bool inBulk = false;   // a closed cell ("V")
  double volume = 0, area = 0, exposure = 0;
  int faces = 0;
  char residueClass = 0;  // 'a', 'b', 'c' or 0 without the class column
};

struct ChainProfile {
  std::string chain;
  std::vector<ProfilePoint> points;  // in table order
};

// The chains in the order they first appear; residues without a record are left out.
std::vector<ChainProfile> SequenceProfiles(const workflow::GridModel& tab1, const model::Residues& residues);

// A measure of a point; nullopt without a cell (and for the exposure without the environment column).
std::optional<double> MeasureOf(const ProfilePoint& point, ProfileMeasure measure, bool withExposure);

// The table row of the point of a chain nearest to a residue number (0 when the chain has none).
int NearestRow(const ChainProfile& profile, double resSeq);

}  // namespace mirelda::results
