// Reads a protein coordinate file (ATOM records) into the residue array in one pass, checking each
// residue against its type, and builds the problem report and the four protein scene texts on the way.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mirelda/model/modified_residues.h"
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
  // Lines of the report: incomplete residues, numbering gaps within a chain, residues left out (unknown
  // type, insertion code, modified residue), models after the first.
  int ProblemCount = 0;
  std::string tampon;  // the report, CR LF lines
  Residues residues;   // indices 1 to residues.ResidueCount()
  ProteinScenes scenes;
  long long atomLines = 0;       // ATOM lines taken into the model
  long long caAtoms = 0;         // CA atoms among them: without any, no CA point can be placed
  int modifiedReadAsParent = 0;  // modified residues read as their parent type (ReadingOptions)

  bool Succeeded() const { return failure.empty(); }
  int ResidueCount() const { return residues.ResidueCount(); }
};

// The failures of a reading that found no atom to take.
// The residue numbers the point files can hold: four characters, -999 to 9999.
inline constexpr int kLowestResidueNumber = -999;
inline constexpr int kHighestResidueNumber = 9999;

inline constexpr std::string_view kNoAtomLineFailure = "no ATOM line in the protein file";
inline constexpr std::string_view kNoKnownResidueFailure = "no residue of a known type in the protein file";

struct ReadingOptions {
  // Modified amino acids (ModifiedResidueByName), in HETATM or ATOM records, read as their parent type
  // instead of being left out.
  bool modifiedAsParent = false;
  // A residue at the number of the one before with another insertion code (53A after 53) is kept and the
  // chain's residues from it on are numbered one further (53, 53A, 54 read as 53, 54, 55), instead of
  // being left out; each residue keeps its file's number and insertion code (DEF_AA::FileNumber).
  bool renumberInsertions = false;
  // Only the atom records of this chain are read (the others as if absent); every chain when unset.
  std::optional<char> chain{};
};

// One atom record as the reading rules see it, whatever the file format it came from.
struct CoordinateRecord {
  bool hetatm = false;
  std::string_view atomName;     // as positions 14-16 of a PDB line hold it, trimmed
  char altLoc = ' ';             // alternate location, blank for none
  std::string_view residueName;  // as positions 18-20 hold it (right-aligned, not trimmed)
  char chain = ' ';
  std::int16_t number = 0;
  char insertionCode = ' ';  // blank for none
  PointTriple position{};
};

// Reads the lines of a protein file one by one (so a caller can keep its windows alive in between),
// then Finish() completes the last residue and the scenes.
//
// Field positions count from 1 in the line after its leading and trailing blanks are cut: record name
// 1-4 ("ATOM"; "HETATM" only for a modified amino acid, every other line is skipped), atom name 14-16
// (trimmed), alternate location 17, residue name 18-20 (as is), chain 22, residue number 23-27 (trimmed,
// decimal prefix, rounded ties to even: "52A" reads 52), insertion code 27 (a character that is not a
// digit), x y z 31-38, 39-46, 47-54. A residue starts wherever the residue number changes; the chain is
// not compared.
//
// What a file holds beyond one protein conformation is left out, never merged into it:
// - Only the first model is read (up to its ENDMDL or the next MODEL); one report line counts the others:
//   "PROBLEM FOR MODELS : " + count + " AFTER THE FIRST LEFT OUT".
// - Of the alternate locations of an atom only the first met is kept (blank or a letter): an atom that
//   the residue already holds under another location is left out, and so is a line with a location
//   whose residue name is not the residue's (another residue in the same place).
// - A residue with the number of the residue being read but another insertion code ("53A" after "53") is
//   left out and reported: "PROBLEM FOR " + name + " " + number + code + " " + chain + " : INSERTION CODE,
//   RESIDUE LEFT OUT".
// - A modified amino acid (ModifiedResidueByName), in HETATM records as the format writes it or in ATOM
//   records, is left out and reported ("PROBLEM FOR MSE 185 A : MODIFIED RESIDUE (MET) LEFT OUT"), unless
//   ReadingOptions reads it as its parent; a numbering gap that such residues fill says so:
//   "PROBLEM BETWEEN W 184 A AND T 186 A : MSE 185 A LEFT OUT".
//
// Choices for input the format leaves unusable:
// - A residue whose name is not a known type (a nucleotide, a D-amino acid, a ligand in ATOM records) is
//   reported ("PROBLEM FOR " + trimmed name + " " + number + " " + chain + " : UNKNOWN RESIDUE SKIPPED") and
//   its ATOM lines are skipped as if absent, so no residue ever lacks a type; its neighbours see a numbering
//   gap.
// - A residue number outside -999..9999 (five digits, written one column too wide) stops the reading with a
//   failure naming the line and the limit: the point files would wrap it and no result would match.
// - A text without any ATOM line fails with kNoAtomLineFailure, one whose residues are all of unknown
//   types with kNoKnownResidueFailure; with a chain chosen, one without any of its ATOM lines names it.
// - A coordinate that reads as infinite ("1E999") stops the reading: no scene could show it.
// - An ATOM line cut before the end of its z coordinate (column 54), or whose residue number field does
//   not start with a number, is reported ("PROBLEM FOR LINE " + line + " : ATOM LINE CUT SHORT SKIPPED")
//   and skipped, rather than read as an atom at the origin of a residue 0.
// - Without any CA atom, the viewpoint stands above the centroid of all atoms read.
// Counts of lines, atoms, residues and problems are not limited to 16 bits.
class ProteinReader {
 public:
  explicit ProteinReader(const ReadingOptions& options = {});
  // One line, with or without its line end ("\n" or "\r\n").
  void ReadLine(std::string_view line);
  // The same rules for a reader of another format: a model starts (the first and every later one), an
  // atom record of the current model, a line of the report about the input itself.
  void StartModel();
  void ReadRecord(const CoordinateRecord& record);
  void ReportInputProblem(const std::string& line);
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
  // The number, insertion code and chain of a residue left out, so that it is reported once.
  struct ResidueKey {
    std::int16_t number = 0;
    char insertionCode = ' ';
    char chain = ' ';
    bool operator==(const ResidueKey&) const = default;
  };

