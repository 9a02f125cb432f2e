#include "brindel/tessellation_run.h"

#include <string>

#include "brindel/cell_builder.h"
#include "brindel/cell_scene.h"
#include "brindel/contacts.h"
#include "brindel/exchange/cell_lines.h"
#include "brindel/exchange/residue_codes.h"
#include "brindel/power_weight.h"

using namespace mirelda::exchange;

namespace mirelda::tessellation {
namespace {

// Scratch text reused from cell to cell.
struct SceneText {
  std::string points;
  std::vector<std::string> indexLists;
  std::vector<std::array<float, 3>> positions;
};

void WriteSceneBlock(const PointRecord& centre, const Cell& cell, SceneText& text, std::ostream& scene) {
  text.points.clear();
  text.indexLists.clear();
  int base = 0;
  for (const Face& face : cell.faces) {
    text.positions.clear();
    for (const FaceVertex& vertex : face.vertices) {
      text.points += SceneVertexLine(vertex.position);
      text.positions.push_back(vertex.position);
    }
    text.indexLists.push_back(FormatIndexList(FaceVertexOrder(text.positions), base));
    base += static_cast<int>(face.vertices.size());
  }
  scene << SceneOpening(centre.letter, centre.chain, centre.residueNumber) << text.points
        << SceneClosing(text.indexLists, centre.letter, centre.chain, centre.residueNumber);
}

}  // namespace

TessellationOutcome WriteTessellation(const std::vector<PointRecord>& points,
                                      const TessellationOptions& options, const TessellationStreams& out) {
  TessellationOutcome outcome;
  const std::vector<Vec3> positions = PositionsOf(points);
  const std::vector<double> powers = PowerWeights(points, options.weights);
  const std::vector<int> ranks = AminoAcidRanks(points);
  int aminoAcidCount = 0;
  for (int rank : ranks) aminoAcidCount += rank >= 0 ? 1 : 0;
  ContactMatrix contacts(aminoAcidCount);
  CellBuilder builder(positions, powers, options.Rcut2(), options.Dcut2());
  SceneText sceneText;

  out.scene << CellSceneHeader;
  const int pointCount = static_cast<int>(points.size());
  for (int i = 0; i < pointCount; ++i) {
    if (builder.Build(i) == BuildOutcome::TooManyNeighbours) {
      outcome.tooManyNeighbours = true;
      outcome.failedCentre = i;
      return outcome;
    }
    const Cell& cell = builder.GetCell();
    const PointRecord& centre = points[i];
    const bool closed = cell.IsClosed();
    const bool written = closed && !centre.IsEnvironment();
    if (written) WriteSceneBlock(centre, cell, sceneText, out.scene);
    if (centre.letter == EnvironmentLetter) {
      if (written) outcome.sceneBlockShares.push_back(0.0f);
      continue;
    }

    if (!closed) out.errors << FormatBulkWarning(centre.letter, centre.residueNumber, centre.chain);
    // The share is a single-precision percentage, summed face by face.
    float share = 0.0f;
    for (const Face& face : cell.faces) {
      const PointRecord& neighbour = points[face.neighbour];
      out.faces << FormatFaceLine(centre.letter, centre.residueNumber, centre.chain, closed, neighbour.letter,
                                  neighbour.chain, neighbour.residueNumber, face.VertexCount(), face.area,
                                  face.perimeter, face.distance);
      if (neighbour.IsEnvironment()) share = static_cast<float>(share + face.area);
    }
    share = cell.totalArea == 0 ? 0.0f : static_cast<float>(share / cell.totalArea * 100);
    out.cells << FormatCellLine(centre.letter, centre.residueNumber, centre.chain, cell.volume,
                                cell.totalArea, cell.FaceCount(), closed, share);
    if (written) outcome.sceneBlockShares.push_back(share);

    for (const Face& face : cell.faces) {
      contacts.Set(ranks[i], ranks[face.neighbour],
                   ContactCharacter(centre, points[face.neighbour], face.area));
    }
  }
  contacts.Write(out.contacts);
  return outcome;
}

}  // namespace mirelda::tessellation
