// The results of one protein as tab-separated tables for the tools of data analysis: one row per residue
// and one row per face between two residues, with a header line, '.' decimals whatever the locale and NA
// for a missing value.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "mirelda/batch/batch_options.h"
#include "mirelda/batch/batch_pipeline.h"
#include "mirelda/model/residue_records.h"
#include "mirelda/workflow/bfactor_files.h"
#include "mirelda/workflow/grid_model.h"

namespace mirelda::batch {

// The missing value of a field.
inline constexpr std::string_view kMissingField = "NA";

// A table as text fields: the header's names, then one row of as many fields each.
struct TextTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

// "chain resSeq iCode resName aa x y z volume area faces closed exposure bulk class": the chosen point's
// coordinates (pointChoice as the environment dialog names it), the cell's volume, area, faces, closed
// (1/0), the share of the surface facing the environment in percent, in the bulk (1/0) and the class
// (a, b or c) when the class column exists. resSeq and iCode are the file's (iCode NA for none), also
// when residues with an insertion code were renumbered for the tessellation.
TextTable ResidueRows(const workflow::GridModel& tab1, const model::Residues& residues,
                      std::string_view pointChoice, bool classColumn);
// That table as tab-separated lines under the header.
std::string ResiduesTsv(const TextTable& residues);

// The value of each row of the residues table (ResidueRows) that has one, for the B-factor files: its
// exposure, volume or class (a 1, b 2, c 3), under the row's chain, resSeq and iCode.
std::vector<workflow::ResidueValue> BfactorValues(const TextTable& residues, BfactorColumn column);

// "chain1 resSeq1 iCode1 chain2 resSeq2 iCode2 area separation contact": every face between two
// residues, once from each side as the face file lists them, under the residues' file numbers and
// insertion codes; separation is the distance in sequence within one chain (NA between chains), contact
// 1 or 2 as in the contact file.
std::string ContactsTsv(const model::Residues& residues);

struct ResultFilesWritten {
  std::filesystem::path unwritten;    // a table or the JSON document that could not be written completely
  std::vector<std::string> warnings;  // B-factor files left out, and why
};

// Writes NAME.residues.tsv, NAME.contacts.tsv, NAME.json and the B-factor files NAME.bfactor.cif and
// NAME.bfactor.pdb of a run that went through into its results folder. The B-factor files are a view of
// the results, not a result: a structure gemmi cannot rewrite leaves them out with a warning.
ResultFilesWritten WriteResultFiles(const BatchRun& run, const BatchOptions& options);

}  // namespace mirelda::batch
