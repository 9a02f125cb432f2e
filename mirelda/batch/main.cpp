// mirelda-batch: one protein through the front-end's pipeline from the command line, for users with many
// proteins and for end-to-end tests. The console programs and data files are those of the folder of this
// program, which is the working folder of the run, as for the front-end.
#include <QCoreApplication>
#include <QLockFile>
#include <QString>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "mirelda/batch/batch_options.h"
#include "mirelda/batch/result_json.h"
#include "mirelda/batch/result_tables.h"
#include "mirelda/batch/batch_pipeline.h"
#include "mirelda/batch/residue_listing.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/protein_files.h"

namespace {

constexpr int kExitRefused = 1;     // the command line was refused
constexpr int kExitStepFailed = 2;  // a step of the pipeline failed
// Runs share the files of the application folder, so two at once would mix them up: the second is
// refused while this lock is held (a lock left by a process that died is taken over).
constexpr const char* kLockFile = "mirelda-batch.lock";

void Progress(std::string_view line) { std::cerr << "mirelda-batch: " << line << '\n'; }
void Warning(std::string_view line) { std::cerr << "mirelda-batch: warning: " << line << '\n'; }

// Writes a table of the results; says so and returns false when it could not be written completely.
bool WriteTable(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (out) return true;
  std::cerr << "mirelda-batch: cannot write " << path << '\n';
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  // Qt takes the user's locale; every number this program reads or prints uses '.'.
  std::setlocale(LC_NUMERIC, "C");

  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const mirelda::batch::ParsedCommandLine parsed = mirelda::batch::ParseBatchCommandLine(arguments);
  if (parsed.help) {
    std::cout << mirelda::batch::BatchUsage();
    return 0;
  }
  if (!parsed.options) {
    std::cerr << "mirelda-batch: " << parsed.error << "\n(mirelda-batch --help shows the usage)\n";
    return kExitRefused;
  }
  const mirelda::batch::BatchOptions& options = *parsed.options;

  const std::filesystem::path appFolder = mirelda::protocol::DefaultAppFolder();
  QLockFile lock(QString::fromStdString((appFolder / kLockFile).string()));
  if (!lock.tryLock(0)) {
    if (lock.error() == QLockFile::LockFailedError)
      std::cerr << "mirelda-batch: the application folder " << appFolder.string()
                << " is in use by another run (" << kLockFile
                << "): runs in one folder go one after another\n";
    else
      std::cerr << "mirelda-batch: cannot write into the application folder " << appFolder.string() << '\n';
    return kExitStepFailed;
  }

  mirelda::batch::BatchReporter reporter{Progress, Warning, {}};
  if (options.verbose) reporter.programOutput = [](std::string_view chunk) { std::cerr << chunk; };
  const mirelda::batch::BatchRun run = mirelda::batch::RunBatch(appFolder, options, reporter);
  if (!run.Succeeded()) {
    std::cerr << "mirelda-batch: " << run.failure << '\n';
    return kExitStepFailed;
  }

  // The tables for data analysis and the JSON document of the run, beside the system's own result files.
  const std::filesystem::path tables = run.session.resultsFolder / options.proteinName;
  const mirelda::batch::TextTable residueRows =
      mirelda::batch::ResidueRows(run.session.tab1, run.session.residues, options.point, run.assigned);
  mirelda::batch::RunCounts counts{run.session.residues.ResidueCount(), run.session.problemCount, run.notInBulk,
                                   run.assigned, {}};
  if (run.session.problemCount > 0)
    if (const auto report = mirelda::workflow::ReadTextFile(appFolder / mirelda::workflow::kProblemReportFile))
      for (const std::string_view line : mirelda::exchange::SplitLines(*report))
        if (!mirelda::exchange::TrimBlanks(line).empty()) counts.problemLines.emplace_back(line);
  if (!WriteTable(tables.string() + ".residues.tsv",
                  mirelda::batch::ResiduesTsv(run.session.tab1, run.session.residues, options.point,
                                              run.assigned)) ||
      !WriteTable(tables.string() + ".contacts.tsv", mirelda::batch::ContactsTsv(run.session.residues)) ||
      !WriteTable(tables.string() + ".json", mirelda::batch::ResultJson(options, counts, residueRows)))
    return kExitStepFailed;
  // The input structure with a residue value in its B-factor column, for the viewers to colour by.
  const std::string bfactor = tables.string() + ".bfactor.";
  const mirelda::workflow::BfactorWriting written = mirelda::workflow::WriteBfactorFiles(
      options.proteinFile, mirelda::batch::BfactorValues(residueRows, options.bfactor), bfactor + "cif",
      bfactor + "pdb");
  // They are a view of the results, not a result: a structure gemmi cannot rewrite leaves them out.
  if (!written.failure.empty())
    Warning("no B-factor files: " + written.failure);
  else if (!written.pdbProblem.empty())
    Warning("no " + bfactor + "pdb, only " + bfactor + "cif: " + written.pdbProblem);

  std::cout << mirelda::batch::ResidueListing(run.session.tab1, run.session.residues, run.assigned);
  std::cout << "Results of " << options.proteinName << ": " << run.session.resultsFolder.string() << '\n';
  if (run.assigned)
    std::cout << mirelda::batch::ClassSummary(run.session.tab1, true);
  else
    std::cout << "classes: not assigned (" << run.noAssignment << ")\n";
  return 0;
}
