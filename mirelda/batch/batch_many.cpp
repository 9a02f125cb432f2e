#include "mirelda/batch/batch_many.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <system_error>
#include <thread>

#include "brindel/exchange/text_lines.h"
#include "mirelda/batch/batch_pipeline.h"
#include "mirelda/batch/result_tables.h"
#include "mirelda/results/scene_composer.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/pipeline_files.h"
#include "mirelda/workflow/protein_files.h"

namespace mirelda::batch {
namespace {

// The programs of the application folder that a run needs; its data files (workflow::kDataFiles) are
// taken when present (the attribution tables only once they ship).
constexpr const char* kProgramFiles[] = {
    workflow::kEnvironmentProgram.program, workflow::kRelaxationProgram.program,
    workflow::kTessellationProgram.program, workflow::kAttributionProgram.program};

// The name a protein runs under when its stem is not 4 letters or digits; no scene of a results folder
// starts with it, so the renaming after the stem touches only the protein's own files.
constexpr const char* kStandInName = "item";
constexpr const char* kLogFile = "log";
// The number of threads of the console programs (all cores when unset).
constexpr const char* kThreadsVariable = "MIRELDA_THREADS";
// The scenes of a results folder: a stem of one of their names would make its STEM.wrl one of them.
constexpr std::string_view kSceneFiles[] = {workflow::kProtSceneFile,
                                            workflow::kTraceSceneFile,
                                            workflow::kLabelSceneFile,
                                            workflow::kViewSceneFile,
                                            workflow::kEnvironmentScene,
                                            results::kComposedSceneFile,
                                            "premier.wrl"};
// A message longer than this is cut: a row is one line of the summary.
constexpr std::size_t kMessageLimit = 2000;

// A file of the application folder in the working folder: a hard link where the file system allows it,
// a copy otherwise.
void LinkOrCopy(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code linked;
  std::filesystem::create_hard_link(from, to, linked);
  if (linked) std::filesystem::copy_file(from, to);
}

// A result file's name with the stand-in name replaced by the stem: "itemX" and "Citem" forms.
std::string RenamedAfterStem(const std::string& file, const std::string& name, const std::string& stem) {
  if (name == stem) return file;
  if (file.starts_with(name)) return stem + file.substr(name.size());
  if (file.size() == name.size() + 1 && file.substr(1) == name) return file.substr(0, 1) + stem;
  return file;
}

SummaryRow Failure(const ProteinJob& job, std::string message) {
  SummaryRow row;
  row.stem = job.stem;
  row.status = SummaryRow::kFailed;
  row.message = std::move(message);
  return row;
}

int ClassesGiven(const BatchRun& run) {
  if (!run.assigned) return 0;
  const int column = run.session.tab1.Cols() - 1;
  int given = 0;
  for (int row = 1; row < run.session.tab1.Rows(); ++row)
    if (!exchange::TrimBlanks(run.session.tab1.TextAt(row, column)).empty()) ++given;
  return given;
}

// A child's end as the parent sees it: the row it wrote, or a failure saying how it ended.
SummaryRow ChildRow(const ProteinJob& job, const std::string& written, int status) {
  if (const auto row = ParseSummaryLine(written); row && row->stem == job.stem) return *row;
  if (WIFSIGNALED(status)) return Failure(job, "the run ended on signal " + std::to_string(WTERMSIG(status)));
  return Failure(job, "the run ended without a result (status " +
                          std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ")");
}

struct Child {
  std::size_t index = 0;
  int pipe = -1;
};

}  // namespace

ProteinPlan PlanProteins(const std::filesystem::path& outFolder, const std::vector<std::string>& files) {
  ProteinPlan plan;
  const std::filesystem::path out = std::filesystem::absolute(outFolder);
  std::map<std::string, std::string> fileOfStem;
  for (const std::string& file : files) {
    ProteinJob job;
    job.file = std::filesystem::absolute(file);
    job.stem = workflow::ProteinStem(file);
    if (job.stem.empty() || job.stem == "." || job.stem == ".." || job.stem.front() == '.' ||
        job.stem == kSummaryFile) {
      plan.error = "\"" + file + "\" gives no usable folder name (" + job.stem + ")";
      plan.jobs.clear();
      return plan;
    }
    if (std::ranges::any_of(kSceneFiles,
                            [&job](std::string_view scene) { return scene == job.stem + ".wrl"; })) {
      plan.error = "\"" + file + "\" would give " + job.stem +
                   ".wrl, the name of a scene of its folder: " + "rename the file";
      plan.jobs.clear();
      return plan;
    }
    if (const auto [at, added] = fileOfStem.emplace(job.stem, file); !added) {
      plan.error = "\"" + at->second + "\" and \"" + file + "\" would both go to " +
                   (out / job.stem).string() + ": give each protein a file name of its own";
      plan.jobs.clear();
      return plan;
    }
    job.folder = out / job.stem;
    plan.jobs.push_back(std::move(job));
  }
  return plan;
}

std::optional<SummaryRow> CompleteResult(const std::filesystem::path& proteinFolder) {
  std::ifstream in(proteinFolder / kCompleteMark, std::ios::binary);
  if (!in) return std::nullopt;
  std::string line;
  std::getline(in, line);
  auto row = ParseSummaryLine(line);
  if (!row || row->status != SummaryRow::kDone) return std::nullopt;
  return row;
}

SummaryRow RunProtein(const std::filesystem::path& appFolder, const BatchOptions& options,
                      const ProteinJob& job) {
  const auto started = std::chrono::steady_clock::now();
  const std::filesystem::path work = job.folder / kWorkFolder;
  std::error_code error;
  std::filesystem::remove_all(job.folder, error);
  if (error) return Failure(job, "cannot empty " + job.folder.string() + ": " + error.message());
  try {
    std::filesystem::create_directories(work);
    for (const char* file : kProgramFiles) LinkOrCopy(appFolder / file, work / file);
    for (const char* file : workflow::kDataFiles)
      if (std::filesystem::exists(appFolder / file)) LinkOrCopy(appFolder / file, work / file);
  } catch (const std::filesystem::filesystem_error& failure) {
    return Failure(job, std::string("cannot set up the working folder: ") + failure.what());
  }

  BatchOptions one = options;
  one.proteinFile = job.file.string();
  one.proteinName = workflow::IsValidProteinName(job.stem) ? job.stem : kStandInName;
  std::ofstream log(work / kLogFile, std::ios::binary);
  BatchReporter reporter;
  reporter.progress = [&log](std::string_view line) { log << line << '\n'; };
  reporter.warning = [&log](std::string_view line) { log << "warning: " << line << '\n'; };
  reporter.programOutput = [&log](std::string_view chunk) { log << chunk; };
  const BatchRun run = RunBatch(work, one, reporter);

  SummaryRow row;
  row.stem = job.stem;
  if (run.session.residues.ResidueCount() > 0) {
    row.residues = run.session.residues.ResidueCount();
    row.problems = run.session.problemCount;
  }
  const auto finish = [&](const std::string& failure) {
    row.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (failure.empty()) return row;
    log << failure << '\n';
    row.status = SummaryRow::kFailed;
    row.message = failure.size() > kMessageLimit ? failure.substr(0, kMessageLimit) + "..." : failure;
    return row;
  };
  if (!run.Succeeded()) return finish(run.failure);
  row.notInBulk = run.notInBulk;
  row.classesGiven = ClassesGiven(run);
  const ResultFilesWritten written = WriteResultFiles(run, one);
  for (const std::string& warning : written.warnings) reporter.warning(warning);
  if (!written.unwritten.empty()) return finish("cannot write " + written.unwritten.string());

  // The results folder's files into the protein's folder, named after the stem.
  try {
    for (const auto& entry : std::filesystem::directory_iterator(run.session.resultsFolder))
      std::filesystem::rename(entry.path(), job.folder / RenamedAfterStem(entry.path().filename().string(),
                                                                          one.proteinName, job.stem));
  } catch (const std::filesystem::filesystem_error& failure) {
    return finish(std::string("cannot move the results: ") + failure.what());
  }
  log.close();
  std::filesystem::remove_all(work, error);
  row = finish({});
  row.status = SummaryRow::kDone;
  // The mark goes in whole or not at all: written beside, then renamed.
  const std::filesystem::path mark = job.folder / kCompleteMark;
  const std::filesystem::path partial = mark.string() + ".partial";
  if (!workflow::WriteTextFile(partial, SummaryLine(row)).empty()) return Failure(job, "cannot write " + partial.string());
  std::filesystem::rename(partial, mark, error);
  if (error) return Failure(job, "cannot write " + mark.string() + ": " + error.message());
  return row;
}

int RunProteins(const BatchOptions& options, ProgressStyle style, const ProteinWork& work) {
  const ProteinPlan plan = PlanProteins(options.outFolder, options.proteinFiles);
  if (!plan.error.empty()) {
    std::cerr << "mirelda-batch: " << plan.error << '\n';
    return kManyRefused;
  }
  const std::filesystem::path out = std::filesystem::absolute(options.outFolder);
  std::error_code error;
  std::filesystem::create_directories(out, error);
  if (error || !std::filesystem::is_directory(out)) {
    std::cerr << "mirelda-batch: cannot make the output folder " << out.string()
              << (error ? ": " + error.message() : std::string()) << '\n';
    return kManyRefused;
  }

  // brindel and relaxation build cells on every core: proteins side by side share the cores out instead
  // of each asking for all of them. A setting of the user's stays.
  if (options.jobs > 1 && std::getenv(kThreadsVariable) == nullptr) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned threads = std::max(1u, cores / static_cast<unsigned>(options.jobs));
    setenv(kThreadsVariable, std::to_string(threads).c_str(), 1);
  }

