// Point sets for the tessellation tests: grids with a fixed-seed jitter, and their point-file text.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "brindel/exchange/point_file.h"

namespace mirelda::testing {

// An n x n x n grid of the given spacing, each coordinate moved by a uniform jitter in [-jitter, jitter]
// from a fixed seed; point (i, j, k) is at index (i * n + j) * n + k, all ALA of chain A numbered from 1.
std::vector<exchange::PointRecord> JitteredGrid(int n, double spacing, double jitter, unsigned seed = 7);

// True when grid index lies in the outer layer of an n-grid.
bool OnOuterLayer(int index, int n);

exchange::PointRecord MakePoint(double x, double y, double z, const std::string& name = "ALA",
                                char chain = 'A', int residueNumber = 1);

// The points of a point file (the programs' reading rule); empty when the file cannot be read.
std::vector<exchange::PointRecord> ReadPointFileAt(const std::filesystem::path& path);

// A point file with one line per point (serial = position from 1), preceded by the given lines (such as
// the "DEF" parameter lines of file_00), each ended with "\n".
std::string PointFileText(const std::vector<exchange::PointRecord>& points,
                          const std::vector<std::string>& leadingLines = {});

}  // namespace mirelda::testing
