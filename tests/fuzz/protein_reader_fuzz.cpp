// The front-end's protein reader (PDB ATOM records), with the report and the scenes it builds.
#include "mirelda/model/protein_reader.h"
#include "tests/fuzz/fuzz_target.h"

using namespace mirelda::model;

MIRELDA_FUZZ_TARGET(protein_reader) {
  const ProteinReading reading = ReadProtein(input);
  mirelda::fuzz::Require(!reading.Succeeded() || reading.ResidueCount() > 0,
                         "a reading that succeeds has residues");
}
