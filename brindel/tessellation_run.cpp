#include "brindel/tessellation_run.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "brindel/cell_builder.h"
#include "brindel/cell_run.h"
#include "brindel/cell_scene.h"
#include "brindel/contacts.h"
#include "brindel/exchange/cell_lines.h"
#include "brindel/exchange/contact_file.h"
#include "brindel/exchange/residue_codes.h"
#include "brindel/neighbour_grid.h"
#include "brindel/power_weight.h"

using namespace mirelda::exchange;

namespace mirelda::tessellation {
namespace {

// Scratch text reused from cell to cell.
struct SceneText {
  std::string points;
  std::string indexLists;  // every face's list, one after the other
  std::vector<std::array<float, 3>> positions;
  // Each vertex's line, made once for the three faces (or more) that write it: by vertex, where it
  // starts in `lines` and where it ends (start -1 until made).
  std::string lines;
  std::vector<std::pair<int, int>> lineOf;
};

void WriteSceneBlock(const PointRecord& centre, const Cell& cell, SceneText& text, std::string& scene) {
  text.points.clear();
  text.indexLists.clear();
  text.lines.clear();
  text.lineOf.assign(cell.vertices.size(), {-1, -1});
  int base = 0;
  for (const Face& face : cell.faces) {
    text.positions.clear();
    for (const FaceVertex& vertex : face.vertices) {
      auto& [start, end] = text.lineOf[static_cast<std::size_t>(vertex.vertex)];
      if (start < 0) {
        start = static_cast<int>(text.lines.size());
        AppendSceneVertexLine(text.lines, vertex.position);
        end = static_cast<int>(text.lines.size());
      }
      text.points.append(text.lines, static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
      text.positions.push_back(vertex.position);
    }
    AppendIndexList(text.indexLists, FaceVertexOrder(text.positions), base);
    base += static_cast<int>(face.vertices.size());
  }
  scene += SceneOpening(centre.letter, centre.chain, centre.residueNumber);
  scene += text.points;
  scene += SceneClosing({&text.indexLists, 1}, centre.letter, centre.chain, centre.residueNumber);
}

// What one cell writes, made on the thread that built the cell and written in point order.
struct CellResult {
  SceneText sceneText;
  std::string scene, errors, faces, cells;
  bool written = false;  // the cell has a block in the cell scene
  float share = 0.0f;
  std::vector<std::pair<int, char>> contacts;  // amino-acid rank of the neighbour, contact character
};

void DescribeCell(const std::vector<PointRecord>& points, const std::vector<int>& ranks, int i,
                  const Cell& cell, CellResult& result) {
  result.scene.clear();
  result.errors.clear();
  result.faces.clear();
  result.cells.clear();
  result.contacts.clear();
  result.share = 0.0f;
  const PointRecord& centre = points[i];
  const bool closed = cell.IsClosed();
  result.written = closed && !centre.IsEnvironment();
  if (result.written) WriteSceneBlock(centre, cell, result.sceneText, result.scene);
  if (centre.letter == EnvironmentLetter) return;

  if (!closed) result.errors = FormatBulkWarning(centre.letter, centre.residueNumber, centre.chain);
  // The share is a single-precision percentage, summed face by face.
  float share = 0.0f;
  for (const Face& face : cell.faces) {
    const PointRecord& neighbour = points[face.neighbour];
    AppendFaceLine(result.faces, {centre.letter, centre.residueNumber, centre.chain, closed, neighbour.letter,
                                  neighbour.chain, neighbour.residueNumber, face.VertexCount(), face.area,
                                  face.perimeter, face.distance});
    if (neighbour.IsEnvironment()) share = static_cast<float>(share + face.area);
  }
  share = cell.totalArea == 0 ? 0.0f : static_cast<float>(share / cell.totalArea * 100);
  result.cells = FormatCellLine(centre.letter, centre.residueNumber, centre.chain, cell.volume,
                                cell.totalArea, cell.FaceCount(), closed, share);
  result.share = share;
  for (const Face& face : cell.faces) {
    result.contacts.emplace_back(ranks[face.neighbour],
                                 ContactCharacter(centre, points[face.neighbour], face.area));
  }
}

// Whether the point's cell writes anything: an environment point (chain and letter) writes neither a
// scene block nor any line.
bool CellWritesAnything(const PointRecord& point) {
  return !point.IsEnvironment() || point.letter != EnvironmentLetter;
}

// Cells built ahead of writing. One thread writes each cell as soon as it is built; several need a few
// cells each to share out, and no more, since every one keeps its texts: fresh memory costs a fault per
// page on first use, and on some virtual machines the faults of a slot's texts cost more than its cell.
int CellsAhead(int threads) { return threads == 1 ? 1 : std::clamp(8 * threads, 16, 512); }

}  // namespace

TessellationOutcome WriteTessellation(const std::vector<PointRecord>& points,
                                      const TessellationOptions& options, const TessellationStreams& out,
                                      int threads) {
  TessellationOutcome outcome;
  const std::vector<Vec3> positions = PositionsOf(points);
  const std::vector<double> powers = PowerWeights(points, options.weights);
  const std::vector<int> ranks = AminoAcidRanks(points);
  int aminoAcidCount = 0;
  for (int rank : ranks) aminoAcidCount += rank >= 0 ? 1 : 0;
  // A row of the contact file holds the faces of one cell, so it is written as the cell is delivered, and
  // the writing goes on beside the building of later cells. A run that will stop leaves the file empty.
  const NeighbourGrid grid(positions, options.Dcut2());
  const bool crowded = grid.AnyCrowded(NeighbourLimit);
  const bool contactsWritten = !crowded;
  std::string contactRow;
  const int window = CellsAhead(threads);
  std::vector<CellResult> results(static_cast<std::size_t>(window));
  std::vector<char> wanted(points.size());
  std::transform(points.begin(), points.end(), wanted.begin(), CellWritesAnything);

  out.scene << CellSceneHeader;
  std::uint64_t sceneLength = CellSceneHeader.size();
  const int failed = BuildCellsInOrder(
      grid, positions, powers, {options.Rcut2(), options.Dcut2(), threads, CellParts::All, wanted, !crowded},
      window, [&](int slot, int i, const Cell& cell) { DescribeCell(points, ranks, i, cell, results[slot]); },
      [&](int slot, int i) {
        const CellResult& result = results[slot];
        const std::uint64_t blockOffset = sceneLength;
        out.scene << result.scene;
        sceneLength += result.scene.size();
        if (points[i].letter == EnvironmentLetter) {
          if (result.written) outcome.sceneBlockShares.push_back(0.0f);
          return;
        }
        ++outcome.aminoAcidCells;
        if (result.faces.empty()) ++outcome.facelessCells;
        out.errors << result.errors;
        out.faces << result.faces;
        out.cells << result.cells;
        if (result.written) {
          outcome.sceneBlockShares.push_back(result.share);
          if (result.share != 0.0f) AddSceneStretch(outcome.firstLayer, {blockOffset, result.scene.size()});
        }
        if (contactsWritten) {
          FormatContactRow(aminoAcidCount, result.contacts, contactRow);
          out.contacts << contactRow;
        }
      });
  if (failed >= 0) {
    outcome.tooManyNeighbours = true;
    outcome.failedCentre = failed;
  }
  return outcome;
}

}  // namespace mirelda::tessellation
