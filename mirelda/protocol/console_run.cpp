#include "mirelda/protocol/console_run.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>

using namespace mirelda::workflow;

namespace mirelda::protocol {
namespace {

// How often the marker is looked for while the program runs. It only matters for a program that has
// created its marker but does not exit; the end of the program itself is signalled, not polled.
constexpr int kMarkerPollMs = 200;
// A program whose marker has existed this long while it still runs is stopped: its outputs are complete
// (the marker comes last) and programs must never run side by side.
constexpr int kMarkerExitGraceMs = 10000;
// How long a killed program is given to go.
constexpr int kKillWaitMs = 5000;
constexpr int kDefaultTimeLimitMs = 2 * 60 * 60 * 1000;

std::atomic<bool> gConsoleProgramRunning{false};

QString ToQString(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::filesystem::path ProgramPath(const std::filesystem::path& appFolder, const ConsoleProgram& program) {
  return appFolder / program.program;
}

bool MarkerExists(const std::filesystem::path& appFolder, const ConsoleProgram& program) {
  return QFileInfo::exists(ToQString(appFolder / program.marker));
}

// Takes the one slot for a running program and deletes the old marker; false with the result filled in
// when the run cannot begin.
bool BeginRun(ConsoleRunResult& result, const std::filesystem::path& appFolder,
              const ConsoleProgram& program) {
  bool expected = false;
  if (!gConsoleProgramRunning.compare_exchange_strong(expected, true)) {
    result.outcome = ConsoleRunResult::Outcome::Refused;
    result.message =
        std::string("cannot start ") + program.program + " while another console program is running";
    return false;
  }
  const QString marker = ToQString(appFolder / program.marker);
  if (QFileInfo::exists(marker) && !QFile::remove(marker)) {
    gConsoleProgramRunning = false;
    result.outcome = ConsoleRunResult::Outcome::NotStarted;
    result.message = "cannot delete the old marker " + (appFolder / program.marker).string() +
                     ", so the end of " + program.program + " could not be recognised";
    return false;
  }
  return true;
}

void Configure(QProcess& process, const std::filesystem::path& appFolder, const ConsoleProgram& program) {
  process.setProgram(ToQString(ProgramPath(appFolder, program)));
  process.setArguments({});
  process.setWorkingDirectory(ToQString(appFolder));
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setStandardInputFile(QProcess::nullDevice());  // the programs never ask anything
}

void NotStartedResult(ConsoleRunResult& result, const std::filesystem::path& appFolder,
                      const ConsoleProgram& program, const QString& reason) {
  result.outcome = ConsoleRunResult::Outcome::NotStarted;
  result.message = "cannot start " + ProgramPath(appFolder, program).string() + ": " + reason.toStdString();
}

// How the program ended: its exit status, or a crash.
void TakeEnd(ConsoleRunResult& result, const QProcess& process) {
  result.crashed = process.exitStatus() == QProcess::CrashExit;
  result.exitCode = result.crashed ? -1 : process.exitCode();
}

// What the program printed, as the messages of a run that did not complete end.
std::string PrintedPart(const std::string& output) {
  return output.empty() ? "; it printed nothing." : "; it printed:\n" + output;
}

void ClassifyEnd(ConsoleRunResult& result, const QProcess& process, bool markerExists,
                 const ConsoleProgram& program) {
  TakeEnd(result, process);
  if (markerExists) {
    result.outcome = ConsoleRunResult::Outcome::Completed;
    return;
  }
  result.outcome = ConsoleRunResult::Outcome::EndedWithoutMarker;
  result.message =
      std::string(program.program) + " ended without completing its work (" +
      (result.crashed ? std::string("it crashed") : "exit status " + std::to_string(result.exitCode)) + ")" +
      PrintedPart(result.output);
}

// The result of a run stopped before it completed (by the user or at the time limit).
void StoppedResult(ConsoleRunResult& result, const QProcess& process, const ConsoleProgram& program,
                   const std::string& reason) {
  result.outcome = ConsoleRunResult::Outcome::Stopped;
  TakeEnd(result, process);
  result.message = std::string(program.program) + " " + reason + PrintedPart(result.output);
}

std::string TimeLimitReason(int timeLimitMs) {
  return "did not finish within " + std::to_string(timeLimitMs / 1000) +
         " s (MIRELDA_TIME_LIMIT) and was stopped";
}

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void TakeOutput(QProcess& process, ConsoleRunResult& result, const ConsoleOutputHandler& handler) {
  const QByteArray bytes = process.readAllStandardOutput();
  if (bytes.isEmpty()) return;
  const std::string chunk = bytes.toStdString();
  result.output += chunk;
  if (handler) handler(chunk);
}

}  // namespace

std::filesystem::path DefaultAppFolder() {
  return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

int DefaultTimeLimitMs() {
  const char* text = std::getenv("MIRELDA_TIME_LIMIT");
  if (text == nullptr) return kDefaultTimeLimitMs;
  char* end = nullptr;
  const long seconds = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || seconds <= 0 || seconds > 24L * 60 * 60 * 20) return kDefaultTimeLimitMs;
  return static_cast<int>(seconds * 1000);
}

ConsoleRun::ConsoleRun(std::filesystem::path appFolder, ConsoleProgram program)
    : appFolder_(std::move(appFolder)),
      program_(program),
      markerExitGraceMs_(kMarkerExitGraceMs),
      timeLimitMs_(DefaultTimeLimitMs()) {}

ConsoleRun::~ConsoleRun() {
  if (process_) {
    process_->disconnect();
    if (process_->state() != QProcess::NotRunning) {
      process_->kill();
      process_->waitForFinished(kKillWaitMs);
    }
  }
  if (running_) gConsoleProgramRunning = false;
}

bool ConsoleRun::AnyRunning() { return gConsoleProgramRunning; }

bool ConsoleRun::Start() {
  if (running_) return false;  // the run going on keeps its result
  result_ = ConsoleRunResult{};
  ended_ = false;
  pollsSinceMarker_ = -1;
  stopReason_.clear();
  startedMs_ = NowMs();
  if (!BeginRun(result_, appFolder_, program_)) {
    ended_ = true;
    if (finishedHandler_) finishedHandler_(result_);
    return false;
  }
  running_ = true;
  // A former process may be the sender of the signal we are called from: let the event loop delete it.
  if (process_) {
    process_->disconnect();
    process_.release()->deleteLater();
  }
  process_ = std::make_unique<QProcess>();
  Configure(*process_, appFolder_, program_);
  QProcess* process = process_.get();
  QObject::connect(process, &QProcess::readyReadStandardOutput, process, [this] { ReadOutput(); });
  QObject::connect(process, &QProcess::finished, process,
                   [this](int, QProcess::ExitStatus) { ProcessEnded(); });
  QObject::connect(process, &QProcess::errorOccurred, process, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) StartFailed(process_->errorString().toStdString());
  });
  if (!markerPoll_) {
    markerPoll_ = std::make_unique<QTimer>();
    markerPoll_->setInterval(kMarkerPollMs);
    QObject::connect(markerPoll_.get(), &QTimer::timeout, markerPoll_.get(), [this] { CheckMarker(); });
  }
  process->start();
  if (ended_) return false;  // the start failed at once
  markerPoll_->start();
  return true;
}

