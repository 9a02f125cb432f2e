// One tessellation run over a whole point table, written to the result streams: C, F, error and contact
// files and the cell scene. The program opens the files; this writes text only, so it is testable on
// strings.
#pragma once

#include <ostream>
#include <vector>

#include "brindel/cell_scene.h"
#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"

namespace mirelda::tessellation {

struct TessellationStreams {
  std::ostream& cells;     // C file
  std::ostream& faces;     // F file
  std::ostream& errors;    // _error2 file
  std::ostream& contacts;  // _contact file
  std::ostream& scene;     // cell scene
};

struct TessellationOutcome {
  bool tooManyNeighbours = false;  // the run stopped at a centre with more than NeighbourLimit candidates
  int failedCentre = -1;           // that centre's point index, from 0
  // The environment share of the cell of every block of the cell scene, in block order.
  std::vector<float> sceneBlockShares;
  // Where the blocks whose share is not 0 lie in the cell scene's text, adjacent ones as one stretch:
  // premier.wrl repeats them.
  std::vector<SceneStretch> firstLayer;
  int aminoAcidCells = 0;  // cells of amino-acid points written
  int facelessCells = 0;   // of those, cells without any face
};

// Builds every cell and writes its results in point order; the cells may be built on several threads,
// which changes nothing that is written. A centre with too many candidate neighbours stops the run at
// once: what was written for the centres before it stays, the contact file is not written.
TessellationOutcome WriteTessellation(const std::vector<exchange::PointRecord>& points,
                                      const exchange::TessellationOptions& options,
                                      const TessellationStreams& out, int threads = 1);

}  // namespace mirelda::tessellation
