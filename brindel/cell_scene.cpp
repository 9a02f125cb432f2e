#include "brindel/cell_scene.h"

#include <algorithm>
#include <cmath>

#include "brindel/exchange/fixed_format.h"
#include "brindel/exchange/residue_codes.h"
#include "brindel/exchange/scene_blocks.h"
#include "brindel/tessellation_limits.h"

using namespace mirelda::exchange;

namespace mirelda::tessellation {
namespace {

// Rows by letter - 'A'; B, J, O, X and Z are black.
constexpr double CellColourTable[LetterTableSize][3] = {
    {0.92, 1.00, 0.00}, {0, 0, 0},          {0.62, 1.00, 0.25}, {0.00, 0.40, 1.00}, {0.16, 1.00, 0.65},
    {1.00, 0.48, 0.00}, {0.00, 0.00, 1.00}, {0.00, 1.00, 1.00}, {1.00, 0.16, 0.00}, {0, 0, 0},
    {0.00, 1.00, 0.78}, {1.00, 0.32, 0.00}, {1.00, 0.64, 0.00}, {0.00, 0.60, 1.00}, {0, 0, 0},
    {0.00, 0.02, 1.00}, {0.46, 1.00, 0.38}, {0.77, 1.00, 0.12}, {0.00, 0.80, 1.00}, {0.31, 1.00, 0.52},
    {0.75, 0.72, 0.72}, {1.00, 0.00, 0.00}, {1.00, 0.48, 0.00}, {0, 0, 0},          {1.00, 0.80, 0.00},
    {0, 0, 0}};

std::string Marker(std::string_view kind, char letter, char chain, int residueNumber) {
  return FormatBlockMarker(kind, std::string_view(&letter, 1), std::string_view(&chain, 1), residueNumber) +
         '\n';
}

using Float3 = std::array<float, 3>;

Float3 Minus(const Float3& a, const Float3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Float3 CrossF(const Float3& a, const Float3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
float DotF(const Float3& a, const Float3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The angle between two offsets from the centroid. A degenerate face (a vertex on the centroid) gives a
// NaN cosine: it counts as angle 0 so the order stays defined.
float AngleBetween(const Float3& a, const Float3& b) {
  const float cosine = DotF(a, b) / (std::sqrt(DotF(a, a)) * std::sqrt(DotF(b, b)));
  if (std::isnan(cosine)) return 0.0f;
  return std::acos(std::fmax(-1.0f, std::fmin(1.0f, cosine)));
}

}  // namespace

std::array<double, 3> CellColour(char letter) {
  const double* row = CellColourTable[LetterPosition(letter)];
  return {row[0], row[1], row[2]};
}

std::string SceneOpening(char letter, char chain, int residueNumber) {
  const std::array<double, 3> colour = CellColour(letter);
  std::string text = Marker(BlockStartMarker, letter, chain, residueNumber);
  text += "Shape { appearance Appearance {\n";
  text += "material Material{\ndiffuseColor " + Fixed(colour[0], 4, 2) + ' ' + Fixed(colour[1], 4, 2) + ' ' +
          Fixed(colour[2], 4, 2) + "\nambientIntensity 1 shininess 0.8\ntransparency 0.7\n}}";
  text += "geometry IndexedFaceSet {\ncoord Coordinate {\npoint[\n";
  return text;
}

std::string SceneVertexLine(const std::array<float, 3>& position) {
  std::string line;
  AppendSceneVertexLine(line, position);
  return line;
}

void AppendSceneVertexLine(std::string& out, const std::array<float, 3>& position) {
  AppendFixed(out, position[0], 7, 3);
  out += ' ';
  AppendFixed(out, position[1], 7, 3);
  out += ' ';
  AppendFixed(out, position[2], 7, 3);
  out += " ,\n";
}

std::vector<int> FaceVertexOrder(std::span<const std::array<float, 3>> positions) {
  const int q = static_cast<int>(positions.size());
  std::vector<int> order;
  if (q == 0) return order;
  Float3 centroid = {0, 0, 0};
  for (const Float3& p : positions) centroid = {centroid[0] + p[0], centroid[1] + p[1], centroid[2] + p[2]};
  const float scale = 1.0f / static_cast<float>(q);
  centroid = {centroid[0] * scale, centroid[1] * scale, centroid[2] * scale};

  const Float3 r1 = Minus(positions[0], centroid);
  std::vector<float> angle(static_cast<std::size_t>(q), 0.0f);
  Float3 reference = {0, 0, 0};
  for (int s = 1; s < q; ++s) {
    const Float3 rs = Minus(positions[s], centroid);
    const Float3 normal = CrossF(r1, rs);
    const float theta = AngleBetween(r1, rs);
    if (s == 1) {
      reference = normal;
      angle[s] = theta;
    } else {
      angle[s] = DotF(reference, normal) > 0 ? theta : static_cast<float>(FullTurn - theta);
    }
  }

  order.push_back(0);
  for (int s = 1; s < q; ++s) {
    // Insertion sort: an entry moves only past strictly larger angles, so equal angles keep their order.
    std::size_t at = order.size();
    order.push_back(s);
    while (at > 1 && angle[order[at - 1]] > angle[s]) {
      order[at] = order[at - 1];
      --at;
    }
    order[at] = s;
  }
  return order;
}

std::string FormatIndexList(const std::vector<int>& order, int base) {
  std::string text;
  AppendIndexList(text, order, base);
  return text;
}

void AppendIndexList(std::string& out, const std::vector<int>& order, int base) {
  for (int entry : order) {
    AppendInteger(out, base + entry, 2);
    out += ',';
  }
  out += "-1,\n";
}

std::string SceneClosing(std::span<const std::string> indexLists, char letter, char chain,
                         int residueNumber) {
  std::string text = "]}\nccw FALSE\nsolid FALSE\ncreaseAngle 0.5\n\ncoordIndex\n[\n";
  for (const std::string& list : indexLists) text += list;
  text += "]}}\n";
  text += Marker(BlockEndMarker, letter, chain, residueNumber);
  return text;
}

void AddSceneStretch(std::vector<SceneStretch>& stretches, SceneStretch stretch) {
  if (!stretches.empty() && stretches.back().offset + stretches.back().length == stretch.offset) {
    stretches.back().length += stretch.length;
  } else {
    stretches.push_back(stretch);
  }
}

void WriteFirstLayerScene(std::istream& cellScene, std::span<const SceneStretch> blocks, std::ostream& out) {
  out << FirstLayerSceneHeader;
  std::vector<char> buffer(SceneCopyBuffer);
  for (const SceneStretch& block : blocks) {
    cellScene.clear();
    cellScene.seekg(static_cast<std::streamoff>(block.offset));
    for (std::uint64_t left = block.length; left > 0 && cellScene;) {
      cellScene.read(buffer.data(),
                     static_cast<std::streamsize>(std::min<std::uint64_t>(left, buffer.size())));
      const std::streamsize got = cellScene.gcount();
      if (got <= 0) return;
      out.write(buffer.data(), got);
      left -= static_cast<std::uint64_t>(got);
    }
  }
}

}  // namespace mirelda::tessellation
