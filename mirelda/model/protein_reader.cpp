#include "mirelda/model/protein_reader.h"

#include <cmath>
#include <limits>

#include "brindel/exchange/text_lines.h"
#include "mirelda/model/decimal_text.h"
#include "mirelda/model/protein_scenes.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/model/scene_numbers.h"

using namespace mirelda::exchange;

namespace mirelda::model {
namespace {

constexpr std::string_view kReportLineEnd = "\r\n";

// Strikes the first "-" + atom + "-" of an atom list out (it becomes "-"); nothing when absent.
void StrikeOut(std::string& atomList, std::string_view atom) {
  const std::string entry = std::string("-").append(atom).append("-");
  if (const std::size_t at = atomList.find(entry); at != std::string::npos)
    atomList.replace(at, entry.size(), 1, '-');
}

std::string Integer(long long value) { return PlainInteger(value); }

}  // namespace

void ProteinReader::Accumulator::Add(const PointTriple& p) {
  for (std::size_t i = 0; i < 3; ++i) sum[i] += p[i];
  ++count;
}

PointTriple ProteinReader::Accumulator::Mean() const {
  const double n = static_cast<double>(count);
  return {sum[0] / n, sum[1] / n, sum[2] / n};
}

ProteinReader::ProteinReader() { BuildResidueTypeTables(); }

namespace {

// The last column of the z coordinate: every whole ATOM line reaches it.
constexpr std::size_t kAtomCoordinatesEnd = 54;

bool StartsWithNumber(std::string_view field) {
  if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
  return !field.empty() && field.front() >= '0' && field.front() <= '9';
}

}  // namespace

void ProteinReader::Report(const std::string& line) {
  reading_.tampon += line;
  reading_.tampon += kReportLineEnd;
  ++reading_.ProblemCount;
}

void ProteinReader::CheckCompleteness() {
  if (remainingAtoms_.empty() || remainingAtoms_ == "-") return;
  Report("PROBLEM FOR " + reading_.residues.ResidueAt(reading_.ResidueCount()).NAME() + " " +
         Integer(previousNumber_) + " " + std::string(1, previousChain_) + " : " +
         remainingAtoms_.substr(1, remainingAtoms_.size() - 2) + " MISSING");
}

void ProteinReader::ClosePoints(DEF_AA& residue, bool countsForCaOnly) {
  if (side_.count != 0) {
    if (countsForCaOnly) reading_.CaOnly = false;
    residue.SetCG(side_.Mean());
  }
  if (heavy_.count != 0) residue.SetCG1(heavy_.Mean());
  if (all_.count != 0) residue.SetCG2(all_.Mean());
}

void ProteinReader::StartResidue(const DEF_RESIDU& type, std::string_view atom, char chain,
                                 std::int16_t number, const PointTriple& position) {
  ProteinScenes& scenes = reading_.scenes;
  Residues& residues = reading_.residues;
  const std::string chainText(1, chain);
  topology_ = type.DRAW;
  code_ = type.R1;
  if (previousNumber_ != 0) {
    const std::string previousCode = residues.ResidueAt(reading_.ResidueCount()).NAME();
    const std::string previousChain(1, previousChain_);
    AppendEndMarker(scenes.prot, previousCode, previousChain, previousNumber_);
    AppendEndMarker(scenes.trace, previousCode, previousChain, previousNumber_);
    AppendEndMarker(scenes.label, previousCode, previousChain, previousNumber_);
  }
  AppendStartMarker(scenes.prot, code_, chainText, number);
  AppendStartMarker(scenes.trace, code_, chainText, number);
  AppendStartMarker(scenes.label, code_, chainText, number);
  CheckCompleteness();
  remainingAtoms_ = type.ATOM;
  StrikeOut(remainingAtoms_, atom);

  const int count = residues.Grow();
  DEF_AA& residue = residues.ResidueAt(count);
  residue.SetNUM(number);
  residue.SetNAME(type.R1);
  residue.SetCHAIN(chainText);
  if (reading_.atomLines == 1) return;  // the first residue: nothing ends here

  DEF_AA& previous = residues.ResidueAt(count - 1);
  if (hasLastC_ && atom == "N" && residue.NUM() - previous.NUM() == 1)
    WriteBond(scenes.prot, lastC_.position, position, BondTarget::Prot);
  atoms_.clear();
  hasLastC_ = false;
  if (number - previousNumber_ >= 2 && chain == previousChain_)
    Report("PROBLEM BETWEEN " + previous.NAME() + " " + Integer(previousNumber_) + " " +
           std::string(1, previousChain_) + " AND " + residue.NAME() + " " + Integer(number) + " " +
           chainText);
  ClosePoints(previous, true);
  side_ = heavy_ = all_ = Accumulator{};
}

void ProteinReader::ReadLine(std::string_view line) {
  ++lineNumber_;
  if (!reading_.Succeeded()) return;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  line = TrimBlanks(line);
  if (line.substr(0, 4) != "ATOM") return;

  const std::string atom(TrimBlanks(FieldAt(line, 14, 3)));
  const std::string_view residueName = FieldAt(line, 18, 3);
  const std::string_view chainField = FieldAt(line, 22, 1);
  const char chain = chainField.empty() ? ' ' : chainField.front();
  const std::string_view numberField = TrimBlanks(FieldAt(line, 23, 5));
  // A line cut before the end of its z coordinate, or without a residue number, would read as an atom
  // at the origin of a residue 0: it is reported and left out.
  if (line.size() < kAtomCoordinatesEnd || !StartsWithNumber(numberField)) {
    Report("PROBLEM FOR LINE " + Integer(lineNumber_) + " : ATOM LINE CUT SHORT SKIPPED");
    return;
  }
  const double numberValue = std::nearbyint(DecimalPrefixValue(numberField));  // ties to even
  if (!(numberValue >= std::numeric_limits<std::int16_t>::min() &&
        numberValue <= std::numeric_limits<std::int16_t>::max())) {
    reading_.failure = "residue number \"" + std::string(numberField) +
                       "\" out of range (-32768 to 32767) in line " + Integer(lineNumber_);
    return;
  }
  const auto number = static_cast<std::int16_t>(numberValue);
  const PointTriple position{DecimalPrefixValue(TrimBlanks(FieldAt(line, 31, 8))),
                             DecimalPrefixValue(TrimBlanks(FieldAt(line, 39, 8))),
                             DecimalPrefixValue(TrimBlanks(FieldAt(line, 47, 8)))};

  if (!(std::isfinite(position[0]) && std::isfinite(position[1]) && std::isfinite(position[2]))) {
    reading_.failure = "coordinate out of range in line " + Integer(lineNumber_);
    return;
  }

  sawAtomLine_ = true;
  if (skipping_ && number == skippedNumber_) return;
  skipping_ = false;
  const bool startsResidue = reading_.atomLines == 0 || number != previousNumber_;
  const DEF_RESIDU* type = nullptr;
  if (startsResidue) {
    type = ResidueTypeByName(residueName);
    if (type == nullptr) {
      Report("PROBLEM FOR " + std::string(TrimBlanks(residueName)) + " " + Integer(number) + " " +
             std::string(1, chain) + " : UNKNOWN RESIDUE SKIPPED");
      skipping_ = true;
      skippedNumber_ = number;
      return;
    }
  }

  ProteinScenes& scenes = reading_.scenes;
  ++reading_.atomLines;
  if (reading_.atomLines == 1) {
    AppendSceneHeader(scenes.prot);
    AppendSceneHeader(scenes.trace);
    AppendSceneHeader(scenes.label);
  }
  if (startsResidue) {
    StartResidue(*type, atom, chain, number, position);
  } else {
    StrikeOut(remainingAtoms_, atom);
  }

  AppendAtomBall(scenes.prot, atom, position);
  Residues& residues = reading_.residues;
  const int count = reading_.ResidueCount();
  if (atom == "CA") {
    caAtoms_.Add(position);
    AppendTraceBall(scenes.trace, position);
    AppendLabel(scenes.label, code_ + Integer(number) + std::string(1, chain), position);
    const DEF_AA& previous = residues.ResidueAt(count - 1);
    if (previous.CA()[0] != 0 && count > 1 && number - previous.NUM() == 1)
      WriteBond(scenes.trace, previous.CA(), position, BondTarget::Trace);
  }
  atoms_.push_back({atom, position});
  if (atom == "C") {
    hasLastC_ = true;
    lastC_ = atoms_.back();
  }
  if (atom != "OXT" && atom != "N") {
    for (const std::string& parent : TopologyParents(topology_, atom)) {
      for (std::size_t i = 0; i + 1 < atoms_.size(); ++i) {
        if (atoms_[i].name == parent) {
          WriteBond(scenes.prot, atoms_[i].position, position, BondTarget::Prot);
          break;
        }
      }
    }
  }

  DEF_AA& residue = residues.ResidueAt(count);
  const bool glycine = residue.NAME() == "G";
  const bool backbone = atom == "N" || atom == "C" || atom == "O" || atom == "OXT";
  if (!backbone && (atom != "CA" || glycine)) side_.Add(position);
  if (!backbone) heavy_.Add(position);
  if (atom != "OXT") all_.Add(position);
  everyAtom_.Add(position);
  if (atom == "CA") residue.SetCA(position);
  if (atom == "CB" || (atom == "CA" && glycine)) residue.SetCB(position);

  previousNumber_ = number;
  previousChain_ = chain;
}

ProteinReading ProteinReader::Finish() {
  if (reading_.Succeeded() && reading_.atomLines == 0)
    reading_.failure =
        sawAtomLine_ ? "no residue of a known type in the protein file" : "no ATOM line in the protein file";
  if (!reading_.Succeeded()) return std::move(reading_);

  ProteinScenes& scenes = reading_.scenes;
  CheckCompleteness();
  DEF_AA& last = reading_.residues.ResidueAt(reading_.ResidueCount());
  ClosePoints(last, false);  // the last residue never clears CaOnly
  const std::string chain(1, previousChain_);
  AppendEndMarker(scenes.prot, code_, chain, previousNumber_);
  AppendEndMarker(scenes.trace, code_, chain, previousNumber_);
  AppendEndMarker(scenes.label, code_, chain, previousNumber_);
  AppendTraceFooter(scenes.trace);
  scenes.view = ViewpointFile(caAtoms_.count != 0 ? caAtoms_.Mean() : everyAtom_.Mean());
  reading_.caAtoms = caAtoms_.count;
  return std::move(reading_);
}

ProteinReading ReadProtein(std::string_view text, const std::function<void(long long)>& progress) {
  ProteinReader reader;
  long long lines = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    reader.ReadLine(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (progress) progress(++lines);
  }
  return reader.Finish();
}

}  // namespace mirelda::model