  std::vector<SummaryRow> rows(plan.jobs.size());
  ProgressDisplay display(style, static_cast<int>(plan.jobs.size()), std::cerr);
  std::vector<std::size_t> waiting;
  for (std::size_t i = 0; i < plan.jobs.size(); ++i) {
    const std::optional<SummaryRow> complete =
        options.force ? std::nullopt : CompleteResult(plan.jobs[i].folder);
    if (!complete) {
      waiting.push_back(i);
      continue;
    }
    rows[i] = *complete;
    rows[i].status = SummaryRow::kSkipped;
    rows[i].seconds = 0;
    rows[i].message = "complete result kept (--force runs it again)";
    display.Finished(rows[i]);
  }

  std::map<pid_t, Child> children;
  std::size_t next = 0;
  const auto start = [&](std::size_t index) {
    int ends[2];
    std::cout.flush();
    std::cerr.flush();
    if (pipe2(ends, O_CLOEXEC) != 0) {
      rows[index] = Failure(plan.jobs[index], "cannot start its run (no pipe)");
      display.Finished(rows[index]);
      return;
    }
    const pid_t pid = fork();
    if (pid == 0) {
      close(ends[0]);
      const std::string line = SummaryLine(work(plan.jobs[index]));
      for (std::size_t written = 0; written < line.size();) {
        const ssize_t n = write(ends[1], line.data() + written, line.size() - written);
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
      }
      _exit(0);  // the child's end: nothing of the parent's state is to be flushed or destroyed here
    }
    close(ends[1]);
    if (pid < 0) {
      close(ends[0]);
      rows[index] = Failure(plan.jobs[index], "cannot start its run (no process)");
      display.Finished(rows[index]);
      return;
    }
    children[pid] = Child{index, ends[0]};
    display.Started(plan.jobs[index].stem);
  };
  while (next < waiting.size() || !children.empty()) {
    while (next < waiting.size() && children.size() < static_cast<std::size_t>(options.jobs))
      start(waiting[next++]);
    if (children.empty()) continue;
    int status = 0;
    const pid_t pid = waitpid(-1, &status, 0);
    if (pid < 0) break;  // no child left to wait for
    const auto child = children.find(pid);
    if (child == children.end()) continue;
    std::string written;
    char buffer[4096];
    for (ssize_t n; (n = read(child->second.pipe, buffer, sizeof buffer)) > 0;)
      written.append(buffer, static_cast<std::size_t>(n));
    close(child->second.pipe);
    const std::size_t index = child->second.index;
    children.erase(child);
    rows[index] = ChildRow(plan.jobs[index], written, status);
    display.Finished(rows[index]);
  }
  display.Close();

  const std::filesystem::path summary =
      options.summaryFile.empty() ? out / kSummaryFile : std::filesystem::absolute(options.summaryFile);
  const bool summaryWritten = workflow::WriteTextFile(summary, SummaryTsv(rows)).empty();
  if (!summaryWritten) std::cerr << "mirelda-batch: cannot write " << summary.string() << '\n';
  const auto count = [&rows](const char* status) {
    return std::ranges::count_if(rows, [status](const SummaryRow& row) { return row.status == status; });
  };
  const auto failed = count(SummaryRow::kFailed);
  if (!options.quiet)
    std::cout << rows.size() << (rows.size() == 1 ? " protein: " : " proteins: ") << count(SummaryRow::kDone)
              << " done, " << count(SummaryRow::kSkipped) << " skipped, " << failed
              << " failed; summary: " << summary.string() << '\n';
  return failed == 0 && summaryWritten ? kManyAllDone : kManySomeFailed;
}

std::filesystem::path ProgramFolder(const char* argv0) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self.parent_path();
  return std::filesystem::absolute(argv0).parent_path();
}

}  // namespace mirelda::batch
