// The per-residue table of a protein's results as rows of text, and delimited text for them: the one
// table that mirelda-batch writes as NAME.residues.tsv and the front-end exports and copies, so that both
// give the same columns. '.' decimals whatever the locale, NA for a missing value.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "mirelda/model/residue_records.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::results {

using TextRow = std::vector<std::string>;

// The chosen point's coordinates (pointChoice as the environment dialog names it), the cell's volume,
// area, faces, closed (1/0), the share of the surface facing the environment in percent, in the bulk
// (1/0) and the class (a, b or c) when the class column exists. resSeq and iCode are the file's (iCode NA
// for none), also when residues with an insertion code were renumbered for the tessellation.
inline constexpr std::array<const char*, 15> kResidueColumns = {
    "chain", "resSeq", "iCode", "resName", "aa",     "x",    "y",    "z",
    "volume", "area",  "faces", "closed",  "exposure", "bulk", "class"};
inline constexpr const char* kMissingValue = "NA";

// The insertion code as the tables show it: NA for none.
inline std::string InsertionCodeText(char code) { return code == ' ' ? kMissingValue : std::string(1, code); }

// One row per residue of tab1 (table rows 1..), header left out; tableRows[k] is the table row of row k.
std::vector<TextRow> ResidueRows(const workflow::GridModel& tab1, const model::Residues& residues,
                                 std::string_view pointChoice, bool classColumn,
                                 std::vector<int>* tableRows = nullptr);

// The columns of one residue's faces, as the face table shows them.
inline constexpr std::array<const char*, 8> kFaceRowColumns = {"n",     "aa",   "resSeq",    "chain",
                                                            "sides", "area", "perimeter", "distance"};
// One row per face of the residue, in the face table's order.
std::vector<TextRow> FaceRows(const model::DEF_AA& residue);

// The header and the rows, one line each, fields between separators. A field holding the separator, a
// quote or a line break is quoted (CSV style); tab-separated tables never need it.
std::string DelimitedText(const std::vector<std::string>& header, const std::vector<TextRow>& rows,
                          char separator);

template <std::size_t N>
std::vector<std::string> HeaderOf(const std::array<const char*, N>& columns) {
  return std::vector<std::string>(columns.begin(), columns.end());
}

}  // namespace mirelda::results