const ConsoleRunResult& ConsoleRun::Wait() {
  if (!running_) return result_;
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
  return result_;
}

void ConsoleRun::ReadOutput() {
  if (process_) TakeOutput(*process_, result_, outputHandler_);
}

void ConsoleRun::Cancel() {
  if (!running_ || !process_ || process_->state() == QProcess::NotRunning) return;
  if (stopReason_.empty()) stopReason_ = "was stopped by the user";
  process_->kill();  // ProcessEnded follows
}

void ConsoleRun::CheckMarker() {
  if (!running_ || !process_ || process_->state() == QProcess::NotRunning) return;
  if (NowMs() - startedMs_ >= timeLimitMs_ && stopReason_.empty()) {
    stopReason_ = TimeLimitReason(timeLimitMs_);
    process_->kill();  // ProcessEnded follows
    return;
  }
  if (!MarkerExists(appFolder_, program_)) return;
  ++pollsSinceMarker_;
  if (pollsSinceMarker_ * kMarkerPollMs >= markerExitGraceMs_) process_->kill();  // ProcessEnded follows
}

void ConsoleRun::ProcessEnded() {
  if (ended_) return;
  ReadOutput();
  if (!stopReason_.empty()) {
    StoppedResult(result_, *process_, program_, stopReason_);
  } else {
    ClassifyEnd(result_, *process_, MarkerExists(appFolder_, program_), program_);
  }
  End();
}

void ConsoleRun::StartFailed(const std::string& reason) {
  if (ended_) return;
  NotStartedResult(result_, appFolder_, program_, QString::fromStdString(reason));
  End();
}

void ConsoleRun::End() {
  ended_ = true;
  running_ = false;
  gConsoleProgramRunning = false;
  if (markerPoll_) markerPoll_->stop();
  if (loop_ != nullptr) loop_->quit();
  if (finishedHandler_) finishedHandler_(result_);
}

ConsoleRunResult RunConsoleProgram(const std::filesystem::path& appFolder, ConsoleProgram program,
                                   const ConsoleOutputHandler& outputHandler, int timeLimitMs) {
  ConsoleRunResult result;
  if (!BeginRun(result, appFolder, program)) return result;
  struct Release {
    ~Release() { gConsoleProgramRunning = false; }
  } release;

  QProcess process;
  Configure(process, appFolder, program);
  process.start();
  if (!process.waitForStarted(-1)) {
    NotStartedResult(result, appFolder, program, process.errorString());
    return result;
  }
  int waitedSinceMarker = -1;
  const std::int64_t started = NowMs();
  while (process.state() != QProcess::NotRunning) {
    if (NowMs() - started >= timeLimitMs) {
      process.kill();
      process.waitForFinished(kKillWaitMs);
      TakeOutput(process, result, outputHandler);
      StoppedResult(result, process, program, TimeLimitReason(timeLimitMs));
      return result;
    }
    // Blocks in the system until output arrives, the program ends or the poll interval passes.
    if (process.waitForReadyRead(kMarkerPollMs)) {
      TakeOutput(process, result, outputHandler);
      continue;
    }
    if (process.state() == QProcess::NotRunning) break;
    if (!MarkerExists(appFolder, program)) continue;
    waitedSinceMarker += kMarkerPollMs;
    if (waitedSinceMarker >= kMarkerExitGraceMs) {
      process.kill();
      process.waitForFinished(kKillWaitMs);
    }
  }
  process.waitForFinished(kKillWaitMs);
  TakeOutput(process, result, outputHandler);
  ClassifyEnd(result, process, MarkerExists(appFolder, program), program);
  return result;
}

std::function<std::string()> ConsoleStepRunner(std::filesystem::path appFolder, ConsoleProgram program,
                                               ConsoleOutputHandler outputHandler) {
  return [appFolder = std::move(appFolder), program, outputHandler = std::move(outputHandler)] {
    const ConsoleRunResult result = RunConsoleProgram(appFolder, program, outputHandler);
    return result.Completed() ? std::string() : result.message;
  };
}

}  // namespace mirelda::protocol
