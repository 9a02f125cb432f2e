// The point files file_00, file_01 and file_02: one point per "ATOM ... C" line in the columns of a
// protein coordinate file, read with one rule by every console program and written in one format.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::exchange {

struct PointRecord {
  char chain = ' ';   // '&' marks an environment point
  char letter = '0';  // one-letter code of the name, from the code tables
  std::string name;   // three-letter residue name
  std::int32_t residueNumber = 0;
  double x = 0, y = 0, z = 0;

  bool IsEnvironment() const;
};

// Line buffer of the point-file readers: at most 99 characters a line; longer lines arrive in pieces.
inline constexpr std::size_t PointLineBuffer = 100;

struct PointFile {
  std::vector<PointRecord> points;  // point k of the file (from 1) is points[k - 1]
  int aminoAcidCount = 0;           // points whose chain is not '&'
  bool outOfMemory = false;         // the table could not grow: reading stopped, what was read is kept
};

// True for a point line: "ATOM" at the start and 'C' at index 13.
bool IsPointLine(std::string_view line);

// Reads one point line: name at 17-19, chain at 21, residue number from 22, then x from 30 and y and z
// each from where the previous number stopped (so a coordinate wider than its column is still read).
PointRecord ParsePointLine(std::string_view line);

// Applies the reading rule to one line: point lines are appended unless their residue number equals the
// last stored point's (chains are not compared). Returns true when a point was appended.
bool AddPointLine(std::string_view line, std::vector<PointRecord>& points);

// Reads a whole point file with the reading rule.
PointFile ReadPointFile(std::istream& in);

// One point line, "ATOM   %4d  C   %3s %c%4d     %7.3f %7.3f %7.3f\n". A serial number above 9999 is
// written modulo 10000: a fifth digit would move the 'C' off index 13 and readers would drop the point.
std::string FormatPointLine(int serial, std::string_view name, char chain, int residueNumber, double x,
                            double y, double z);
std::string FormatPointLine(int serial, const PointRecord& point);

}  // namespace mirelda::exchange
