#include "brindel/exchange/option_files.h"

#include <charconv>
#include <cmath>

#include <limits>

#include "brindel/exchange/buffered_lines.h"
#include "brindel/exchange/decimal_reading.h"

namespace mirelda::exchange {

OptionValue ValueAfterColon(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return {};
  return {line.substr(colon + 1), true};
}

ProteinNameValue ProteinNameOf(std::string_view value) {
  std::string name;
  for (char c : value.substr(0, 4)) {
    if (c == '\r' || c == '\n' || c == '\0') break;
    name.push_back(c);
  }
  const bool unsafe =
      name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos;
  if (unsafe) return {};
  return {name, true};
}

namespace {

int ClampToInt(std::int64_t value) {
  constexpr std::int64_t kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
  return static_cast<int>(value < kMin ? kMin : value > kMax ? kMax : value);
}

bool StartsWith(std::string_view line, std::string_view key) { return line.substr(0, key.size()) == key; }

// Applies a "NOM_PROT" line to a name; returns false when the line's name was refused.
bool ApplyName(std::string_view line, std::string& name) {
  const OptionValue value = ValueAfterColon(line);
  if (!value.found) return true;
  const ProteinNameValue parsed = ProteinNameOf(value.text);
  if (!parsed.found) return false;
  name = parsed.name;
  return true;
}

void ApplyDouble(std::string_view line, double& target) {
  const OptionValue value = ValueAfterColon(line);
  if (value.found) target = ReadLeadingDouble(value.text).value;
}

}  // namespace

TessellationOptions ReadTessellationOptions(std::istream& in) {
  TessellationOptions options;
  ForEachBufferedLine(in, OptionLineBuffer, [&](std::string_view line) {
    if (StartsWith(line, "NOM_PROT") && !ApplyName(line, options.proteinName)) options.nameRefused = true;
    if (StartsWith(line, "RCUT")) ApplyDouble(line, options.rcut);
    if (StartsWith(line, "DCUT")) ApplyDouble(line, options.dcut);
    for (char letter : WeightLetters) {
      const char key[] = {'>', letter, '\0'};
      if (StartsWith(line, key)) ApplyDouble(line, options.weights[letter - 'A']);
    }
  });
  return options;
}

RelaxationOptions ReadRelaxationOptions(std::istream& in) {
  RelaxationOptions options;
  ForEachBufferedLine(in, OptionLineBuffer, [&](std::string_view line) {
    if (StartsWith(line, "NOM_PROT") && !ApplyName(line, options.proteinName)) options.nameRefused = true;
    if (StartsWith(line, "RLX")) {
      const OptionValue value = ValueAfterColon(line);
      if (value.found) {
        options.relaxationCount = ClampToInt(ReadLeadingInteger(value.text).value);
        options.relaxationCountCapped = options.relaxationCount > MaxRelaxationCount;
        if (options.relaxationCountCapped) options.relaxationCount = MaxRelaxationCount;
      }
    }
    if (StartsWith(line, "RCUT")) ApplyDouble(line, options.rcut);
    if (StartsWith(line, "DCUT")) ApplyDouble(line, options.dcut);
    if (StartsWith(line, "EACH")) options.eachPass = true;
    if (StartsWith(line, "ERROR")) options.stopOnError = true;
  });
  return options;
}

double DefaultWeightOf(char letter) {
  for (const LetterWeight& entry : DefaultWeights)
    if (entry.letter == letter) return entry.weight;
  return 0;
}

WeightTable DefaultWeightTable() {
  WeightTable weights{};
  for (const LetterWeight& entry : DefaultWeights) weights[static_cast<std::size_t>(entry.letter - 'A')] = entry.weight;
  return weights;
}

std::string OptionNumberText(double value) {
  // 15 significant digits: what a double shows, as the weights were always written.
  constexpr int kSignificantDigits = 15;
  if (!std::isfinite(value)) return "0";
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof digits, value + 0.0, std::chars_format::general,
                                    kSignificantDigits);
  return std::string(digits, result.ptr);
}

namespace {

std::string CutOffLines() {
  std::string lines = "DCUT:";
  lines.append(OptionNumberText(DefaultDcut)).append("\r\nRCUT:").append(OptionNumberText(DefaultRcut));
  return lines.append("\r\n");
}

}  // namespace

std::string FormatTessellationOptions(std::string_view proteinName, std::span<const LetterWeight> weights) {
  std::string text = "NOM_PROT:" + std::string(proteinName) + "\r\n" + CutOffLines();
  for (const LetterWeight& entry : weights) {
    text += '>';
    text += entry.letter;
    text.append(":").append(OptionNumberText(entry.weight)).append("\r\n");
  }
  return text;
}

namespace {

std::string CutOffText(const char* key, double value) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(key) + ":" + std::string(text, end) +
         " is not a usable cut-off: a positive number of angstroms is expected";
}

}  // namespace

std::string CutOffProblem(double rcut, double dcut) {
  if (!(dcut > 0) || !std::isfinite(dcut)) return CutOffText("DCUT", dcut);
  if (!(rcut > 0) || !std::isfinite(rcut)) return CutOffText("RCUT", rcut);
  return {};
}

std::string FormatRelaxationOptions(std::string_view proteinName, int relaxationCount, bool eachPass,
                                    bool stopOnError) {
  std::string text = "NOM_PROT:" + std::string(proteinName) + "\r\n";
  text += "RLX:" + std::to_string(relaxationCount) + "\r\n";
  text += CutOffLines();
  if (eachPass) text += "EACH\r\n";
  if (stopOnError) text += "ERROR\r\n";
  return text;
}

}  // namespace mirelda::exchange
