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
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "cell_run.h"
#include "cell_scene.h"
#include "option_files.h"
#include "point_file.h"
#include "power_weight.h"
#include "residue_codes.h"
#include "run_files.h"
#include "tessellation_run.h"

namespace mirelda {
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

void CloseInput(std::ifstream& in, const char* closeMessage) {
  in.clear();
  in.close();
  if (in.fail()) std::fputs(closeMessage, stderr);
}

// An output file of the results folder; reports when it cannot be opened.
struct OutputFile {
  std::string path;
  std::ofstream stream;

  explicit OutputFile(std::string filePath) : path(std::move(filePath)), stream(path, std::ios::binary) {
    if (!stream.is_open()) std::fprintf(stderr, "cannot open %s\n", path.c_str());
  }
  // False when the file could not be opened, written or closed.
  bool Close(const char* closeMessage) {
    if (!stream.is_open()) return false;
    stream.close();
    if (stream.fail()) {
      if (closeMessage != nullptr) std::fputs(closeMessage, stderr);
      return false;
    }
    return true;
  }
};

// premier.wrl from the cell scene just written; false when either file failed.
bool WriteFirstLayer(const std::string& proteinName, const std::string& scenePath, bool sceneWritten,
                     const TessellationOutcome& outcome) {
  OutputFile premier(ResultPath(proteinName, "premier.wrl"));
  bool ok = premier.stream.is_open();
  if (!sceneWritten) {
    // The scene on disk (if any) is not this run's: copy nothing from it.
    premier.stream << FirstLayerSceneHeader;
    premier.Close(nullptr);
    return false;
  }
  std::ifstream scene(scenePath, std::ios::binary);
  if (!scene.is_open()) {
    std::fprintf(stderr, "cannot open %s\n", scenePath.c_str());
    premier.stream << FirstLayerSceneHeader;
    premier.Close(nullptr);
    return false;
  }
  WriteFirstLayerScene(scene, outcome.sceneBlockShares, premier.stream);
  ok = premier.Close(nullptr) && ok;
  return ok;
}

int Run() {
  std::ifstream optionInput("option_bis.txt", std::ios::binary);
  if (!optionInput.is_open()) {
    std::fputs("cannot open option_bis.txt\n", stderr);
    return InputMissing;
  }
  const TessellationOptions options = ReadTessellationOptions(optionInput);
  if (options.nameRefused) {
    std::fprintf(stderr, "NOM_PROT: unusable protein name, %s kept\n", options.proteinName.c_str());
  }
  EchoWeights(options);
  CloseInput(optionInput, "option_bis.txt still open\n ");

  std::ifstream pointInput("file_02", std::ios::binary);
  if (!pointInput.is_open()) {
    std::fputs("cannot open file_02\n", stderr);
    return InputMissing;
  }
  PointFile pointFile = ReadPointFile(pointInput);
  if (pointFile.outOfMemory) std::fputs("not enough memory\n", stderr);
  CloseInput(pointInput, "file_02 still open\n ");

  const std::string& name = options.proteinName;
  std::fprintf(stderr, "%s : tessellation on %d points\nRCUT = %f\nDCUT = %f\n\n", name.c_str(),
               static_cast<int>(pointFile.points.size()), options.rcut, options.dcut);
  std::fprintf(stderr, "%d amino acids\n", pointFile.aminoAcidCount);
  std::fputs("tessellation : please wait ...\n", stderr);

  std::error_code ignored;
  if (!std::filesystem::exists(name, ignored)) std::filesystem::create_directory(name, ignored);

  OutputFile cells(ResultPath(name, "C" + name));
  OutputFile faces(ResultPath(name, "F" + name));
  OutputFile errors(ResultPath(name, name + "_error2"));
  OutputFile contacts(ResultPath(name, name + "_contact"));
  OutputFile scene(ResultPath(name, name + ".wrl"));

  const TessellationOutcome outcome = WriteTessellation(
      pointFile.points, options, {cells.stream, faces.stream, errors.stream, contacts.stream, scene.stream},
      ThreadCount());
  if (outcome.tooManyNeighbours) {
    const PointRecord& centre = pointFile.points[outcome.failedCentre];
    std::fprintf(stderr, "IVMAX too small %d %c %c\n", centre.residueNumber, centre.chain, centre.letter);
    return CapacityExceeded;
  }
  pointFile.points.clear();

  bool ok = cells.Close("fichier resultat C encore ouvert\n");
  ok = faces.Close("fichier resultat F encore ouvert\n") && ok;
  ok = errors.Close("fichier error encore ouvert\n") && ok;
  ok = contacts.Close("fichier contact encore ouvert\n") && ok;
  const bool sceneWritten = scene.Close(nullptr);
  ok = sceneWritten && ok;
  ok = WriteFirstLayer(name, scene.path, sceneWritten, outcome) && ok;
  if (!ok) return OutputFailed;

  if (!CreateMarker(TessellationMarker)) {
    std::fprintf(stderr, "cannot open %s\n", TessellationMarker);
    return OutputFailed;
  }
  return Success;
}

}  // namespace
}  // namespace mirelda

int main() { return mirelda::Run(); }
