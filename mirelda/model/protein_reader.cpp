#include "mirelda/model/protein_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "brindel/exchange/residue_codes.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/model/decimal_text.h"
#include "mirelda/model/protein_scenes.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/model/scene_numbers.h"

using namespace mirelda::exchange;

namespace mirelda::model {
namespace {

constexpr std::string_view kReportLineEnd = "\r\n";
constexpr int kHighestRenumbered = 9999;  // the point file's four digits

// Strikes the first "-" + atom + "-" of an atom list out (it becomes "-"); nothing when absent.
void StrikeOut(std::string& atomList, std::string_view atom) {
  const std::string entry = std::string("-").append(atom).append("-");
  if (const std::size_t at = atomList.find(entry); at != std::string::npos)
    atomList.replace(at, entry.size(), 1, '-');
}

std::string Integer(long long value) { return PlainInteger(value); }

// A record of a PDB line: its name, then a blank or the end of the line ("MODEL        2", "ENDMDL").
bool IsRecord(std::string_view line, std::string_view name) {
  return line.substr(0, name.size()) == name && (line.size() == name.size() || line[name.size()] == ' ');
}

char CharacterOrBlank(std::string_view field) { return field.empty() ? ' ' : field.front(); }

bool IsFinite(const PointTriple& p) {
  return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

// Number, insertion code and chain as a report names a residue: "53A A", "185 A".
std::string ResidueId(const CoordinateRecord& record) {
  std::string id = Integer(record.number);
  if (record.insertionCode != ' ') id += record.insertionCode;
  return id + " " + std::string(1, record.chain);
}

}  // namespace

void ProteinReader::Accumulator::Add(const PointTriple& p) {
  for (std::size_t i = 0; i < 3; ++i) sum[i] += p[i];
  ++count;
}

PointTriple ProteinReader::Accumulator::Mean() const {
  const double n = static_cast<double>(count);
  return {sum[0] / n, sum[1] / n, sum[2] / n};
}

ProteinReader::ProteinReader(const ReadingOptions& options) : options_(options) { BuildResidueTypeTables(); }

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
  if (number - previousNumber_ >= 2 && chain == previousChain_) {
    std::string gap = "PROBLEM BETWEEN " + previous.NAME() + " " + Integer(previousNumber_) + " " +
                      std::string(1, previousChain_) + " AND " + residue.NAME() + " " + Integer(number) +
                      " " + chainText;
    // Modified residues left out in between: the gap is theirs, not missing residues.
    std::string filled;
    for (const LeftOut& leftOut : modifiedSinceResidue_)
      if (leftOut.key.chain == chain && leftOut.key.number > previousNumber_ && leftOut.key.number < number)
        filled += (filled.empty() ? "" : ", ") + leftOut.id;
    if (!filled.empty()) gap += " : " + filled + " LEFT OUT";
    Report(gap);
  }
  modifiedSinceResidue_.clear();
  ClosePoints(previous, true);
  side_ = heavy_ = all_ = Accumulator{};
}

void ProteinReader::ReadLine(std::string_view line) {
  ++lineNumber_;
  if (!reading_.Succeeded()) return;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  line = TrimBlanks(line);
  if (IsRecord(line, "MODEL")) {
    StartModel();
    return;
  }
  if (IsRecord(line, "ENDMDL")) {
    firstModelEnded_ = true;
    return;
  }
  const bool hetatm = line.substr(0, 6) == "HETATM";
  if (!hetatm && line.substr(0, 4) != "ATOM") return;
  // Ligands, ions and water are no part of the chain: their lines are not even cut.
  if (hetatm && ModifiedResidueByName(TrimBlanks(FieldAt(line, 18, 3))) == nullptr) return;
  if (firstModelEnded_) return;

  CoordinateRecord record;
  record.hetatm = hetatm;
  record.atomName = TrimBlanks(FieldAt(line, 14, 3));
  record.altLoc = CharacterOrBlank(FieldAt(line, 17, 1));
  record.residueName = FieldAt(line, 18, 3);
  record.chain = CharacterOrBlank(FieldAt(line, 22, 1));
  const std::string_view numberField = TrimBlanks(FieldAt(line, 23, 5));
  // A line cut before the end of its z coordinate, or without a residue number, would read as an atom
  // at the origin of a residue 0: it is reported and left out.
  if (line.size() < kAtomCoordinatesEnd || !StartsWithNumber(numberField)) {
    Report("PROBLEM FOR LINE " + Integer(lineNumber_) + " : ATOM LINE CUT SHORT SKIPPED");
    return;
  }
  const double numberValue = std::nearbyint(DecimalPrefixValue(numberField));  // ties to even
  if (!(numberValue >= kLowestResidueNumber && numberValue <= kHighestResidueNumber)) {
    reading_.failure = "residue number \"" + std::string(numberField) + "\" in line " + Integer(lineNumber_) +
                       ": the point file holds residue numbers of four digits (" +
                       Integer(kLowestResidueNumber) + " to " + Integer(kHighestResidueNumber) + ")";
    return;
  }
  record.number = static_cast<std::int16_t>(numberValue);
  // A digit in position 27 belongs to a number written one column too wide, not to an insertion code.
  const char code = CharacterOrBlank(FieldAt(line, 27, 1));
  record.insertionCode = code >= '0' && code <= '9' ? ' ' : code;
  record.position = {DecimalPrefixValue(TrimBlanks(FieldAt(line, 31, 8))),
                     DecimalPrefixValue(TrimBlanks(FieldAt(line, 39, 8))),
                     DecimalPrefixValue(TrimBlanks(FieldAt(line, 47, 8)))};
  if (!IsFinite(record.position)) {
    reading_.failure = "coordinate out of range in line " + Integer(lineNumber_);
    return;
  }
  ReadRecord(record);
}

void ProteinReader::StartModel() {
  ++models_;
  if (models_ > 1) firstModelEnded_ = true;
}

void ProteinReader::ReportInputProblem(const std::string& line) {
  if (reading_.Succeeded()) Report(line);
}

void ProteinReader::LeaveOutModified(const CoordinateRecord& record, const ModifiedResidue& modified) {
  const ResidueKey key{record.number, record.insertionCode, record.chain};
  if (modifiedLeftOut_ == key) return;
  modifiedLeftOut_ = key;
  std::string id = std::string(modified.name) + " " + ResidueId(record);
  Report("PROBLEM FOR " + id + " : MODIFIED RESIDUE (" + std::string(modified.parent) + ") LEFT OUT");
  modifiedSinceResidue_.push_back({key, std::move(id)});
}

bool ProteinReader::IsOtherLocation(const CoordinateRecord& record, std::string_view residueName,
                                    std::string_view atom) const {
  if (record.altLoc != ' ' && residueName != residueName_) return true;
  return std::ranges::any_of(locations_, [&](const std::pair<std::string, char>& taken) {
    return taken.first == atom && taken.second != record.altLoc;
  });
}

void ProteinReader::ReadRecord(const CoordinateRecord& record) {
  if (!reading_.Succeeded() || firstModelEnded_) return;
  if (options_.chain && record.chain != *options_.chain) return;
  std::string_view residueName = record.residueName;
  std::string_view atom = record.atomName;
  // Whether a modified residue is in HETATM or ATOM records is the writer's habit: both are one residue.
  const ModifiedResidue* modified = ModifiedResidueByName(TrimBlanks(residueName));
  if (record.hetatm && modified == nullptr) return;
  sawAtomLine_ = true;
  if (record.chain == exchange::EnvironmentChain) {
    // In the point files this chain marks environment points: its residues would become environment.
    const ResidueKey key{record.number, record.insertionCode, record.chain};
    if (reservedChainLast_ != key) ++reservedChainResidues_;
    reservedChainLast_ = key;
    return;
  }
  if (modified != nullptr && !options_.modifiedAsParent) {
    LeaveOutModified(record, *modified);
    return;
  }
  if (modified != nullptr) {
    residueName = modified->parent;
    atom = ParentAtomName(*modified, atom);
    const ResidueKey key{record.number, record.insertionCode, record.chain};
    if (modifiedAsParent_ != key) ++reading_.modifiedReadAsParent;
    modifiedAsParent_ = key;
  }
  const char chain = record.chain;
  std::int16_t number = record.number;
  if (options_.renumberInsertions) {
    if (reading_.atomLines == 0 || chain != previousChain_) insertionShift_ = 0;
    // Within the four digits of the point file only; beyond them the residue is left out as without.
    const bool inserted = reading_.atomLines != 0 && chain == previousChain_ &&
                          record.number == previousFileNumber_ && record.insertionCode != previousInsertion_;
    const ResidueKey key{record.number, record.insertionCode, chain};
    if (inserted && shiftedFor_ != key && record.number + insertionShift_ + 1 <= kHighestRenumbered) {
      ++insertionShift_;
      shiftedFor_ = key;
    }
    if (record.number + insertionShift_ <= kHighestRenumbered)
      number = static_cast<std::int16_t>(record.number + insertionShift_);
  }
  const PointTriple& position = record.position;

  if (skipping_ && number == skippedNumber_ && record.insertionCode == skippedInsertion_) return;
  skipping_ = false;
  if (reading_.atomLines != 0 && number == previousNumber_ && record.insertionCode != previousInsertion_) {
    // Another residue at the number being read: merging it would mix two residues' atoms.
    const ResidueKey key{number, record.insertionCode, chain};
    if (insertionLeftOut_ != key)
      Report("PROBLEM FOR " + std::string(TrimBlanks(record.residueName)) + " " + ResidueId(record) +
             " : INSERTION CODE, RESIDUE LEFT OUT");
    insertionLeftOut_ = key;
    return;
  }
  const bool startsResidue = reading_.atomLines == 0 || number != previousNumber_;
  if (!startsResidue && IsOtherLocation(record, residueName, atom)) return;
  const DEF_RESIDU* type = nullptr;
  if (startsResidue) {
    type = ResidueTypeByName(residueName);
    if (type == nullptr) {
      Report("PROBLEM FOR " + std::string(TrimBlanks(residueName)) + " " + Integer(number) + " " +
             std::string(1, chain) + " : UNKNOWN RESIDUE SKIPPED");
      skipping_ = true;
      skippedNumber_ = number;
      skippedInsertion_ = record.insertionCode;
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
    reading_.residues.ResidueAt(reading_.ResidueCount()).SetFileId(record.number, record.insertionCode);
    residueName_ = residueName;
    locations_.clear();
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
  atoms_.push_back({std::string(atom), position});
  locations_.emplace_back(std::string(atom), record.altLoc);
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
  previousInsertion_ = record.insertionCode;
  previousFileNumber_ = record.number;
}

ProteinReading ProteinReader::Finish() {
  if (reading_.Succeeded() && reading_.atomLines == 0 && reservedChainResidues_ > 0)
    reading_.failure = "every residue is in chain " + std::string(1, exchange::EnvironmentChain) +
                       ", which the point files reserve for environment points";
  if (reading_.Succeeded() && reading_.atomLines == 0 && !sawAtomLine_ && options_.chain)
    reading_.failure = "no ATOM line of chain " + std::string(1, *options_.chain) + " in the protein file";
  if (reading_.Succeeded() && reading_.atomLines == 0)
    reading_.failure = std::string(sawAtomLine_ ? kNoKnownResidueFailure : kNoAtomLineFailure);
  if (!reading_.Succeeded()) return std::move(reading_);

  ProteinScenes& scenes = reading_.scenes;
  CheckCompleteness();
  if (models_ > 1) Report("PROBLEM FOR MODELS : " + Integer(models_ - 1) + " AFTER THE FIRST LEFT OUT");
  if (reservedChainResidues_ > 0)
    Report("PROBLEM FOR CHAIN " + std::string(1, exchange::EnvironmentChain) +
           " : RESERVED FOR ENVIRONMENT POINTS, " + Integer(reservedChainResidues_) + " RESIDUES LEFT OUT");
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

ProteinReading ReadProtein(std::string_view text, const std::function<void(long long)>& progress,
                           const ReadingOptions& options) {
  ProteinReader reader(options);
  long long lines = 0;
  for (const std::string_view line : exchange::SplitLines(text)) {
    reader.ReadLine(line);
    if (progress) progress(++lines);
  }
  return reader.Finish();
}

}  // namespace mirelda::model
