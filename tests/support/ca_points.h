// The CA points of a protein coordinate file as point records, for tests that feed real proteins to the
// console programs: first model only, ATOM records, atom " CA " with alternate location ' ' or 'A', one
// point per residue.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "point_file.h"

namespace mirelda::testing {

// The CA points in file order; empty when the file cannot be read.
std::vector<PointRecord> ReadCaPoints(const std::filesystem::path& proteinFile);

// A point file with one line per point (serial = position from 1), preceded by the given lines (such as
// the "DEF" parameter lines of file_00), each ended with "\n".
std::string PointFileText(const std::vector<PointRecord>& points,
                          const std::vector<std::string>& leadingLines = {});

}  // namespace mirelda::testing
