// Reads a protein coordinate file (ATOM records) into the residue array in one pass, checking each
// residue against its type, and builds the problem report and the four protein scene texts on the way.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mirelda/model/residue_records.h"

namespace mirelda::model {

struct DEF_RESIDU;

// The scene files of a protein, as texts of CR LF lines.
struct ProteinScenes {
  std::string prot;   // prot.wrl: a ball per heavy atom, a stick per bond
  std::string trace;  // trace.wrl: the CA trace, including view.wrl
  std::string label;  // label.wrl: a label beside each CA
  std::string view;   // view.wrl: the viewpoint
};

// What a reading leaves. When `failure` is not empty the reading stopped and nothing else is meaningful.
struct ProteinReading {
  std::string failure;
  // True when no residue but the last had any side-chain atom (a glycine's CA counts as one): then only
  // the CA point can be offered.
  bool CaOnly = true;
  // Lines of the report: incomplete residues, numbering gaps within a chain, residues of unknown type.
  int ProblemCount = 0;
  std::string tampon;  // the report, CR LF lines
  Residues residues;   // indices 1 to residues.ResidueCount()
  ProteinScenes scenes;
  long long atomLines = 0;  // ATOM lines taken into the model
  long long caAtoms = 0;    // CA atoms among them: without any, no CA point can be placed

  bool Succeeded() const { return failure.empty(); }
  int ResidueCount() const { return residues.ResidueCount(); }
};

// Reads the lines of a protein file one by one (so a caller can keep its windows alive in between),
// then Finish() completes the last residue and the scenes.
//
// Field positions count from 1 in the line after its leading and trailing blanks are cut: record name
// 1-4 ("ATOM", any other line is skipped), atom name 14-16 (trimmed), residue name 18-20 (as is), chain
// 22, residue number 23-27 (trimmed, decimal prefix, rounded ties to even: "52A" reads 52), x y z 31-38,
// 39-46, 47-54. A residue starts wherever the residue number changes; chain and insertion code are not
// compared.
//
// Choices for input the format leaves unusable:
// - A residue whose name is not a known type (a nucleotide, a modified amino acid in an ATOM record) is
//   reported ("PROBLEM FOR " + trimmed name + " " + number + " " + chain + " : UNKNOWN RESIDUE SKIPPED") and
//   its ATOM lines are skipped as if absent, so no residue ever lacks a type; its neighbours see a numbering
//   gap.
// - A residue number outside -32768..32767 stops the reading with a failure naming the line.
// - A text without any ATOM line fails with "no ATOM line in the protein file", one whose residues are
//   all of unknown types with "no residue of a known type in the protein file".
// - A coordinate that reads as infinite ("1E999") stops the reading: no scene could show it.
// - An ATOM line cut before the end of its z coordinate (column 54), or whose residue number field does
//   not start with a number, is reported ("PROBLEM FOR LINE " + line + " : ATOM LINE CUT SHORT SKIPPED")
//   and skipped, rather than read as an atom at the origin of a residue 0.
// - Without any CA atom, the viewpoint stands above the centroid of all atoms read.
// Counts of lines, atoms, residues and problems are not limited to 16 bits.
class ProteinReader {
 public:
  ProteinReader();
  // One line, with or without its line end ("\n" or "\r\n").
  void ReadLine(std::string_view line);
  // Ends the reading; the reader is spent afterwards.
  ProteinReading Finish();

 private:
  struct AtomRecord {
    std::string name;
    PointTriple position{};
  };
  struct Accumulator {
    PointTriple sum{};
    long long count = 0;
    void Add(const PointTriple& p);
    PointTriple Mean() const;
  };

  void StartResidue(const DEF_RESIDU& type, std::string_view atom, char chain, std::int16_t number,
                    const PointTriple& position);
  void CheckCompleteness();
  void ClosePoints(DEF_AA& residue, bool countsForCaOnly);
  void Report(const std::string& line);

  ProteinReading reading_;
  long long lineNumber_ = 0;
  // The previous ATOM line taken (a sentinel number 0 before the first).
  std::int16_t previousNumber_ = 0;
  char previousChain_ = ' ';
  // The residue being read: its code, topology, atoms so far and the atoms of its type not yet met.
  std::string code_;
  std::string topology_;
  std::vector<AtomRecord> atoms_;
  bool hasLastC_ = false;
  AtomRecord lastC_;  // the last atom "C" met, kept across the start of the next residue for the peptide bond
  std::string remainingAtoms_;
  Accumulator side_, heavy_, all_;
  Accumulator caAtoms_, everyAtom_;  // for the viewpoint
  // Lines of a residue of unknown type are skipped until the residue number changes.
  bool sawAtomLine_ = false;  // any ATOM line, taken or skipped
  bool skipping_ = false;
  std::int16_t skippedNumber_ = 0;
};

// Reads a whole protein text; `progress`, when given, is called after each line with the count of lines
// read (the place for a user interface to process its pending events).
ProteinReading ReadProtein(std::string_view text, const std::function<void(long long)>& progress = {});

}  // namespace mirelda::model
