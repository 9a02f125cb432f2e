// The point files file_00, file_01 and file_02: one point per "ATOM ... C" line in the columns of a
// protein coordinate file, read with one rule by every console program, written by the console programs in
// one format and by the front-end (file_00) in a zero-padded one; and the parameter lines of file_00.
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

// The front-end's form of a point line (file_00), with CR LF: "ATOM  " serial "  C   " name " " chain
// number "     " x " " y " " z, each number zero-padded: a coordinate "000.000" when at least 0 and
// "-00.000" when negative, a residue number "0000" or "-000", a serial "00000". A value with more digits
// than its pattern keeps them all and widens the line (the readers read each number where the previous one
// stopped). Residue numbers from 10000 on are written less 10000, as four digits hold.
std::string FormatFrontEndPointLine(int serial, std::string_view name, char chain, int residueNumber, double x,
                                    double y, double z);
std::string CoordinateText(double value);
std::string ResidueNumberText(int number);
std::string SerialText(int serial);

// The parameter lines of file_00, before its points: a key of ParameterKeyLength characters, a blank and
// the value, read from ParameterValueIndex (so a key longer than its column is never read as a value).
inline constexpr std::size_t ParameterKeyLength = 11;
inline constexpr std::size_t ParameterValueIndex = 12;
inline constexpr std::string_view RsphereKey = "DEF RSPHERE";  // radius of the environment spheres
inline constexpr std::string_view CSuperKey = "DEF C_SUPER";   // suppression distance, in radii
inline constexpr std::string_view CSupprKey = "DEF C_SUPPR";   // shell thickness, in radii
inline constexpr std::string_view DefaultCSuperText = "0.8";

// key + " " + valueText + "\r\n"; the value text is written as given ('.' decimals are the caller's).
std::string FormatParameterLine(std::string_view key, std::string_view valueText);

// The key of a parameter line (one of the three above) and its value; found = false for any other line.
struct ParameterLine {
  std::string_view key;
  double value = 0;
  bool found = false;
};
ParameterLine ParseParameterLine(std::string_view line);

}  // namespace mirelda::exchange
