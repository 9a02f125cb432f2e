// relaxation: evens out the environment points of file_01 over RLX + 1 passes of ordinary Voronoi cells
// and writes file_02; the error file of the results folder holds the amino acids not in the bulk of the
// last pass, and with EACH a coordinate file is written after every pass.
#include <cstdio>
#include <fstream>
#include <string>

#include "cell_run.h"
#include "environment_relaxation.h"
#include "option_files.h"
#include "point_file.h"
#include "run_files.h"

namespace mirelda {
namespace {

// An output that reports "cannot open %s" when it cannot be created.
bool OpenOutput(std::ofstream& out, const std::string& path) {
  out.open(path, std::ios::binary);
  if (!out) std::fprintf(stderr, "cannot open %s\n", path.c_str());
  return static_cast<bool>(out);
}

std::string PointLine(const EnvironmentRelaxation& relaxation, int i) {
  const PointRecord& point = relaxation.Points()[i];
  if (EnvironmentRelaxation::Moves(point)) {
    const Vec3 moved = relaxation.WrittenPosition(i);
    return FormatPointLine(i + 1, "XXX", EnvironmentChain, point.residueNumber, moved.x, moved.y, moved.z);
  }
  return FormatPointLine(i + 1, point);
}

int Run() {
  std::ifstream optionFile("option.txt", std::ios::binary);
  if (!optionFile) {
    std::fprintf(stderr, "cannot open option.txt\n");
    return InputMissing;
  }
  const RelaxationOptions options = ReadRelaxationOptions(optionFile);
  optionFile.close();
  if (options.nameRefused) {
    std::fprintf(stderr, "protein name refused (a name of 1 to 4 characters without '/' or '\\'); \"%s\" used\n",
                 options.proteinName.c_str());
  }

  std::ifstream pointInput("file_01", std::ios::binary);
  if (!pointInput) {
    std::fprintf(stderr, "cannot open file_01\n");
    return InputMissing;
  }
  PointFile file = ReadPointFile(pointInput);
  pointInput.close();
  if (file.outOfMemory) std::fprintf(stderr, "not enough memory\n");
  const int count = static_cast<int>(file.points.size());

  std::fprintf(stderr, "%s : tessellation on %d points\nRCUT = %f\nDCUT = %f\n\n", options.proteinName.c_str(),
               count, options.rcut, options.dcut);

  EnvironmentRelaxation relaxation(std::move(file.points), options.Rcut2(), options.Dcut2(), ThreadCount());
  const std::string& name = options.proteinName;
  bool stopRequested = false;
  for (int pass = 0; pass <= options.relaxationCount && !stopRequested; ++pass) {
    std::fprintf(stderr, "%s%2d/%2d please wait ...", std::string(21, '\b').c_str(), pass + 1,
                 options.relaxationCount + 1);

    std::ofstream coordinates;
    if (options.eachPass &&
        !OpenOutput(coordinates, ResultPath(name, name + "_R" + std::to_string(pass + 1)))) {
      return OutputFailed;
    }
    std::ofstream errors;
    if (!OpenOutput(errors, ResultPath(name, name + "_error"))) return OutputFailed;
    errors << "RELAXATION:" << pass << '\n';

    const RelaxationPassResult result = relaxation.RunPass(pass);
    if (result.outcome == BuildOutcome::TooManyNeighbours) {
      const PointRecord& point = relaxation.Points()[result.failedCentre];
      std::fprintf(stderr, "IVMAX too small %d %c %c\n", point.residueNumber, point.chain, point.letter);
      return CapacityExceeded;
    }
    for (int i : result.openAminoAcids) {
      const PointRecord& point = relaxation.Points()[i];
      char line[80];
      std::snprintf(line, sizeof line, "WARNING : THIS AA IS NOT IN THE BULK : %c %3d %c\n", point.letter,
                    point.residueNumber, point.chain);
      errors << line;
    }
    if (options.stopOnError && !result.openAminoAcids.empty()) stopRequested = true;
    if (options.eachPass) {
      for (int i = 0; i < count; ++i) coordinates << PointLine(relaxation, i);
      coordinates.close();
      if (!coordinates) std::fprintf(stderr, "fichier coor encore ouvert\n");
    }
    errors.close();
    if (!errors) std::fprintf(stderr, "fichier error encore ouvert\n");
  }
  std::fprintf(stderr, "\n");

  std::ofstream output("file_02", std::ios::binary);
  if (!output) {
    std::fprintf(stderr, "cannot open file_02\n");
    return OutputFailed;
  }
  for (int i = 0; i < count; ++i) output << PointLine(relaxation, i);
  output.close();
  if (!output) {
    std::fprintf(stderr, "file_02 still open\n ");
    return OutputFailed;
  }
  if (!CreateMarker(RelaxationMarker)) return OutputFailed;
  return Success;
}

}  // namespace
}  // namespace mirelda

int main() { return mirelda::Run(); }
