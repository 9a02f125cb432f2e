// The tessellation core against the literal construction (reference_cell_builder.h): every cell, bit for
// bit, on real proteins (CA, CB and all-atom points, with and without environment, weights on and off),
// random sets, jittered and exact grids; and the results written on several threads against one thread,
// byte for byte, up to a stop on too many neighbours. Equal cells give equal files: every output is a
// function of the cells and the point table.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <span>
#include <sstream>
#include <string>

#include "brindel/cell_builder.h"
#include "brindel/cell_run.h"
#include "brindel/exchange/option_files.h"
#include "brindel/exchange/point_file.h"
#include "brindel/neighbour_grid.h"
#include "brindel/power_weight.h"
#include "brindel/tessellation_run.h"
#include "tests/brindel/reference_cell_builder.h"
#include "tests/support/ca_points.h"
#include "tests/support/point_sets.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::exchange;
using namespace mirelda::tessellation;

namespace mirelda {
namespace {

using testing::MakePoint;

bool Same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
bool Same(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }
bool Same(Vec3 a, Vec3 b) { return Same(a.x, b.x) && Same(a.y, b.y) && Same(a.z, b.z); }

// The first difference between two cells, or "" when every value has the same bits.
std::string FirstDifference(const Cell& fast, const Cell& literal) {
  if (fast.state != literal.state) return "state";
  if (fast.faces.size() != literal.faces.size()) return "face count";
  if (fast.vertices.size() != literal.vertices.size()) return "vertex count";
  for (std::size_t v = 0; v < fast.vertices.size(); ++v) {
    if (!Same(fast.vertices[v], literal.vertices[v])) return "vertex " + std::to_string(v);
  }
  for (std::size_t f = 0; f < fast.faces.size(); ++f) {
    const Face& a = fast.faces[f];
    const Face& b = literal.faces[f];
    const std::string face = "face " + std::to_string(f) + ": ";
    if (a.neighbour != b.neighbour) return face + "neighbour";
    if (a.vertices.size() != b.vertices.size()) return face + "vertex count";
    for (std::size_t v = 0; v < a.vertices.size(); ++v) {
      const FaceVertex& p = a.vertices[v];
      const FaceVertex& q = b.vertices[v];
      if (!Same(p.offset, q.offset) || p.previous != q.previous || p.next != q.next ||
          !Same(p.position[0], q.position[0]) || !Same(p.position[1], q.position[1]) ||
          !Same(p.position[2], q.position[2])) {
        return face + "vertex " + std::to_string(v);
      }
    }
    if (!Same(a.area, b.area) || !Same(a.perimeter, b.perimeter) || !Same(a.distance, b.distance) ||
        !Same(a.height, b.height)) {
      return face + "measures";
    }
  }
  if (!Same(fast.volume, literal.volume) || !Same(fast.totalArea, literal.totalArea)) return "cell sums";
  return "";
}

struct Cutoffs {
  double rcut = 10;
  double dcut = 16;
};

// Builds every cell both ways (the fast one from the neighbour grid, as the programs do); reports the
// first centre that differs. Returns the number of centres whose cell was built.
int ExpectSameCells(const std::vector<PointRecord>& points, const std::vector<double>& powers, Cutoffs cut,
                    const std::string& label) {
  const std::vector<Vec3> positions = PositionsOf(points);
  const double rcut2 = cut.rcut * cut.rcut, dcut2 = cut.dcut * cut.dcut;
  const NeighbourGrid grid(positions, dcut2);
  CellBuilder fast(positions, powers, rcut2, dcut2, &grid);
  testing::ReferenceCellBuilder literal(positions, powers, rcut2, dcut2);
  int built = 0;
  for (int i = 0; i < static_cast<int>(points.size()); ++i) {
    const BuildOutcome outcome = literal.Build(i);
    if (fast.Build(i) != outcome) {
      ADD_FAILURE() << label << ": centre " << i << ": outcomes differ";
      return built;
    }
    if (outcome != BuildOutcome::Built) continue;
    ++built;
    const std::string difference = FirstDifference(fast.GetCell(), literal.GetCell());
    if (!difference.empty()) {
      ADD_FAILURE() << label << ": centre " << i << ": " << difference;
      return built;
    }
  }
  return built;
}

// Weights on (the default table) and off (all equal), as the weights dialog allows.
void ExpectSameCellsWithAndWithoutWeights(const std::vector<PointRecord>& points, Cutoffs cut,
                                          const std::string& label) {
  ASSERT_FALSE(points.empty()) << label;
  ExpectSameCells(points, PowerWeights(points, exchange::DefaultWeightTable()), cut, label + ", weights");
  ExpectSameCells(points, PowerWeights(points, WeightTable{}), cut, label + ", equal weights");
}

// The residues' points with the environment shell of orvane around them (default radius and thickness).
std::vector<PointRecord> WithEnvironment(const std::vector<PointRecord>& points) {
  testing::ScratchFolder folder;
  std::filesystem::copy_file(testing::AppDir() / "spherepack_1.txt", folder / "spherepack_1.txt");
  folder.Write("file_00", testing::PointFileText(
                              points, {"DEF RSPHERE 6.5\r", "DEF C_SUPER 0.8\r", "DEF C_SUPPR 3.5\r"}));
  if (testing::RunProgram("orvane", folder.Path()).exitStatus != 0) return {};
  return testing::ReadPointFileAt(folder / "file_01");
}

// Amino-acid names in turn, so that neighbouring points carry different weights.
void CycleNames(std::vector<PointRecord>& points) {
  static const char* const names[] = {"ALA", "TRP", "GLY", "LYS", "PHE", "SER", "ARG", "VAL"};
  for (std::size_t k = 0; k < points.size(); ++k) {
    points[k].name = names[k % 8];
    points[k].letter = LetterOf(points[k].name);
  }
}

TEST(LiteralConstruction, SameCellsOnTheCommittedProteinShell) {
  // CA points of 1A8O inside their relaxed environment shell: the input of a usual run.
  const std::filesystem::path input = testing::TestDataDir() / "brindel/1a8o_shell.pnt";
  ASSERT_TRUE(std::filesystem::exists(input)) << input << " is part of the sources";
  ExpectSameCellsWithAndWithoutWeights(testing::ReadPointFileAt(input), {}, "1a8o shell");
}

TEST(LiteralConstruction, SameCellsOnRealProteins) {
  const char* const entries[] = {"1a1x.pdb", "3n9b.pdb"};
  int found = 0;
  for (const char* entry : entries) {
    const auto pdb = testing::Structure(entry);
    if (!pdb) continue;
    ++found;
    const std::string name = entry;
    ExpectSameCellsWithAndWithoutWeights(testing::ReadResiduePoints(*pdb, testing::ResiduePoint::Ca), {},
                                         name + " CA");
    ExpectSameCellsWithAndWithoutWeights(testing::ReadResiduePoints(*pdb, testing::ResiduePoint::Cb), {},
                                         name + " CB");
    ExpectSameCellsWithAndWithoutWeights(
        testing::ReadResiduePoints(*pdb, testing::ResiduePoint::AllAtomCentroid), {}, name + " CG3");
    ExpectSameCellsWithAndWithoutWeights(
        WithEnvironment(testing::ReadResiduePoints(*pdb, testing::ResiduePoint::Cb)), {},
        name + " CB with environment");
  }
  if (found == 0) GTEST_SKIP() << "the shared structures are absent (" << testing::StructuresDir() << ")";
}

TEST(LiteralConstruction, SameCellsOnRandomPoints) {
  std::mt19937 random(11);
  // At the density of CA points and environment (one point in about 250 cubic angstroms), and five times
  // denser with short cut-offs, where candidates crowd towards the 200 limit.
  for (const auto& [count, side, cut] :
       {std::tuple{1500, 72.0, Cutoffs{}}, std::tuple{600, 23.0, Cutoffs{5, 7}}}) {
    std::uniform_real_distribution<double> coordinate(0, side);
    std::vector<PointRecord> points;
    for (int k = 0; k < count; ++k) {
      // Three decimals, as in the point files.
      const auto at = [&] { return std::round(coordinate(random) * 1000) / 1000; };
      points.push_back(MakePoint(at(), at(), at()));
    }
    // Some points twice: a neighbour at the centre's own position has a plane of zero normal.
    for (int k = 0; k < 20; ++k) points.push_back(points[k * 7]);
    CycleNames(points);
    ExpectSameCellsWithAndWithoutWeights(points, cut, "random " + std::to_string(side));
  }
}

// Power weights far apart, as large as the squared distances between neighbours: planes lie beyond their
// neighbour or behind the centre (negative heights), and some cells vanish.
TEST(LiteralConstruction, SameCellsUnderWeightsAsLargeAsTheSpacing) {
  std::mt19937 random(23);
  std::uniform_real_distribution<double> coordinate(0, 45), weight(0, 80);
  std::vector<PointRecord> points;
  std::vector<double> powers;
  for (int k = 0; k < 900; ++k) {
    points.push_back(MakePoint(coordinate(random), coordinate(random), coordinate(random)));
    powers.push_back(weight(random));
  }
  EXPECT_GT(ExpectSameCells(points, powers, {}, "strong weights"), 0);
}

TEST(LiteralConstruction, SameCellsOnJitteredAndExactGrids) {
  // Exact grids put four or more planes through every vertex and make many triples of coplanar normals
  // whose determinant is zero or a rounding residue: the cells must still be those of the literal
  // construction. Spacings 4 (exact offsets) and 3.8 and 6.1 (rounded ones).
  struct Grid {
    int side;
    double spacing, jitter;
    Cutoffs cut;
  };
  for (const Grid& grid : {Grid{7, 4, 0, {8, 9}}, Grid{7, 3.8, 0, {8, 9}}, Grid{6, 6.1, 0, {10, 16}},
                           Grid{7, 4, 0.25, {8, 9}}, Grid{6, 3.8, 0.001, {10, 16}}}) {
    std::vector<PointRecord> points = testing::JitteredGrid(grid.side, grid.spacing, grid.jitter);
    CycleNames(points);
    std::ostringstream label;
    label << "grid " << grid.side << " x " << grid.spacing << " jitter " << grid.jitter;
    ExpectSameCellsWithAndWithoutWeights(points, grid.cut, label.str());
  }
  // A face-centred cubic lattice: twelve neighbours at one distance, vertices where six cells meet.
  std::vector<PointRecord> fcc;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 5; ++j) {
      for (int k = 0; k < 5; ++k) {
        for (const auto& [dx, dy, dz] : {std::tuple{0, 0, 0}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}}) {
          fcc.push_back(MakePoint(2.9 * (2 * i + dx), 2.9 * (2 * j + dy), 2.9 * (2 * k + dz)));
        }
      }
    }
  }
  ExpectSameCellsWithAndWithoutWeights(fcc, {10, 12}, "fcc");
}

