// The inputs of the environment run: file_00 (protein points and the three "DEF" parameter lines) and
// spherepack_1.txt (the template cell). Read from streams; the program opens the files.
#pragma once

#include <functional>
#include <istream>
#include <string_view>
#include <vector>

#include "brindel/exchange/point_file.h"
#include "orvane/environment_shell.h"

namespace mirelda::environment {

// Line buffer of the template reader: 59 characters a line at most, numbers in 9-character columns.
inline constexpr std::size_t TemplateLineBuffer = 60;
inline constexpr std::size_t TemplateColumnWidth = 9;

struct EnvironmentInput {
  std::vector<exchange::PointRecord> protein;
  EnvironmentParameters parameters;
  bool outOfMemory = false;  // the point table could not grow: reading stopped, what was read is kept
};

// Sets the parameter a "DEF" line names (exchange::ParseParameterLine); false for any other line. A later
// line overrides an earlier one.
bool ApplyParameterLine(std::string_view line, EnvironmentParameters& parameters);

// Reads file_00: point lines with the point-line reading rule, parameter lines wherever they stand.
// onPoint is called for every point stored, in file order.
EnvironmentInput ReadEnvironmentInput(std::istream& in,
                                      const std::function<void(const exchange::PointRecord&)>& onPoint = {});

// Reads the template cell: numbers at indices 0, 9 and 18 of each line, at most TemplateBlockSize lines.
TemplateCell ReadTemplateCell(std::istream& in);

}  // namespace mirelda::environment
