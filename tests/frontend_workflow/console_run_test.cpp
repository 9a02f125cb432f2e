// The run protocol with small stand-in programs: completion needs the marker, a program that stops
// early or cannot start ends the wait with what it printed, the wait sleeps, and runs never overlap.
#include "mirelda/protocol/console_run.h"
#include "mirelda/protocol/folder_lock.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdlib>
#include <utility>
#include <filesystem>
#include <string>

#include "tests/support/scratch_folder.h"

using namespace mirelda::workflow;
using namespace mirelda::protocol;

namespace mirelda {
namespace {

constexpr ConsoleProgram kStandIn{"standin", "test_standin"};

void WriteScript(const testing::ScratchFolder& app, const std::string& body) {
  app.Write(kStandIn.program, "#!/bin/sh\n" + body);
  std::filesystem::permissions(app / kStandIn.program, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::replace);
}

const char* const kCompletes =
    "echo \"reading file_02\" >&2\n"
    "echo \"in $(pwd)\" >&2\n"
    ": > test_standin\n"
    "exit 0\n";
const char* const kStopsEarly = "echo \"IVMAX too small 200 A B\" >&2\nexit 3\n";
const char* const kSlow = "sleep 1\n: > test_standin\n";

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(ConsoleRun, CompletesWhenTheMarkerExistsAndKeepsWhatWasPrinted) {
  testing::ScratchFolder app;
  WriteScript(app, kCompletes);
  ConsoleRun run(app.Path(), kStandIn);
  std::string streamed;
  int finished = 0;
  run.SetOutputHandler([&](std::string_view chunk) { streamed += chunk; });
  run.SetFinishedHandler([&](const ConsoleRunResult&) { ++finished; });
  ASSERT_TRUE(run.Start());
  const ConsoleRunResult& result = run.Wait();
  EXPECT_TRUE(result.Completed()) << result.message;
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, "reading file_02\nin " + std::filesystem::canonical(app.Path()).string() + "\n")
      << "the program runs in the application folder";
  EXPECT_EQ(streamed, result.output);
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(ConsoleRun::AnyRunning());
}

TEST(ConsoleRun, AProgramThatStopsEarlyEndsTheWaitWithItsOutput) {
  testing::ScratchFolder app;
  WriteScript(app, kStopsEarly);
  ConsoleRun run(app.Path(), kStandIn);
  ASSERT_TRUE(run.Start());
  const ConsoleRunResult& result = run.Wait();
  EXPECT_EQ(result.outcome, ConsoleRunResult::Outcome::EndedWithoutMarker);
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(
      result.message,
      "standin ended without completing its work (exit status 3); it printed:\nIVMAX too small 200 A B\n");
}

// A marker left by an earlier run must not make a failed run look complete.
TEST(ConsoleRun, AnOldMarkerIsDeletedBeforeTheStart) {
  testing::ScratchFolder app;
  WriteScript(app, kStopsEarly);
  app.Write(kStandIn.marker, "");
  const ConsoleRunResult result = RunConsoleProgram(app.Path(), kStandIn);
  EXPECT_EQ(result.outcome, ConsoleRunResult::Outcome::EndedWithoutMarker);
  EXPECT_FALSE(app.Exists(kStandIn.marker));
}

TEST(ConsoleRun, AMissingProgramIsReportedAtOnce) {
  testing::ScratchFolder app;
  ConsoleRun run(app.Path(), kStandIn);
  ConsoleRunResult reported;
  run.SetFinishedHandler([&](const ConsoleRunResult& result) { reported = result; });
  if (run.Start()) run.Wait();
  EXPECT_EQ(run.Result().outcome, ConsoleRunResult::Outcome::NotStarted);
  EXPECT_EQ(reported.outcome, ConsoleRunResult::Outcome::NotStarted);
  EXPECT_NE(run.Result().message.find("cannot start " + (app / kStandIn.program).string()), std::string::npos)
      << run.Result().message;
  EXPECT_FALSE(ConsoleRun::AnyRunning());

  const ConsoleRunResult blocking = RunConsoleProgram(app.Path(), kStandIn);
  EXPECT_EQ(blocking.outcome, ConsoleRunResult::Outcome::NotStarted);
  EXPECT_FALSE(ConsoleRun::AnyRunning());
}

TEST(ConsoleRun, ACrashIsAFailure) {
  testing::ScratchFolder app;
  WriteScript(app, "echo dying >&2\nkill -9 $$\n");
  const ConsoleRunResult result = RunConsoleProgram(app.Path(), kStandIn);
  EXPECT_EQ(result.outcome, ConsoleRunResult::Outcome::EndedWithoutMarker);
  EXPECT_TRUE(result.crashed);
  EXPECT_NE(result.message.find("it crashed"), std::string::npos) << result.message;
  EXPECT_NE(result.message.find("dying"), std::string::npos) << result.message;
}

TEST(ConsoleRun, WaitingSleepsInsteadOfSpinning) {
  testing::ScratchFolder app;
  WriteScript(app, kSlow);
  ConsoleRun run(app.Path(), kStandIn);
  const double before = CpuSeconds();
  ASSERT_TRUE(run.Start());
  EXPECT_TRUE(run.Wait().Completed()) << run.Result().message;
  const double asynchronous = CpuSeconds() - before;
  EXPECT_LT(asynchronous, 0.5) << "the event-loop wait used the processor";

  const double start = CpuSeconds();
  EXPECT_TRUE(RunConsoleProgram(app.Path(), kStandIn).Completed());
  EXPECT_LT(CpuSeconds() - start, 0.5) << "the blocking wait used the processor";
}

TEST(ConsoleRun, ASecondStartIsRefusedWhileAProgramRuns) {
  testing::ScratchFolder app;
  WriteScript(app, kSlow);
  ConsoleRun first(app.Path(), kStandIn);
  ASSERT_TRUE(first.Start());
  EXPECT_TRUE(ConsoleRun::AnyRunning());
  EXPECT_FALSE(first.Start());

  testing::ScratchFolder other;
  WriteScript(other, kCompletes);
  ConsoleRun second(other.Path(), kStandIn);
  EXPECT_FALSE(second.Start());
  EXPECT_EQ(second.Result().outcome, ConsoleRunResult::Outcome::Refused);
  EXPECT_EQ(RunConsoleProgram(other.Path(), kStandIn).outcome, ConsoleRunResult::Outcome::Refused);
  EXPECT_FALSE(other.Exists(kStandIn.marker)) << "the refused program never ran";

  EXPECT_TRUE(first.Wait().Completed());
  EXPECT_EQ(first.Result().message, "") << "the refused restart left the running run's result alone";
  EXPECT_FALSE(ConsoleRun::AnyRunning());
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(second.Wait().Completed());
}

// The marker comes last, so a program that lingers after it has finished its work; it must not keep
// the front-end waiting, nor run beside the next program.
TEST(ConsoleRun, AProgramThatLingersAfterItsMarkerIsStopped) {
  testing::ScratchFolder app;
  WriteScript(app, ": > test_standin\nexec sleep 30\n");
  ConsoleRun run(app.Path(), kStandIn);
  run.SetMarkerExitGrace(300);
  ASSERT_TRUE(run.Start());
  EXPECT_TRUE(run.Wait().Completed()) << run.Result().message;
  EXPECT_FALSE(ConsoleRun::AnyRunning());
}

// A window that goes away while its program runs leaves no program behind and frees the slot.
TEST(ConsoleRun, DestroyingARunningRunStopsTheProgram) {
  testing::ScratchFolder app;
  WriteScript(app, "sleep 30\n: > test_standin\n");
  {
    ConsoleRun run(app.Path(), kStandIn);
    ASSERT_TRUE(run.Start());
  }
  EXPECT_FALSE(ConsoleRun::AnyRunning());
}

// A program that neither ends nor writes its marker once kept the front-end waiting for ever, the main
// window hidden: the user can stop it, and the time limit stops it anyway.
TEST(ConsoleRun, AProgramThatNeverEndsIsStoppedByTheUserOrAtTheTimeLimit) {
  testing::ScratchFolder app;
  WriteScript(app, "echo working >&2\nexec sleep 30\n");
  ConsoleRun run(app.Path(), kStandIn);
  ASSERT_TRUE(run.Start());
  QTimer::singleShot(300, [&run] { run.Cancel(); });
  const ConsoleRunResult& cancelled = run.Wait();
  EXPECT_EQ(cancelled.outcome, ConsoleRunResult::Outcome::Stopped);
  EXPECT_EQ(cancelled.message, "standin was stopped by the user; it printed:\nworking\n");
  EXPECT_FALSE(ConsoleRun::AnyRunning());

  run.SetTimeLimit(1000);
  ASSERT_TRUE(run.Start());
  const ConsoleRunResult& late = run.Wait();
  EXPECT_EQ(late.outcome, ConsoleRunResult::Outcome::Stopped);
  EXPECT_NE(late.message.find("standin did not finish within 1 s"), std::string::npos) << late.message;

  const ConsoleRunResult blocking = RunConsoleProgram(app.Path(), kStandIn, {}, 1000);
  EXPECT_EQ(blocking.outcome, ConsoleRunResult::Outcome::Stopped);
  EXPECT_NE(blocking.message.find("did not finish within 1 s"), std::string::npos) << blocking.message;
  EXPECT_FALSE(ConsoleRun::AnyRunning());
}

TEST(ConsoleRun, TheTimeLimitComesFromTheEnvironmentWhenItIsAPositiveNumber) {
  for (const auto& [text, expected] : std::initializer_list<std::pair<const char*, int>>{
           {"90", 90000}, {"0", 7200000}, {"-5", 7200000}, {"soon", 7200000}, {"12x", 7200000}}) {
    setenv("MIRELDA_TIME_LIMIT", text, 1);
    EXPECT_EQ(DefaultTimeLimitMs(), expected) << text;
  }
  unsetenv("MIRELDA_TIME_LIMIT");
  EXPECT_EQ(DefaultTimeLimitMs(), 7200000);
}

// The front-end once took no lock, so that it and a batch in one folder overwrote each other's inputs.
TEST(FolderLock, OneRunAtATimeHoldsTheFolder) {
  testing::ScratchFolder app;
  {
    const FolderLock first(app.Path());
    EXPECT_TRUE(first.Held());
    EXPECT_TRUE(app.Exists(kFolderLockFile));
    const FolderLock second(app.Path());
    EXPECT_FALSE(second.Held());
    EXPECT_NE(second.Failure().find("is in use by another run (mirelda.lock)"), std::string::npos)
        << second.Failure();
  }
  EXPECT_FALSE(app.Exists(kFolderLockFile)) << "the lock goes with its holder";
  EXPECT_TRUE(FolderLock(app.Path()).Held());
  EXPECT_FALSE(FolderLock(app / "missing" / "folder").Held());
}

TEST(ConsoleRun, StepRunnerGivesTheMessageOfAFailedRun) {
  testing::ScratchFolder app;
  WriteScript(app, kCompletes);
  std::string streamed;
  const auto runner =
      ConsoleStepRunner(app.Path(), kStandIn, [&](std::string_view chunk) { streamed += chunk; });
  EXPECT_EQ(runner(), "");
  EXPECT_NE(streamed.find("reading file_02"), std::string::npos);
  WriteScript(app, kStopsEarly);
  EXPECT_NE(runner().find("IVMAX too small"), std::string::npos);
}

TEST(ConsoleRun, TheRunCanBeRepeated) {
  testing::ScratchFolder app;
  WriteScript(app, kCompletes);
  ConsoleRun run(app.Path(), kStandIn);
  ASSERT_TRUE(run.Start());
  EXPECT_TRUE(run.Wait().Completed());
  WriteScript(app, kStopsEarly);
  ASSERT_TRUE(run.Start());
  EXPECT_EQ(run.Wait().outcome, ConsoleRunResult::Outcome::EndedWithoutMarker);
  EXPECT_EQ(run.Result().output, "IVMAX too small 200 A B\n") << "each run starts with an empty output";
}

}  // namespace
}  // namespace mirelda
