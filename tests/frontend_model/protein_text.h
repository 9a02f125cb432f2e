// Builds protein coordinate text for the reader's tests: ATOM lines in the fixed columns of the format.
#pragma once

#include <cstdio>
#include <string>

namespace mirelda::testing {

struct Atom {
  const char* name;  // up to three characters, written from column 14
  const char* residue;
  char chain;
  int number;
  double x, y, z;
};

// One ATOM line, columns as in the protein file format, ended by "\n".
inline std::string AtomLine(const Atom& atom, int serial = 1) {
  char line[100];
  std::snprintf(line, sizeof line, "ATOM  %5d  %-3s %3s %c%4d    %8.3f%8.3f%8.3f  1.00 20.00           %c\n",
                serial, atom.name, atom.residue, atom.chain, atom.number, atom.x, atom.y, atom.z,
                atom.name[0]);
  return line;
}

// A complete alanine: N, CA, C, O, CB around (x0, 0, 0).
inline std::string Alanine(int number, char chain = 'A', double x0 = 0.0) {
  return AtomLine({"N", "ALA", chain, number, x0 + 0.0, 1.0, 0.5}) +
         AtomLine({"CA", "ALA", chain, number, x0 + 1.0, 1.5, 0.5}) +
         AtomLine({"C", "ALA", chain, number, x0 + 2.0, 1.0, 0.5}) +
         AtomLine({"O", "ALA", chain, number, x0 + 2.0, 0.0, 0.5}) +
         AtomLine({"CB", "ALA", chain, number, x0 + 1.0, 2.5, 1.5});
}

// A residue of which only the CA is present.
inline std::string CaOnlyResidue(const char* residue, int number, char chain = 'A') {
  return AtomLine({"CA", residue, chain, number, 3.8 * number, 1.0, 2.0});
}

// Two complete residues, an alanine and a glycine, in CR LF lines: enough for every point choice to be
// offered.
inline constexpr const char* kTwoResidues =
    "ATOM      1  N   ALA A   1      11.104   6.134  -6.504  1.00  0.00           N\r\n"
    "ATOM      2  CA  ALA A   1      11.639   6.071  -5.147  1.00  0.00           C\r\n"
    "ATOM      3  C   ALA A   1      13.140   5.903  -5.221  1.00  0.00           C\r\n"
    "ATOM      4  O   ALA A   1      13.740   5.440  -6.190  1.00  0.00           O\r\n"
    "ATOM      5  CB  ALA A   1      11.287   7.364  -4.382  1.00  0.00           C\r\n"
    "ATOM      6  N   GLY A   2      13.753   6.294  -4.106  1.00  0.00           N\r\n"
    "ATOM      7  CA  GLY A   2      15.190   6.200  -4.000  1.00  0.00           C\r\n"
    "ATOM      8  C   GLY A   2      15.700   7.500  -3.400  1.00  0.00           C\r\n"
    "ATOM      9  O   GLY A   2      15.000   8.500  -3.300  1.00  0.00           O\r\n";

}  // namespace mirelda::testing
