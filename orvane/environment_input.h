// The inputs of the environment run: file_00 (protein points and the three "DEF" parameter lines) and
// spherepack_1.txt (the template cell). Read from streams; the program opens the files.
#pragma once

#include <functional>
#include <istream>
#include <string>
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

// The template cell and what makes it unusable: a template must hold TemplateBlockSize lines, each with
// three finite numbers starting in its columns; lines after those are not read.
struct TemplateReading {
  TemplateCell cell;
  int badLine = 0;        // the first line (from 1) without its three numbers; 0 when every line has them
  bool cutShort = false;  // the file ended before TemplateBlockSize lines
  bool Usable() const { return badLine == 0 && !cutShort; }
  // "line 12: expected three numbers in columns 1, 10 and 19" or "1000 lines, expected 1024"; "" if usable.
  std::string Problem() const;
};
TemplateReading ReadCheckedTemplateCell(std::istream& in);

}  // namespace mirelda::environment
