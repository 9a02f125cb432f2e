#include "brindel/exchange/point_file.h"

#include <cmath>
#include <cstdio>
#include <new>

#include "brindel/exchange/buffered_lines.h"
#include "brindel/exchange/decimal_reading.h"
#include "brindel/exchange/fixed_format.h"
#include "brindel/exchange/residue_codes.h"

namespace mirelda::exchange {

bool PointRecord::IsEnvironment() const { return chain == EnvironmentChain; }

bool IsPointLine(std::string_view line) {
  return line.size() > 13 && line.substr(0, 4) == "ATOM" && line[13] == 'C';
}

PointRecord ParsePointLine(std::string_view line) {
  // The line end is no field: on a short line it would become the chain or part of the name.
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  PointRecord point;
  point.name = std::string(line.size() > 17 ? line.substr(17, 3) : std::string_view());
  point.chain = line.size() > 21 ? line[21] : ' ';
  point.letter = LetterOf(point.name);
  point.residueNumber = static_cast<std::int32_t>(IntegerAt(line, 22));
  std::size_t at = 30;
  double* coordinates[] = {&point.x, &point.y, &point.z};
  for (double* coordinate : coordinates) {
    if (at >= line.size()) break;
    const LeadingNumber<double> number = ReadLeadingDouble(line.substr(at));
    *coordinate = number.value;
    if (!number.found) break;
    at += number.end;
  }
  return point;
}

bool AddPointLine(std::string_view line, std::vector<PointRecord>& points) {
  if (!IsPointLine(line)) return false;
  const std::int32_t residueNumber = static_cast<std::int32_t>(IntegerAt(line, 22));
  if (!points.empty() && points.back().residueNumber == residueNumber) return false;
  points.push_back(ParsePointLine(line));
  return true;
}

PointFile ReadPointFile(std::istream& in) {
  PointFile file;
  try {
    ForEachBufferedLine(in, PointLineBuffer, [&](std::string_view line) { AddPointLine(line, file.points); });
  } catch (const std::bad_alloc&) {
    file.outOfMemory = true;
  }
  for (const PointRecord& point : file.points) {
    if (!point.IsEnvironment()) ++file.aminoAcidCount;
  }
  return file;
}

std::string FormatPointLine(int serial, std::string_view name, char chain, int residueNumber, double x,
                            double y, double z) {
  const std::string shortName(name.substr(0, 3));
  char head[64];
  std::snprintf(head, sizeof head, "ATOM   %4d  C   %3s %c%4d     ", serial % 10000, shortName.c_str(), chain,
                residueNumber);
  return head + Fixed(x, 7, 3) + ' ' + Fixed(y, 7, 3) + ' ' + Fixed(z, 7, 3) + '\n';
}

std::string FormatPointLine(int serial, const PointRecord& point) {
  return FormatPointLine(serial, point.name, point.chain, point.residueNumber, point.x, point.y, point.z);
}

namespace {

// Residue numbers from here on are written less this, to fit the four-character field.
constexpr int kResidueNumberWrap = 10000;
constexpr int kCoordinateDecimals = 3;

std::string ZeroPadded(std::string digits, std::size_t width) {
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// Pads the integer part of a fixed-point text with zeros to at least `width` digits.
std::string PadIntegerPart(std::string text, std::size_t width) {
  const std::size_t point = text.find('.');
  const std::size_t integerDigits = point == std::string::npos ? text.size() : point;
  if (integerDigits < width) text.insert(0, width - integerDigits, '0');
  return text;
}

// A minus sign before digits (appended rather than prepended, which GCC 12 misreads as overlapping copies).
std::string Negative(const std::string& digits) {
  std::string text = "-";
  text += digits;
  return text;
}

}  // namespace

std::string CoordinateText(double value) {
  if (!std::isfinite(value)) return Fixed(value, 7, kCoordinateDecimals);
  if (value < 0) return Negative(PadIntegerPart(Fixed(-value, 0, kCoordinateDecimals), 2));
  return PadIntegerPart(Fixed(value + 0.0, 0, kCoordinateDecimals), 3);  // + 0.0 turns -0 into 0
}

std::string ResidueNumberText(int number) {
  if (number < 0) return Negative(ZeroPadded(std::to_string(-static_cast<long long>(number)), 3));
  return ZeroPadded(std::to_string(number), 4);
}

std::string SerialText(int serial) { return ZeroPadded(std::to_string(serial), 5); }

std::string FormatFrontEndPointLine(int serial, std::string_view name, char chain, int residueNumber, double x,
                                    double y, double z) {
  const int number = residueNumber < kResidueNumberWrap ? residueNumber : residueNumber - kResidueNumberWrap;
  std::string line = "ATOM  " + SerialText(serial) + "  C   ";
  line.append(name).append(" ");
  line += chain;
  line += ResidueNumberText(number) + "     " + CoordinateText(x) + " " + CoordinateText(y) + " " +
          CoordinateText(z) + "\r\n";
  return line;
}

std::string FormatParameterLine(std::string_view key, std::string_view valueText) {
  std::string line(key);
  line.append(" ").append(valueText).append("\r\n");
  return line;
}

ParameterLine ParseParameterLine(std::string_view line) {
  ParameterLine parameter;
  const std::string_view key = line.substr(0, ParameterKeyLength);
  for (std::string_view known : {RsphereKey, CSuperKey, CSupprKey}) {
    if (key != known) continue;
    parameter.key = known;
    parameter.value = DoubleAt(line, ParameterValueIndex);
    parameter.found = true;
  }
  return parameter;
}

}  // namespace mirelda::exchange