TEST(LiteralConstruction, SameOutcomeAtTheNeighbourLimit) {
  // 200 candidates are accepted, 201 are not: a centre with 200 others within DCUT, then one with 201.
  for (int others : {200, 201}) {
    // The others spread over a sphere just inside DCUT, so that only the centre is crowded.
    std::vector<PointRecord> points = {MakePoint(0, 0, 0)};
    for (int k = 0; k < others; ++k) {
      const double z = 1 - (2 * k + 1.0) / others, r = std::sqrt(1 - z * z), turn = k * 2.399963;
      points.push_back(MakePoint(15.9 * r * std::cos(turn), 15.9 * r * std::sin(turn), 15.9 * z));
    }
    const int built = ExpectSameCells(points, std::vector<double>(points.size(), 0), {10, 16}, "cluster");
    EXPECT_EQ(built, static_cast<int>(points.size()) - (others == 200 ? 0 : 1));
    // The check made before the run, which decides whether the contact file is written, agrees.
    EXPECT_EQ(NeighbourGrid(PositionsOf(points), 16.0 * 16.0).AnyCrowded(NeighbourLimit), others == 201);
  }
}

// Every stream WriteTessellation writes, and its outcome.
struct Written {
  std::string cells, faces, errors, contacts, scene;
  TessellationOutcome outcome;
};

