// The run protocol of the console programs: the old marker deleted, the program started from the
// application folder with no arguments, what it prints streamed and kept, and a wait that ends when the
// program has exited: completed when its marker exists, otherwise failed with what it printed. A wait
// never lasts for ever: a run is stopped at its time limit, and a window's run by the user.
// Programs never run side by side. QtCore only, no widgets.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "mirelda/workflow/pipeline_files.h"

class QEventLoop;
class QProcess;
class QTimer;

namespace mirelda::protocol {

struct ConsoleRunResult {
  enum class Outcome {
    Completed,           // the program exited and its marker exists
    EndedWithoutMarker,  // the program exited (or crashed) without its marker
    NotStarted,          // the program could not be started, or its old marker not deleted
    Refused,             // another console program was still running
    Stopped,             // stopped by the user or at the time limit before it completed
  };
  Outcome outcome = Outcome::NotStarted;
  int exitCode = -1;     // when the program exited normally
  bool crashed = false;  // when it was ended by a signal
  std::string output;    // everything it printed, standard error and standard output as they came
  std::string message;   // for the user when it did not complete; names the program and quotes its output

  bool Completed() const { return outcome == Outcome::Completed; }
};

// Called with each piece of output as it arrives (the place for a progress window to show it).
using ConsoleOutputHandler = std::function<void(std::string_view chunk)>;

// The folder of the running executable, where the console programs and the data files are.
std::filesystem::path DefaultAppFolder();

// How long a console program may run before it is stopped: MIRELDA_TIME_LIMIT seconds when that is a
// positive number, otherwise two hours (far beyond the longest analysis of a real protein).
int DefaultTimeLimitMs();

// One run of one console program for a window: Start() returns at once, the run reports through the
// handlers from the event loop, Wait() runs a nested event loop until the run has ended. Needs a
// QCoreApplication (or QApplication).
class ConsoleRun {
 public:
  ConsoleRun(std::filesystem::path appFolder, workflow::ConsoleProgram program);
  // A run still going is killed: a window that goes away leaves no program behind.
  ~ConsoleRun();
  ConsoleRun(const ConsoleRun&) = delete;
  ConsoleRun& operator=(const ConsoleRun&) = delete;

  void SetOutputHandler(ConsoleOutputHandler handler) { outputHandler_ = std::move(handler); }
  void SetFinishedHandler(std::function<void(const ConsoleRunResult&)> handler) {
    finishedHandler_ = std::move(handler);
  }

  // Deletes the marker and starts the program. False when the run could not begin (refused because a
  // console program is running, marker not deletable, program not startable): Result() says why, and the
  // finished handler has been called. False and nothing changed when this run is still going.
  bool Start();
  bool Running() const { return running_; }
  // How long a program may go on after creating its marker before it is stopped (its outputs are
  // complete then, and no other program may start while it runs). 10 s unless set.
  void SetMarkerExitGrace(int milliseconds) { markerExitGraceMs_ = milliseconds; }
  // How long the program may run before it is stopped (DefaultTimeLimitMs() unless set).
  void SetTimeLimit(int milliseconds) { timeLimitMs_ = milliseconds; }
  // Stops the program of a run going on: the run ends as Stopped, without its marker's outputs counting.
  void Cancel();
  // Processes events until the run has ended and returns its result (at once when it has ended).
  const ConsoleRunResult& Wait();
  const ConsoleRunResult& Result() const { return result_; }

  // Whether any console program started by this process is running.
  static bool AnyRunning();

 private:
  void ReadOutput();
  void CheckMarker();
  void ProcessEnded();
  void StartFailed(const std::string& reason);
  void End();

  std::filesystem::path appFolder_;
  workflow::ConsoleProgram program_;
  ConsoleOutputHandler outputHandler_;
  std::function<void(const ConsoleRunResult&)> finishedHandler_;
  std::unique_ptr<QProcess> process_;
  std::unique_ptr<QTimer> markerPoll_;
  QEventLoop* loop_ = nullptr;
  bool running_ = false;
  bool ended_ = false;
  int pollsSinceMarker_ = -1;  // counts polls after the marker appeared while the program still runs
  int markerExitGraceMs_;
  int timeLimitMs_;
  std::int64_t startedMs_ = 0;
  std::string stopReason_;  // why the run was stopped, empty while it was not
  ConsoleRunResult result_;
};

// The same protocol for a batch command: starts the program and blocks until it has ended (no event loop
// needed; the output handler is called from within). Refused while another run is going.
ConsoleRunResult RunConsoleProgram(const std::filesystem::path& appFolder, workflow::ConsoleProgram program,
                                   const ConsoleOutputHandler& outputHandler = {},
                                   int timeLimitMs = DefaultTimeLimitMs());

// A step's runner for a batch command: runs the program with RunConsoleProgram and gives its message
// when it did not complete, empty when it did.
std::function<std::string()> ConsoleStepRunner(std::filesystem::path appFolder,
                                               workflow::ConsoleProgram program,
                                               ConsoleOutputHandler outputHandler = {});

}  // namespace mirelda::protocol
