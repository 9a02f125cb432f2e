#include "mirelda/results/scene_composer.h"

#include <charconv>

#include "brindel/exchange/scene_blocks.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/model/scene_numbers.h"
#include "mirelda/results/result_numbers.h"
#include "mirelda/results/results_table.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::results {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kKeywordWindow = 12;  // the length of "diffuseColor" and of "transparency"

bool RowHasNumber(const GridModel& tab1, int row, std::string_view number) {
  return TrimBlanks(tab1.TextAt(row, kColumnNumber)) == number;
}

bool RowHasResidue(const GridModel& tab1, int row, const BlockKey& key) {
  if (!RowHasNumber(tab1, row, key.number)) return false;
  if (!key.code) return true;
  const std::string& code = tab1.TextAt(row, kColumnCode);
  const std::string& chain = tab1.TextAt(row, kColumnChain);
  return !code.empty() && code.front() == *key.code && (chain.empty() ? ' ' : chain.front()) == *key.chain;
}

// The row of a marker at or after `from`: the first with the marker's number, code and chain, else the
// first with its number alone (a chain written otherwise in one file); -1 when no row has the number.
int FindRow(const GridModel& tab1, int from, const BlockKey& key) {
  if (key.number.empty() || tab1.Cols() <= kColumnChain) return -1;  // no residue table yet
  for (int r = from; r < tab1.Rows(); ++r)
    if (RowHasResidue(tab1, r, key)) return r;
  for (int r = from; r < tab1.Rows(); ++r)
    if (RowHasNumber(tab1, r, key.number)) return r;
  return -1;
}

std::string Quotient(int byte) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, byte / 256.0);
  return std::string(buffer, result.ptr);
}

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

}  // namespace

std::string DiffuseColourLine(GridColour colour) {
  const auto bits = static_cast<std::uint32_t>(colour);
  return "diffuseColor " + Quotient(static_cast<int>(bits & 0xFFu)) + " " +
         Quotient(static_cast<int>((bits >> 8) & 0xFFu)) + " " +
         Quotient(static_cast<int>((bits >> 16) & 0xFFu));
}

void CopySelectedBlocks(std::string_view source, const GridModel& tab1, int column, std::string& out,
                        int* unmatched, const std::function<void()>& pumpEvents) {
  const bool cellScene = column == kColumnCell;
  int row = 0;  // the search for a marker's row only moves forward
  bool copying = false;
  bool transparent = false;
  GridColour colour = 0;
  for (std::string_view rawLine : SplitLines(source)) {
    const std::string_view line = TrimBlanks(rawLine);
    if (const std::size_t at = line.find(BlockStartMarker); at != std::string_view::npos) {
      const int found = FindRow(tab1, row, ParseBlockMarker(line, at));
      // A block starts afresh at its marker, even when the previous one lacked its end marker.
      copying = false;
      transparent = false;
      if (found < 0) {
        if (unmatched) ++*unmatched;  // left out: no other residue's marks decide for it
      } else {
        row = found;
        if (HasMarkedBackground(tab1, row, column)) {
          copying = true;
          transparent = HasMarkedBackground(tab1, row, kColumnTransparency);
        }
        if (cellScene && kColumnColour < tab1.Cols()) colour = tab1.CellAt(row, kColumnColour).backColour;
      }
    }
    if (line.find(BlockEndMarker) != std::string_view::npos) copying = transparent = false;
    if (copying) {
      const std::string_view head = line.substr(0, kKeywordWindow);
      if (cellScene && head.find("diffuseColor") != std::string_view::npos)
        AppendLine(out, DiffuseColourLine(colour));
      else if (cellScene && head.find("transparency") != std::string_view::npos)
        AppendLine(out, transparent ? "transparency 0.7" : "transparency 0.0");
      else
        AppendLine(out, line);
    }
    if (pumpEvents) pumpEvents();
  }
}

std::vector<SceneSource> ResultSceneSources(std::string_view proteinName,
                                            std::optional<std::string> cellScene,
                                            std::optional<std::string> prot, std::optional<std::string> trace,
                                            std::optional<std::string> label) {
  std::vector<SceneSource> sources;
  sources.push_back({std::string(proteinName) + ".wrl", std::move(cellScene), kColumnCell});
  sources.push_back({"prot.wrl", std::move(prot), kColumnAll});
  sources.push_back({"trace.wrl", std::move(trace), kColumnTrace});
  sources.push_back({"label.wrl", std::move(label), kColumnLabel});
  return sources;
}

ComposedScene ComposeResultScene(const std::vector<SceneSource>& sources, const GridModel& tab1,
                                 const std::function<void()>& pumpEvents) {
  ComposedScene scene;
  AppendLine(scene.text, "#VRML V2.0 utf8");
  AppendLine(scene.text, "Inline {url \"view.wrl\"}");
  for (const SceneSource& source : sources) {
    if (!source.text) {
      scene.problems.push_back(source.name + " is missing: the scene has none of its parts");
      continue;
    }
    int unmatched = 0;
    CopySelectedBlocks(*source.text, tab1, source.column, scene.text, &unmatched, pumpEvents);
    if (unmatched > 0)
      scene.problems.push_back(
          source.name + ": " + PlainInteger(unmatched) +
          " residue marker(s) match no row of the residue table; their parts are left out");
  }
  return scene;
}

}  // namespace mirelda::results
