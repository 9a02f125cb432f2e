// orvane: installs environment points around the protein of file_00 from the sphere-packing template
// spherepack_1.txt, and writes file_01 (protein points, then environment points), environment.wrl and,
// last, the marker test_environnement. No arguments; every file lives in the working folder.
//
// A file that cannot be opened ends the run at once with its "cannot open" message, a non-zero exit
// status (1 for an input, 2 for an output) and no marker, so that the front-end can tell a failed run
// from a finished one. An output that cannot be written or closed completely is reported with its "still
// open" line; the other output is still written, but the run then ends with status 2 and no marker.
#include <cstdio>
#include <fstream>
#include <new>
#include <vector>

#include "brindel/exchange/point_file.h"
#include "brindel/exchange/run_files.h"
#include "orvane/environment_input.h"
#include "orvane/environment_scene.h"
#include "orvane/environment_shell.h"

using namespace mirelda::exchange;
using namespace mirelda::environment;

namespace {

constexpr const char* ProteinFile = "file_00";
constexpr const char* TemplateFile = "spherepack_1.txt";
constexpr const char* PointOutputFile = "file_01";
constexpr const char* SceneFile = "environment.wrl";
// The scene's name as its messages have always spelled it; the front-end's users know these lines.
constexpr const char* SceneFileInMessages = "environement.wrl";

void CannotOpen(const char* name) { std::fprintf(stderr, "cannot open %s\n", name); }
void StillOpen(const char* name) { std::fprintf(stderr, "%s still open\n ", name); }

// Closes an input; a failed close is reported and changes nothing else.
void CloseInput(std::ifstream& in, const char* name) {
  in.clear();
  in.close();
  if (in.fail()) StillOpen(name);
}

// Closes an output; false (and the "still open" line) when it was not written or closed completely.
bool CloseOutput(std::ofstream& out, const char* messageName) {
  out.close();
  if (!out.fail()) return true;
  StillOpen(messageName);
  return false;
}

void EchoPoint(const PointRecord& p) {
  std::fprintf(stderr, "%d %c %f %f %f\n", p.residueNumber, p.chain, p.x, p.y, p.z);
}

}  // namespace

int main() {
  std::ifstream proteinIn(ProteinFile, std::ios::binary);
  if (!proteinIn) {
    CannotOpen(ProteinFile);
    return InputMissing;
  }
  EnvironmentInput input = ReadEnvironmentInput(proteinIn, EchoPoint);
  CloseInput(proteinIn, ProteinFile);
  if (input.outOfMemory) std::fprintf(stderr, "not enough memory\n");

  std::ifstream templateIn(TemplateFile, std::ios::binary);
  if (!templateIn) {
    CannotOpen(TemplateFile);
    return InputMissing;
  }
  const TemplateCell cell = ReadTemplateCell(templateIn);
  CloseInput(templateIn, TemplateFile);

  EnvironmentShell shell = InstallEnvironment(input.protein, input.parameters, cell);
  std::fprintf(stderr, "Nb suppressed points %4d\n", shell.suppressedCount);
  if (shell.outOfMemory) std::fprintf(stderr, "not enough memory\n");
  std::fprintf(stderr, "Nb of environment points : %4d\n", static_cast<int>(shell.environmentPoints.size()));

  std::vector<PointRecord>& points = input.protein;
  try {
    points.insert(points.end(), shell.environmentPoints.begin(), shell.environmentPoints.end());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "not enough memory\n");
    return OutputFailed;
  }
  shell.environmentPoints = {};

  std::ofstream pointsOut(PointOutputFile, std::ios::binary);
  if (!pointsOut) {
    CannotOpen(PointOutputFile);
    return OutputFailed;
  }
  for (std::size_t k = 0; k < points.size(); ++k)
    pointsOut << FormatPointLine(static_cast<int>(k + 1), points[k]);
  bool complete = CloseOutput(pointsOut, PointOutputFile);

  std::ofstream sceneOut(SceneFile, std::ios::binary);
  if (!sceneOut) {
    CannotOpen(SceneFileInMessages);
    return OutputFailed;
  }
  WriteEnvironmentScene(sceneOut, points);
  complete = CloseOutput(sceneOut, SceneFileInMessages) && complete;
  points = {};

  if (!complete) return OutputFailed;
  if (!CreateMarker(EnvironmentMarker)) {
    CannotOpen(EnvironmentMarker);
    return OutputFailed;
  }
  return Success;
}
