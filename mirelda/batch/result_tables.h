// The results of one protein as tab-separated tables for the tools of data analysis: one row per residue
// and one row per face between two residues, with a header line, '.' decimals whatever the locale and NA
// for a missing value.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "mirelda/batch/batch_pipeline.h"
#include "mirelda/model/residue_records.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::batch {

// "chain resSeq iCode resName aa x y z volume area faces closed exposure bulk class": the chosen point's
// coordinates (pointChoice as the environment dialog names it), the cell's volume, area, faces, closed
// (1/0), the share of the surface facing the environment in percent, in the bulk (1/0) and the class
// (a, b or c) when the class column exists. iCode is NA: residues with an insertion code are left out.
std::string ResiduesTsv(const workflow::GridModel& tab1, const model::Residues& residues,
                        std::string_view pointChoice, bool classColumn);

// "chain1 resSeq1 iCode1 chain2 resSeq2 iCode2 area separation contact": every face between two
// residues, once from each side as the face file lists them; separation is the distance in sequence
// within one chain (NA between chains), contact 1 or 2 as in the contact file.
std::string ContactsTsv(const model::Residues& residues);

// Writes NAME.residues.tsv and NAME.contacts.tsv of a run that went through into its results folder.
// Returns the path of a table that could not be written completely, empty when both were.
std::filesystem::path WriteResultTables(const BatchRun& run, const BatchOptions& options);

}  // namespace mirelda::batch
