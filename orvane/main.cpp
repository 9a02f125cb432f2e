// orvane: installs environment points around the protein of file_00 from the sphere-packing template
// spherepack_1.txt, and writes file_01 (protein points, then environment points), environment.wrl and,
// last, the marker test_environnement. No arguments; every file lives in the working folder.
//
// A template (spherepack_1.txt) that is cut short or holds other text than its numbers ends the run with
// status 1 and a line naming the file and the line; a protein wider than the largest block of template
// copies ends it with status 3. A file that cannot be opened ends the run at once with its "cannot open"
// message, a non-zero exit status (1 for an input, 2 for an output) and no marker, so that the front-end can
// tell a failed run from a finished one. An output that cannot be written or closed completely is reported
// with its "still open" line; the other output is still written, but the run then ends with status 2 and no
// marker.
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

// The "still open" line of a file, as the messages name it.
std::string StillOpen(const char* name) { return std::string(name) + " still open\n "; }

void EchoPoint(const PointRecord& p) {
  std::fprintf(stderr, "%d %c %f %f %f\n", p.residueNumber, p.chain, p.x, p.y, p.z);
}

}  // namespace

int main() {
  RunInput proteinIn(ProteinFile);
  if (!proteinIn.IsOpen()) return InputMissing;
  EnvironmentInput input = ReadEnvironmentInput(proteinIn.Stream(), EchoPoint);
  proteinIn.Close(StillOpen(ProteinFile));
  if (input.outOfMemory) std::fprintf(stderr, "not enough memory\n");

  RunInput templateIn(TemplateFile);
  if (!templateIn.IsOpen()) return InputMissing;
  const TemplateReading templateReading = ReadCheckedTemplateCell(templateIn.Stream());
  templateIn.Close(StillOpen(TemplateFile));
  if (!templateReading.Usable()) {
    // A template cut short or holding other text would give a thin or misplaced shell without a word.
    std::fprintf(stderr, "%s %s\n", TemplateFile, templateReading.Problem().c_str());
    return InputMissing;
  }

  EnvironmentShell shell = InstallEnvironment(input.protein, input.parameters, templateReading.cell);
  if (shell.tooWide) {
    std::fprintf(stderr, "protein too wide for the environment: more than %d copies of the template a side\n",
                 MaxBlocksPerSide);
    return CapacityExceeded;
  }
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

  RunOutput pointsOut(PointOutputFile);
  if (!pointsOut.IsOpen()) return OutputFailed;
  for (std::size_t k = 0; k < points.size(); ++k)
    pointsOut.Stream() << FormatPointLine(static_cast<int>(k + 1), points[k]);
  bool complete = pointsOut.Close(StillOpen(PointOutputFile));

  RunOutput sceneOut(SceneFile, SceneFileInMessages);
  if (!sceneOut.IsOpen()) return OutputFailed;
  WriteEnvironmentScene(sceneOut.Stream(), points);
  complete = sceneOut.Close(StillOpen(SceneFileInMessages)) && complete;
  points = {};

  if (!complete) return OutputFailed;
  return CreateRunMarker(EnvironmentMarker) ? Success : OutputFailed;
}