  void StartResidue(const DEF_RESIDU& type, std::string_view atom, char chain, std::int16_t number,
                    const PointTriple& position);
  void CheckCompleteness();
  void ClosePoints(DEF_AA& residue, bool countsForCaOnly);
  void Report(const std::string& line);
  void LeaveOutModified(const CoordinateRecord& record, const ModifiedResidue& modified);
  bool IsOtherLocation(const CoordinateRecord& record, std::string_view residueName,
                       std::string_view atom) const;

  ReadingOptions options_;
  ProteinReading reading_;
  long long lineNumber_ = 0;
  // Models: MODEL records met, and whether the first model has ended (its atoms are all read).
  int models_ = 0;
  bool firstModelEnded_ = false;
  // The previous ATOM line taken (a sentinel number 0 before the first).
  std::int16_t previousNumber_ = 0;
  char previousChain_ = ' ';
  char previousInsertion_ = ' ';
  std::int16_t previousFileNumber_ = 0;
  int insertionShift_ = 0;  // residues with an insertion code so far in the chain (renumberInsertions)
  std::optional<ResidueKey> shiftedFor_;  // the residue that last moved the numbering on
  // The residue being read: its code, residue name, topology, atoms so far (with their alternate
  // locations) and the atoms of its type not yet met.
  std::string code_;
  std::string residueName_;
  std::string topology_;
  std::vector<AtomRecord> atoms_;
  std::vector<std::pair<std::string, char>> locations_;
  bool hasLastC_ = false;
  AtomRecord lastC_;  // the last atom "C" met, kept across the start of the next residue for the peptide bond
  std::string remainingAtoms_;
  Accumulator side_, heavy_, all_;
  Accumulator caAtoms_, everyAtom_;  // for the viewpoint
  // Lines of a residue of unknown type are skipped until the residue number or insertion code changes.
  bool sawAtomLine_ = false;  // any atom record of a chain (ATOM, or a modified residue), taken or not
  bool skipping_ = false;
  std::int16_t skippedNumber_ = 0;
  char skippedInsertion_ = ' ';
  // Residues left out and reported once: the last inserted one, the last modified one.
  std::optional<ResidueKey> insertionLeftOut_;
  std::optional<ResidueKey> modifiedLeftOut_;
  // Residues of the chain that the point files reserve for environment points, left out.
  std::optional<ResidueKey> reservedChainLast_;
  int reservedChainResidues_ = 0;
  int modifiedReadAsParent_ = 0;
  std::optional<ResidueKey> modifiedAsParent_;
  // Modified residues left out since the residue being read started, named by a gap line that they fill.
  struct LeftOut {
    ResidueKey key;
    std::string id;  // "MSE 185 A"
  };
  std::vector<LeftOut> modifiedSinceResidue_;
};

// Reads a whole protein text; `progress`, when given, is called after each line with the count of lines
// read (the place for a user interface to process its pending events).
ProteinReading ReadProtein(std::string_view text, const std::function<void(long long)>& progress = {},
                           const ReadingOptions& options = {});

}  // namespace mirelda::model
