// The residue contact matrix of one protein, as the tessellation writes it: row r holds one character per
// residue t, '0' for no face between the two cells and any other character for a contact.
#pragma once

#include <string>
#include <vector>

namespace mirelda::attribution {

// Stands for a character that a row does not have (a row shorter than the matrix) or that lies outside
// the matrix; it is neither '0' nor a contact, and it ends the text of a contact pattern.
inline constexpr char MissingCell = '\0';

class ContactMatrix {
 public:
  ContactMatrix() = default;
  // One row per residue, character t - 1 of row r - 1 being M[r][t]. Characters beyond the number of
  // rows are dropped: a residue outside 1 .. N has no contact.
  explicit ContactMatrix(std::vector<std::string> rows);

  int Size() const { return static_cast<int>(rows_.size()); }
  bool Contains(int residue) const { return residue >= 1 && residue <= Size(); }

  // M[r][t] as it stands, or MissingCell when r or t lies outside 1 .. N or row r is shorter than t.
  char Cell(int r, int t) const;
  // True when M[r][t] is a contact: a character that exists and is not '0'.
  bool Contact(int r, int t) const {
    const char c = Cell(r, t);
    return c != '0' && c != MissingCell;
  }

 private:
  std::vector<std::string> rows_;
};

}  // namespace mirelda::attribution
