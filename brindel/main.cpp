// brindel: the weighted Voronoi tessellation of the points of file_02 with the options of
// option_bis.txt, run in the working folder; writes the results into the protein's results folder and
// creates the marker test_tessellation when, and only when, every result was written.
//
// Choices where the file protocol leaves room:
// - Without option_bis.txt or file_02 nothing meaningful can be computed (results under a made-up name,
//   or empty results reported as complete): the run stops with status InputMissing and no marker.
// - A missing results folder is created: the working folder belongs to the system, and the front-end
//   expects the results there.
// - An output file that cannot be opened or written is reported, the other files are still written, and
//   the run ends with OutputFailed and no marker, so a partial result is never taken for a complete one.
// - "IVMAX too small" ends the run with CapacityExceeded and no marker.
// - A negative (or not finite) weight is reported and counts as 0.
// - A DCUT or RCUT that is not a positive number is refused (status InputUnusable) before anything is
//   written. A point set where no amino-acid cell has a face (points all in one plane or on one line, or
//   farther apart than DCUT) is written as such but gives no marker: there is nothing to analyse.
#include <cstdio>
#include <string>

#include "brindel/cell_run.h"
#include "brindel/cell_scene.h"
#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"
#include "brindel/exchange/residue_codes.h"
#include "brindel/exchange/run_files.h"
#include "brindel/power_weight.h"
#include "brindel/tessellation_run.h"

using namespace mirelda::exchange;

namespace mirelda::tessellation {
namespace {

void EchoWeights(const TessellationOptions& options) {
  for (char letter : WeightLetters) std::fprintf(stderr, "%c %6.1f\n", letter, options.weights[letter - 'A']);
  for (char letter : WeightLetters) {
    const double weight = options.weights[letter - 'A'];
    if (IsUnusableWeight(weight)) {
      std::fprintf(stderr, "weight of %c (%.1f) is not a usable weight: taken as 0\n", letter, weight);
    }
  }
}

// premier.wrl from the cell scene just written; false when either file failed.
bool WriteFirstLayer(const std::string& proteinName, const std::string& scenePath, bool sceneWritten,
                     const TessellationOutcome& outcome) {
  RunOutput premier(ResultPath(proteinName, "premier.wrl"));
  bool ok = premier.IsOpen();
  if (!sceneWritten) {
    // The scene on disk (if any) is not this run's: copy nothing from it.
    premier.Stream() << FirstLayerSceneHeader;
    premier.Close();
    return false;
  }
  RunInput scene(scenePath);
  if (!scene.IsOpen()) {
    premier.Stream() << FirstLayerSceneHeader;
    premier.Close();
    return false;
  }
  WriteFirstLayerScene(scene.Stream(), outcome.firstLayer, premier.Stream());
  ok = premier.Close("fichier premier.wrl encore ouvert\n") && ok;
  return ok;
}

int Run() {
  RunInput optionInput("option_bis.txt");
  if (!optionInput.IsOpen()) return InputMissing;
  const TessellationOptions options = ReadTessellationOptions(optionInput.Stream());
  if (options.nameRefused) ReportRefusedName(options.proteinName);
  EchoWeights(options);
  optionInput.Close("option_bis.txt still open\n ");
  if (const std::string problem = CutOffProblem(options.rcut, options.dcut); !problem.empty()) {
    std::fprintf(stderr, "option_bis.txt: %s\n", problem.c_str());
    return InputUnusable;
  }

  RunInput pointInput("file_02");
  if (!pointInput.IsOpen()) return InputMissing;
  PointFile pointFile = ReadPointFile(pointInput.Stream());
  if (pointFile.outOfMemory) std::fputs("not enough memory\n", stderr);
  pointInput.Close("file_02 still open\n ");

  const std::string& name = options.proteinName;
  std::fprintf(stderr, "%s : tessellation on %d points\nRCUT = %f\nDCUT = %f\n\n", name.c_str(),
               static_cast<int>(pointFile.points.size()), options.rcut, options.dcut);
  std::fprintf(stderr, "%d amino acids\n", pointFile.aminoAcidCount);
  std::fputs("tessellation : please wait ...\n", stderr);

  MakeResultsFolder(name);
  RunOutput cells(ResultPath(name, "C" + name));
  RunOutput faces(ResultPath(name, "F" + name));
  RunOutput errors(ResultPath(name, name + "_error2"));
  RunOutput contacts(ResultPath(name, name + "_contact"));
  RunOutput scene(ResultPath(name, name + ".wrl"));

  const TessellationOutcome outcome = WriteTessellation(
      pointFile.points, options,
      {cells.Stream(), faces.Stream(), errors.Stream(), contacts.Stream(), scene.Stream()}, ThreadCount());
  if (outcome.tooManyNeighbours) {
    const PointRecord& centre = pointFile.points[outcome.failedCentre];
    std::fprintf(stderr, "IVMAX too small %d %c %c\n", centre.residueNumber, centre.chain, centre.letter);
    return CapacityExceeded;
  }
  pointFile.points.clear();
  if (outcome.facelessCells > 0) {
    std::fprintf(stderr,
                 "%d of %d cells have no face (no other point within DCUT, or all points in one plane or "
                 "on one line)\n",
                 outcome.facelessCells, outcome.aminoAcidCells);
  }

  bool ok = cells.Close("fichier resultat C encore ouvert\n");
  ok = faces.Close("fichier resultat F encore ouvert\n") && ok;
  ok = errors.Close("fichier error encore ouvert\n") && ok;
  ok = contacts.Close("fichier contact encore ouvert\n") && ok;
  const bool sceneWritten = scene.Close("fichier scene encore ouvert\n");
  ok = sceneWritten && ok;
  ok = WriteFirstLayer(name, scene.Path(), sceneWritten, outcome) && ok;
  if (!ok) return OutputFailed;
  if (outcome.aminoAcidCells > 0 && outcome.facelessCells == outcome.aminoAcidCells) {
    std::fputs("no cell has a face: nothing to analyse\n", stderr);
    return InputUnusable;
  }
  return CreateRunMarker(TessellationMarker) ? Success : OutputFailed;
}

}  // namespace
}  // namespace mirelda::tessellation

int main() { return mirelda::tessellation::Run(); }