Written Write(const std::vector<PointRecord>& points, const TessellationOptions& options, int threads) {
  std::ostringstream cells, faces, errors, contacts, scene;
  Written written;
  written.outcome = WriteTessellation(points, options, {cells, faces, errors, contacts, scene}, threads);
  written.cells = cells.str();
  written.faces = faces.str();
  written.errors = errors.str();
  written.contacts = contacts.str();
  written.scene = scene.str();
  return written;
}

void ExpectSameWritten(const Written& a, const Written& b) {
  EXPECT_EQ(a.cells, b.cells);
  EXPECT_EQ(a.faces, b.faces);
  EXPECT_EQ(a.errors, b.errors);
  EXPECT_EQ(a.contacts, b.contacts);
  EXPECT_EQ(a.scene, b.scene);
  EXPECT_EQ(a.outcome.tooManyNeighbours, b.outcome.tooManyNeighbours);
  EXPECT_EQ(a.outcome.failedCentre, b.outcome.failedCentre);
  EXPECT_EQ(a.outcome.sceneBlockShares, b.outcome.sceneBlockShares);
}

// The committed 1A8O shell: CA points inside their environment.
std::vector<PointRecord> CommittedShell() {
  return testing::ReadPointFileAt(testing::TestDataDir() / "brindel/1a8o_shell.pnt");
}

