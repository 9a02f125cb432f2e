// relaxation: evens out the environment points of file_01 over RLX + 1 passes of ordinary Voronoi cells
// and writes file_02; the error file of the results folder holds the amino acids not in the bulk of the
// last pass, and with EACH a coordinate file is written after every pass.
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "brindel/cell_run.h"
#include "brindel/exchange/cell_lines.h"
#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"
#include "brindel/exchange/run_files.h"
#include "relaxation/environment_relaxation.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda::relaxation {
namespace {

std::string PointLine(const EnvironmentRelaxation& relaxation, int i) {
  const PointRecord& point = relaxation.Points()[i];
  if (EnvironmentRelaxation::Moves(point)) {
    const Vec3 moved = relaxation.WrittenPosition(i);
    return FormatPointLine(i + 1, "XXX", EnvironmentChain, point.residueNumber, moved.x, moved.y, moved.z);
  }
  return FormatPointLine(i + 1, point);
}

int Run() {
  RunInput optionFile("option.txt");
  if (!optionFile.IsOpen()) return InputMissing;
  const RelaxationOptions options = ReadRelaxationOptions(optionFile.Stream());
  optionFile.Close("option.txt still open\n ");
  if (options.nameRefused) ReportRefusedName(options.proteinName);
  if (const std::string problem = CutOffProblem(options.rcut, options.dcut); !problem.empty()) {
    std::fprintf(stderr, "option.txt: %s\n", problem.c_str());
    return InputUnusable;
  }
  if (options.relaxationCountCapped)
    std::fprintf(stderr, "RLX above %d: %d relaxations run\n", MaxRelaxationCount, MaxRelaxationCount);

  RunInput pointInput("file_01");
  if (!pointInput.IsOpen()) return InputMissing;
  PointFile file = ReadPointFile(pointInput.Stream());
  pointInput.Close("file_01 still open\n ");
  if (file.outOfMemory) std::fprintf(stderr, "not enough memory\n");
  const int count = static_cast<int>(file.points.size());

  std::fprintf(stderr, "%s : tessellation on %d points\nRCUT = %f\nDCUT = %f\n\n",
               options.proteinName.c_str(), count, options.rcut, options.dcut);

  EnvironmentRelaxation relaxation(std::move(file.points), options.Rcut2(), options.Dcut2(), ThreadCount());
  const std::string& name = options.proteinName;
  MakeResultsFolder(name);
  bool stopRequested = false;
  for (int pass = 0; pass <= options.relaxationCount && !stopRequested; ++pass) {
    std::fprintf(stderr, "%s%2d/%2d please wait ...", std::string(21, '\b').c_str(), pass + 1,
                 options.relaxationCount + 1);

    std::optional<RunOutput> coordinates;
    if (options.eachPass) {
      coordinates.emplace(ResultPath(name, name + "_R" + std::to_string(pass + 1)));
      if (!coordinates->IsOpen()) return OutputFailed;
    }
    RunOutput errors(ResultPath(name, name + "_error"));
    if (!errors.IsOpen()) return OutputFailed;
    errors.Stream() << "RELAXATION:" << pass << '\n';

    // The error file is rewritten by every pass: the open amino acids of a pass are read only from the
    // last one, or when they are to stop the run.
    const bool lastPass = pass == options.relaxationCount;
    const RelaxationPassResult result = relaxation.RunPass(pass, lastPass || options.stopOnError);
    if (result.outcome == BuildOutcome::TooManyNeighbours) {
      const PointRecord& point = relaxation.Points()[result.failedCentre];
      std::fprintf(stderr, "IVMAX too small %d %c %c\n", point.residueNumber, point.chain, point.letter);
      return CapacityExceeded;
    }
    for (int i : result.openAminoAcids) {
      const PointRecord& point = relaxation.Points()[i];
      errors.Stream() << FormatBulkWarning(point.letter, point.residueNumber, point.chain);
    }
    if (options.stopOnError && !result.openAminoAcids.empty()) stopRequested = true;
    if (coordinates) {
      for (int i = 0; i < count; ++i) coordinates->Stream() << PointLine(relaxation, i);
      if (!coordinates->Close("fichier coor encore ouvert\n")) return OutputFailed;
    }
    if (!errors.Close("fichier error encore ouvert\n")) return OutputFailed;
  }
  std::fprintf(stderr, "\n");

  RunOutput output("file_02");
  if (!output.IsOpen()) return OutputFailed;
  for (int i = 0; i < count; ++i) output.Stream() << PointLine(relaxation, i);
  if (!output.Close("file_02 still open\n ")) return OutputFailed;
  return CreateRunMarker(RelaxationMarker) ? Success : OutputFailed;
}

}  // namespace
}  // namespace mirelda::relaxation

int main() { return mirelda::relaxation::Run(); }
