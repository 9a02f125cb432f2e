// The cell scene (one VRML shape per closed amino-acid cell, framed by the markers the front-end edits)
// and the first-layer scene premier.wrl, the copy of the blocks of the cells that touch the environment.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::tessellation {

inline constexpr std::string_view CellSceneHeader =
    "#VRML V2.0 utf8\nInline { url \"../prot.wrl\"}\nInline { url \"../view.wrl\"}\n\n\n";
inline constexpr std::string_view FirstLayerSceneHeader =
    "#VRML V2.0 utf8\nInline { url \"../trace.wrl\"}\nInline { url \"../view.wrl\"}\n\n\n";

// Diffuse colour of the cells of a letter (red, green, blue in 0..1), from the row of the letter's position
// in OneLetterCodes; black for a letter of no residue type.
std::array<double, 3> CellColour(char letter);

// From the opening marker "#AADEB-%c=%c!%d\n" to the point list's opening "point[\n".
std::string SceneOpening(char letter, char chain, int residueNumber);

// "%7.3f %7.3f %7.3f ,\n" of an absolute vertex position.
std::string SceneVertexLine(const std::array<float, 3>& position);
void AppendSceneVertexLine(std::string& out, const std::array<float, 3>& position);

// The order in which a face's vertices go round its centroid: 0 (the first vertex), then the others
// sorted by their angle from the first, measured in single precision in the direction that puts the
// second vertex within half a turn; equal angles keep the recording order.
std::vector<int> FaceVertexOrder(std::span<const std::array<float, 3>> positions);

// One face's index list: base + each entry of the order as "%2d,", then "-1,\n".
std::string FormatIndexList(const std::vector<int>& order, int base);
void AppendIndexList(std::string& out, const std::vector<int>& order, int base);

// From "]}\n" after the point list to the closing marker "#AAFIN-%c=%c!%d\n", with the index lists.
std::string SceneClosing(std::span<const std::string> indexLists, char letter, char chain, int residueNumber);

// A stretch of the cell scene's text: `length` characters from character `offset`.
struct SceneStretch {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

// Adds a stretch at the end of `stretches`, as part of the last one when it follows on from it.
void AddSceneStretch(std::vector<SceneStretch>& stretches, SceneStretch stretch);

// Writes premier.wrl: its header, then the given stretches of the cell scene (the blocks, from their
// "#AADEB" marker to the next, of the cells that touch the environment), copied unchanged through a
// buffer. The copy stops where the scene ends.
void WriteFirstLayerScene(std::istream& cellScene, std::span<const SceneStretch> blocks, std::ostream& out);

}  // namespace mirelda::tessellation
