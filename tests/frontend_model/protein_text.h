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

}  // namespace mirelda::testing
