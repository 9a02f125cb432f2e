// mirelda-batch --out DIR FILE...: many proteins, each into DIR/STEM and run in a private working folder
// of its own (the console programs and data files linked there), so that proteins never share a file and
// several run side by side, each in a child process. One failure never stops the others; every protein
// gets a row of DIR/summary.tsv.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mirelda/batch/batch_options.h"
#include "mirelda/batch/progress_bar.h"
#include "mirelda/batch/summary_table.h"

namespace mirelda::batch {

// Exit statuses of the form with --out.
inline constexpr int kManyAllDone = 0;     // every protein done or skipped
inline constexpr int kManyRefused = 1;     // the command line or the output folder refused: nothing ran
inline constexpr int kManySomeFailed = 2;  // one protein or more failed (summary.tsv says which)

inline constexpr const char* kSummaryFile = "summary.tsv";
// Written last into a protein's folder, holding its summary row: the folder's result is complete.
inline constexpr const char* kCompleteMark = ".complete";
// The private working folder inside a protein's folder; removed once the protein is done, kept for a
// look when it failed (its file "log" has what the run told).
inline constexpr const char* kWorkFolder = ".work";

struct ProteinJob {
  std::filesystem::path file;  // absolute
  std::string stem;
  std::filesystem::path folder;  // DIR/STEM, absolute
};

struct ProteinPlan {
  std::vector<ProteinJob> jobs;  // in the order of the command line
  std::string error;             // why the plan was refused (then no job)
};

// One job per file; refused, before anything runs, for an empty stem or two files of one stem.
ProteinPlan PlanProteins(const std::filesystem::path& outFolder, const std::vector<std::string>& files);

// The row of a complete result left by an earlier run, nullopt when the folder has none.
std::optional<SummaryRow> CompleteResult(const std::filesystem::path& proteinFolder);

// One protein in this process: its folder made afresh with the private working folder, the pipeline run
// there with the stem as its name (a stem that is no valid name runs under a stand-in and its files are
// renamed after the stem), the result files and tables moved into the folder, the completion mark last.
SummaryRow RunProtein(const std::filesystem::path& appFolder, const BatchOptions& options,
                      const ProteinJob& job);

// Runs `work` in a child process of its own (given the job; it returns the job's row).
using ProteinWork = std::function<SummaryRow(const ProteinJob& job)>;

// Every protein of options.proteinFiles: the complete ones skipped unless options.force, the others
// options.jobs at a time, each through `work` in a child process; then DIR/summary.tsv and the counts
// on standard output (unless quiet). Returns one of the exit statuses above.
int RunProteins(const BatchOptions& options, ProgressStyle style, const ProteinWork& work);

// The folder of the running program, where the console programs and data files are.
std::filesystem::path ProgramFolder(const char* argv0);

}  // namespace mirelda::batch
