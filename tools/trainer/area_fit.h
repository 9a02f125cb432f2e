// How well a table of reference areas matches what is known of the reference table: the areas of alanine
// with every letter at separation 2 and the range of each separation. The chosen table is then made to
// keep those known values exactly, and written as the source file of the tessellation's table.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "tools/trainer/face_areas.h"

namespace mirelda::trainer {

// Separation 2, centre A, neighbours in ContactLetters order.
inline constexpr std::array<double, tessellation::ContactLetterCount> KnownAlanineRow = {
    2.39, 3.39, 3.99, 2.63, 3.56, 3.65, 3.85, 3.3,  2.65, 2.86,
    2.71, 3.97, 3.74, 2.9,  2.57, 4.1,  3.53, 2.98, 2.82, 3.17};
// Lowest and highest area of separations 2 .. 6.
inline constexpr std::array<std::pair<double, double>, tessellation::ContactSeparationCount> KnownRanges = {
    {{2.39, 6.63}, {6.51, 17.6}, {4.58, 11.83}, {3.68, 14.87}, {2.36, 19.71}}};

struct AreaFit {
  std::array<double, tessellation::ContactLetterCount> alanineRow{};
  double rowRmsError = 0;  // over the 20 known values
  std::array<std::pair<double, double>, tessellation::ContactSeparationCount> ranges{};
  double rangeMeanError = 0;  // mean absolute difference of the 10 range ends
  // What the candidates are ranked by: the two errors added (both in square angstroms).
  double Score() const { return rowRmsError + rangeMeanError; }
};

AreaFit FitToKnown(const AreaTable& table);

struct KnownValuesApplied {
  AreaTable table;
  int clamped = 0;  // values moved into the range of their separation
};
// Puts the known alanine row (and, by symmetry, column) at separation 2 and holds every value to the
// known range of its separation.
KnownValuesApplied WithKnownValues(AreaTable table);

// The C++ source of ContactAreaTable: a generated-file notice naming the generator, the description
// lines given (each becomes a comment line), and the five 20 x 20 blocks.
std::string AreaTableSource(const AreaTable& table, std::string_view generator, std::string_view description);

}  // namespace mirelda::trainer