// The committed shell, and after its last point a tight cluster (of the given residue name and chain)
// whose first point has too many candidates: more cells than are built ahead of writing are written
// before the stop.
std::vector<PointRecord> ShellThenCluster(const std::string& name = "ALA", char chain = 'B') {
  std::vector<PointRecord> points = CommittedShell();
  for (int k = 0; k < 240; ++k) points.push_back(MakePoint(200 + k * 0.01, 200, 200, name, chain, k + 1));
  return points;
}

TEST(CellRun, WritesTheSameBytesOnAnyNumberOfThreads) {
  std::vector<PointRecord> points = CommittedShell();
  ASSERT_FALSE(points.empty());
  TessellationOptions options;
  options.weights = exchange::DefaultWeightTable();
  const Written one = Write(points, options, 1);
  EXPECT_FALSE(one.outcome.tooManyNeighbours);
  ExpectSameWritten(Write(points, options, 2), one);
  ExpectSameWritten(Write(points, options, 5), one);
}

TEST(CellRun, StopsAtTheSameCentreWithTheSameBytesOnAnyNumberOfThreads) {
  const std::vector<PointRecord> points = ShellThenCluster();
  TessellationOptions options;
  const Written one = Write(points, options, 1);
  ASSERT_TRUE(one.outcome.tooManyNeighbours);
  EXPECT_EQ(one.outcome.failedCentre, static_cast<int>(points.size()) - 240);
  EXPECT_TRUE(one.contacts.empty());
  ExpectSameWritten(Write(points, options, 3), one);
}

// Threads waiting for room in a small window while the run stops at a centre with too many candidates
// must all be released: a stop that only signalled them could come just before one of them waited.
TEST(CellRun, AStopReleasesEveryThreadWaitingForRoom) {
  const std::vector<PointRecord> points = ShellThenCluster();
  const std::vector<Vec3> positions = PositionsOf(points);
  const std::vector<double> powers(positions.size(), 0.0);
  const int failing = static_cast<int>(points.size()) - 240;
  TessellationOptions options;
  for (int repeat = 0; repeat < 40; ++repeat) {
    int delivered = 0;
    const int stop = BuildCellsInOrder(
        positions, powers, {options.Rcut2(), options.Dcut2(), 4, CellParts::VerticesAndState, {}}, 2,
        [](int, int, const Cell&) {}, [&delivered](int, int) { ++delivered; });
    ASSERT_EQ(stop, failing);
    ASSERT_EQ(delivered, failing);
  }
}

// Cells nobody reads are not built, and change nothing of the others: the wanted ones arrive in order,
// each the cell built when every cell is wanted.
TEST(CellRun, CellsNotWantedAreNeitherInspectedNorDelivered) {
  const std::vector<PointRecord> points = CommittedShell();
  ASSERT_FALSE(points.empty());
  const std::vector<Vec3> positions = PositionsOf(points);
  const std::vector<double> powers(positions.size(), 0.0);
  const TessellationOptions options;
  const auto run = [&](std::span<const char> wanted) {
    std::vector<std::vector<Vec3>> vertices(points.size());
    std::vector<int> delivered;
    const int stop = BuildCellsInOrder(
        positions, powers, {options.Rcut2(), options.Dcut2(), 3, CellParts::VerticesAndState, wanted}, 8,
        [&](int, int i, const Cell& cell) { vertices[static_cast<std::size_t>(i)] = cell.vertices; },
        [&](int, int i) { delivered.push_back(i); });
    EXPECT_EQ(stop, -1);
    return std::pair{vertices, delivered};
  };
  std::vector<char> wanted(points.size());
  for (std::size_t i = 0; i < wanted.size(); i += 3) wanted[i] = 1;
  const auto [all, allDelivered] = run({});
  const auto [some, someDelivered] = run(wanted);
  ASSERT_EQ(allDelivered.size(), points.size());
  std::vector<int> expected;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (wanted[i] != 0) {
      expected.push_back(static_cast<int>(i));
      EXPECT_FALSE(some[i].empty());
      EXPECT_TRUE(std::equal(some[i].begin(), some[i].end(), all[i].begin(), all[i].end(),
                             [](Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }));
    } else {
      EXPECT_TRUE(some[i].empty());
    }
  }
  EXPECT_EQ(someDelivered, expected);
}

