// The composed scene resultat.wrl: the residues' blocks of the cell scene and of the three protein scenes
// that the toggle columns of the results table select, with each cell's colour and transparency
// rewritten from the table. A pure function from texts and table to text; the file edge is apart.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mirelda/workflow/grid_model.h"

namespace mirelda::results {

inline constexpr std::string_view kComposedSceneFile = "resultat.wrl";

// One source scene: its name (for problems), its text (nullopt when the file is missing) and the toggle
// column that selects its residues.
struct SceneSource {
  std::string name;
  std::optional<std::string> text;
  int column = 0;
};

struct ComposedScene {
  std::string text;                   // CR LF lines
  std::vector<std::string> problems;  // missing sources, markers that match no row
};

// Appends to `out` (CR LF lines) the selected blocks of one source. A start marker "#AADEB-L=K!N" selects
// the row with number N (and, when one follows, code L and chain K) at or after the row of the previous
// marker; the block is copied when that row's cell in `column` is marked. For the cell scene (column 8)
// the diffuseColor line takes the row's "col" background and the transparency line follows its "tra"
// cell. A marker whose residue is not found leaves its block out and is counted in *unmatched.
void CopySelectedBlocks(std::string_view source, const workflow::GridModel& tab1, int column,
                        std::string& out, int* unmatched = nullptr,
                        const std::function<void()>& pumpEvents = {});

// The four sources in their order: the cell scene (column 8), prot.wrl (10), trace.wrl (9), label.wrl
// (11). cellScene is the text of the protein's cell scene (its name + ".wrl").
std::vector<SceneSource> ResultSceneSources(std::string_view proteinName,
                                            std::optional<std::string> cellScene,
                                            std::optional<std::string> prot, std::optional<std::string> trace,
                                            std::optional<std::string> label);

// The whole resultat.wrl: its header (the viewpoint scene included by a relative address), then each
// present source's selected blocks; a missing source is reported and left out.
ComposedScene ComposeResultScene(const std::vector<SceneSource>& sources, const workflow::GridModel& tab1,
                                 const std::function<void()>& pumpEvents = {});

// The colour line of a cell: the three bytes of a 0x00BBGGRR colour, each divided by 256, in the
// shortest exact decimal form with '.' ("diffuseColor 0.91796875 0.99609375 0").
std::string DiffuseColourLine(workflow::GridColour colour);

}  // namespace mirelda::results
