// The residues of the current protein: DEF_AA (identity, candidate points, cell results), Voisin (one
// neighbour, one face of the cell) and Residues, the 1-based array the protein reader fills.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::model {

// A point triple: indices 0, 1, 2 are x, y, z. (0, 0, 0) means "the residue lacked the atoms for it".
using PointTriple = std::array<double, 3>;

// One neighbour of a residue: the face its cell shares with the neighbour's. A plain record.
struct Voisin {
  std::int16_t NUM = 0;  // number of the neighbour residue
  std::string NOM;       // its one-letter code
  std::string CHA;       // its chain
  std::int16_t NBC = 0;  // number of sides of the face
  double SUR = 0.0;      // area of the face
  double PER = 0.0;      // perimeter of the face
  double DIS = 0.0;      // distance between the two residues' points
};

// One residue. Accessors keep the stored forms: the one-character texts always hold exactly one
// character (a longer text keeps its first, an empty one stores a blank), and the face count is stored
// as a float and read back rounded to the nearest integer, ties to even.
class DEF_AA {
 public:
  std::int16_t NUM() const { return num_; }
  void SetNUM(std::int16_t value) { num_ = value; }
  // The residue's own number and insertion code (blank for none) in its file: NUM() and a blank unless
  // residues with an insertion code were renumbered in order (ReadingOptions::renumberInsertions).
  std::int16_t FileNumber() const { return hasFileId_ ? fileNumber_ : num_; }
  char InsertionCode() const { return insertionCode_; }
  void SetFileId(std::int16_t number, char insertionCode) {
    fileNumber_ = number;
    insertionCode_ = insertionCode;
    hasFileId_ = true;
  }
  std::string NAME() const { return std::string(1, name_); }
  void SetNAME(std::string_view value) { name_ = FirstChar(value); }
  std::string CHAIN() const { return std::string(1, chain_); }
  void SetCHAIN(std::string_view value) { chain_ = FirstChar(value); }

  const PointTriple& CA() const { return ca_; }
  void SetCA(const PointTriple& value) { ca_ = value; }
  const PointTriple& CB() const { return cb_; }
  void SetCB(const PointTriple& value) { cb_ = value; }
  const PointTriple& CG() const { return cg_; }  // side-chain centroid
  void SetCG(const PointTriple& value) { cg_ = value; }
  const PointTriple& CG1() const { return cg1_; }  // centroid of CA and side chain
  void SetCG1(const PointTriple& value) { cg1_ = value; }
  const PointTriple& CG2() const { return cg2_; }  // centroid of all atoms but OXT
  void SetCG2(const PointTriple& value) { cg2_ = value; }

  double PDS() const { return pds_; }
  void SetPDS(double value) { pds_ = value; }
  double VOL() const { return vol_; }
  void SetVOL(double value) { vol_ = value; }
  double SUR() const { return sur_; }
  void SetSUR(double value) { sur_ = value; }
  std::int16_t NBF() const;
  void SetNBF(std::int16_t value) { nbf_ = value; }
  std::string IND() const { return std::string(1, ind_); }
  void SetIND(std::string_view value) { ind_ = FirstChar(value); }
  // The neighbours in face-file order; the j-th neighbour (1-based in the face table) is VOIS()[j - 1].
  const std::vector<Voisin>& VOIS() const { return vois_; }
  void SetVOIS(std::vector<Voisin> value) { vois_ = std::move(value); }
  std::string ATT() const { return std::string(1, att_); }
  void SetATT(std::string_view value) { att_ = FirstChar(value); }
  double EXP() const { return exp_; }
  void SetEXP(double value) { exp_ = value; }

  // The stored face count itself, for a reader that keeps a non-integral value.
  void SetNBFStored(double value) { nbf_ = value; }

 private:
  static constexpr char kPlaceholder = ' ';  // what a one-character text holds before its first write
  static char FirstChar(std::string_view value) { return value.empty() ? ' ' : value.front(); }

  std::int16_t num_ = 0;
  std::int16_t fileNumber_ = 0;
  char insertionCode_ = ' ';
  bool hasFileId_ = false;
  char name_ = kPlaceholder;
  char chain_ = kPlaceholder;
  PointTriple ca_{};
  PointTriple cb_{};
  PointTriple cg_{};
  PointTriple cg1_{};
  PointTriple cg2_{};
  double pds_ = 0.0;
  double vol_ = 0.0;
  double sur_ = 0.0;
  double nbf_ = 0.0;
  char ind_ = kPlaceholder;
  std::vector<Voisin> vois_;
  char att_ = kPlaceholder;
  double exp_ = 0.0;
};

// The residues of the current protein, indices 0 to ResidueCount(); residue k in file order (from 1) is
// at index k and index 0 holds no residue. A slot gets a new empty DEF_AA the first time it is accessed;
// records never move, so a reference stays valid until the array is cleared.
class Residues {
 public:
  void Clear();
  // Adds one empty slot at the end; returns the new ResidueCount().
  int Grow();
  int ResidueCount() const { return static_cast<int>(slots_.size()) - 1; }

  // The record at an index; throws std::out_of_range outside 0..ResidueCount() (a bounds error: the
  // caller's fault, like a run-time error of an array access).
  DEF_AA& ResidueAt(int index);
  // A read that never creates: the record, or nullptr for an empty slot or an index out of bounds.
  const DEF_AA* Find(int index) const;

 private:
  std::vector<std::unique_ptr<DEF_AA>> slots_ = std::vector<std::unique_ptr<DEF_AA>>(1);
};

}  // namespace mirelda::model
