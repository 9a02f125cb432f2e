// mirelda-batch: one protein through the front-end's pipeline from the command line, for users with many
// proteins and for end-to-end tests. The console programs and data files are those of the folder of this
// program, which is the working folder of the run, as for the front-end. With --out, many proteins, each
// in a working folder of its own (batch_many.h).
#include <QCoreApplication>
#include <QString>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "mirelda/batch/batch_many.h"
#include "mirelda/batch/batch_options.h"
#include "mirelda/batch/result_json.h"
#include "mirelda/batch/result_tables.h"
#include "mirelda/batch/batch_pipeline.h"
#include "mirelda/batch/residue_listing.h"
#include "mirelda/protocol/folder_lock.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/protein_files.h"

namespace {

constexpr int kExitRefused = 1;     // the command line was refused
constexpr int kExitStepFailed = 2;  // a step of the pipeline failed

void Progress(std::string_view line) { std::cerr << "mirelda-batch: " << line << '\n'; }
void Warning(std::string_view line) { std::cerr << "mirelda-batch: warning: " << line << '\n'; }

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const mirelda::batch::ParsedCommandLine parsed = mirelda::batch::ParseBatchCommandLine(arguments);
  if (parsed.help || parsed.version) {
    std::cout << (parsed.help ? mirelda::batch::BatchUsage() : mirelda::batch::BatchVersion());
    return 0;
  }
  if (!parsed.options) {
    std::cerr << "mirelda-batch: " << parsed.error << "\n(mirelda-batch --help shows the usage)\n";
    return kExitRefused;
  }
  const mirelda::batch::BatchOptions& options = *parsed.options;

  if (!options.outFolder.empty()) {
    // Each protein runs in a child process, which alone starts Qt: a process is forked before any thread.
    const std::filesystem::path programFolder = mirelda::batch::ProgramFolder(argv[0]);
    const auto style = options.quiet               ? mirelda::batch::ProgressStyle::Quiet
                       : isatty(STDERR_FILENO) != 0 ? mirelda::batch::ProgressStyle::Bar
                                                    : mirelda::batch::ProgressStyle::Lines;
    return mirelda::batch::RunProteins(options, style, [&](const mirelda::batch::ProteinJob& job) {
      QCoreApplication application(argc, argv);
      std::setlocale(LC_NUMERIC, "C");
      return mirelda::batch::RunProtein(programFolder, options, job);
    });
  }

  QCoreApplication application(argc, argv);
  // Qt takes the user's locale; every number this program reads or prints uses '.'.
  std::setlocale(LC_NUMERIC, "C");

  const std::filesystem::path appFolder = mirelda::protocol::DefaultAppFolder();
  const mirelda::protocol::FolderLock lock(appFolder);
  if (!lock.Held()) {
    std::cerr << "mirelda-batch: " << lock.Failure() << '\n';
    return kExitStepFailed;
  }

  mirelda::batch::BatchReporter reporter{Progress, Warning, {}};
  if (options.verbose) reporter.programOutput = [](std::string_view chunk) { std::cerr << chunk; };
  const mirelda::batch::BatchRun run = mirelda::batch::RunBatch(appFolder, options, reporter);
  if (!run.Succeeded()) {
    std::cerr << "mirelda-batch: " << run.failure << '\n';
    return kExitStepFailed;
  }

  // The tables for data analysis, the JSON document of the run and the B-factor files, beside the system's
  // own result files.
  const mirelda::batch::ResultFilesWritten written = mirelda::batch::WriteResultFiles(run, options);
  for (const std::string& warning : written.warnings) Warning(warning);
  if (!written.unwritten.empty()) {
    std::cerr << "mirelda-batch: cannot write " << written.unwritten.string() << '\n';
    return kExitStepFailed;
  }

  std::cout << mirelda::batch::ResidueListing(run.session.tab1, run.session.residues, run.assigned);
  std::cout << "Results of " << options.proteinName << ": " << run.session.resultsFolder.string() << '\n';
  if (run.assigned)
    std::cout << mirelda::batch::ClassSummary(run.session.tab1, true);
  else
    std::cout << "classes: not assigned (" << run.noAssignment << ")\n";
  return 0;
}