// An environment point writes nothing, so its cell is not built; with too many candidates it still stops
// the run where it stands, after every cell before it was written.
TEST(CellRun, ACrowdedEnvironmentPointStopsTheRunThoughItsCellIsNotBuilt) {
  const std::vector<PointRecord> shell = CommittedShell();
  ASSERT_FALSE(shell.empty());
  const std::vector<PointRecord> points = ShellThenCluster("XXX", '&');
  TessellationOptions options;
  const Written one = Write(points, options, 1);
  ASSERT_TRUE(one.outcome.tooManyNeighbours);
  EXPECT_EQ(one.outcome.failedCentre, static_cast<int>(shell.size()));
  EXPECT_TRUE(one.contacts.empty());
  const Written whole = Write(shell, options, 1);
  EXPECT_EQ(one.cells, whole.cells);
  EXPECT_EQ(one.faces, whole.faces);
  EXPECT_EQ(one.scene, whole.scene);
  ExpectSameWritten(Write(points, options, 3), one);
}

// Only a point with both the environment chain and the environment letter writes nothing: an environment
// letter on another chain still writes its scene block, and an amino acid on the environment chain its
// lines.
TEST(CellRun, CellsOfMixedEnvironmentMarksAreWritten) {
  std::vector<PointRecord> points = CommittedShell();
  ASSERT_FALSE(points.empty());
  ASSERT_NE(points.front().letter, 'U');
  points.front().chain = '&';
  for (PointRecord& point : points) {
    if (point.letter == 'U') point.chain = 'Z';
  }
  const Written written = Write(points, TessellationOptions{}, 2);
  EXPECT_NE(written.scene.find("#AADEB-U=Z!"), std::string::npos);
  char opening[16];
  std::snprintf(opening, sizeof opening, "%c %4d & ", points.front().letter, points.front().residueNumber);
  EXPECT_EQ(written.cells.substr(0, std::strlen(opening)), opening);
  EXPECT_NE(written.faces.find(opening), std::string::npos);
}

// brindel run in a scratch folder with MIRELDA_THREADS set: its files, messages and exit status.
std::string RunBrindel(const std::vector<PointRecord>& points, const char* threads) {
  testing::ScratchFolder folder;
  folder.Write("option_bis.txt", exchange::FormatTessellationOptions("1a8o", exchange::DefaultWeights));
  folder.Write("file_02", testing::PointFileText(points));
  std::filesystem::create_directory(folder / "1a8o");
  setenv("MIRELDA_THREADS", threads, 1);
  const testing::ProgramRun run = testing::RunProgram("brindel", folder.Path());
  unsetenv("MIRELDA_THREADS");
  return testing::RunRecord(run, folder,
                            {"1a8o/C1a8o", "1a8o/F1a8o", "1a8o/1a8o_error2", "1a8o/1a8o_contact",
                             "1a8o/1a8o.wrl", "1a8o/premier.wrl", "test_tessellation"});
}

TEST(CellRun, BrindelLeavesTheSameFilesOnOneThreadAndOnSeveral) {
  const std::vector<PointRecord> shell = CommittedShell();
  ASSERT_FALSE(shell.empty());
  EXPECT_EQ(RunBrindel(shell, "1"), RunBrindel(shell, "3"));
  // On "IVMAX too small" the files stay as written up to the centre that stopped the run.
  const std::string stopped = RunBrindel(ShellThenCluster(), "1");
  EXPECT_NE(stopped.find("IVMAX too small"), std::string::npos);
  EXPECT_EQ(stopped, RunBrindel(ShellThenCluster(), "3"));
}

}  // namespace
}  // namespace mirelda
