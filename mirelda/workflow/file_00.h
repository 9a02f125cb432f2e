// The point file the front-end writes for the environment step: three parameter lines, then one point
// line per residue whose chosen point exists, with zero-padded numbers in the columns of an ATOM record.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "mirelda/model/residue_records.h"

namespace mirelda::workflow {

// The point line of residue i (its position in the residue array, so serials of skipped residues leave
// gaps), with its "\r\n". Residue numbers from 10000 on are written less 10000. Every ',' becomes '.'.
std::string File00PointLine(int serial, const model::DEF_AA& residue, const model::PointTriple& point);

// The whole of file_00: "DEF RSPHERE " + radius text, "DEF C_SUPER 0.8", "DEF C_SUPPR " + thickness
// text (commas turned into points), then the point lines of the residues whose chosen point is not
// (0, 0, 0). The combo text chooses the point (see AtomChoiceOf).
std::string File00Text(const model::Residues& residues, std::string_view pointChoice,
                       std::string_view radiusText, std::string_view thicknessText);

// The residues whose line in file_00 follows one of the same number (the residues between them had no
// chosen point): the point readers keep only the first of such lines, so each is named in a warning.
std::vector<std::string> File00HiddenResidues(const model::Residues& residues, std::string_view pointChoice);

// Writes file_00 into the application folder; returns what failed, empty on success.
std::string WriteFile00(const std::filesystem::path& appFolder, const model::Residues& residues,
                        std::string_view pointChoice, std::string_view radiusText,
                        std::string_view thicknessText);

}  // namespace mirelda::workflow
