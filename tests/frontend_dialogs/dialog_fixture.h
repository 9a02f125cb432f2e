// What the dialog tests share: a QApplication on the offscreen platform in a decimal-comma locale, a
// platform that records what the dialogs ask of it (and runs the real programs of a scratch application
// folder unless given a stand-in), and prompts that answer the message boxes without showing them.
#pragma once

#include <QColor>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/ui/dialog_prompts.h"
#include "tests/support/scratch_folder.h"

class QWidget;

namespace mirelda::testing {

class FakePlatform : public protocol::FrontEndPlatform {
 public:
  explicit FakePlatform(protocol::FrontEndSession& session) : session_(session) {}

  protocol::ConsoleRunResult RunConsoleProgram(const workflow::ConsoleProgram& program,
                                               bool hideMainWindow) override;
  void ShowTextFile(const std::filesystem::path& path) override { textFiles.push_back(path); }
  void LoadSecondView(const std::filesystem::path& scene) override { secondViews.push_back(scene); }
  void Refresh() override { ++refreshes; }

  // Stands in for the program when set; otherwise the program of the session's folder runs for real.
  std::function<protocol::ConsoleRunResult(const workflow::ConsoleProgram&)> standIn;
  std::vector<std::string> runs;
  std::vector<bool> mainWindowHidden;
  std::vector<std::filesystem::path> textFiles;
  std::vector<std::filesystem::path> secondViews;
  int refreshes = 0;

 private:
  protocol::FrontEndSession& session_;
};

// Answers every prompt while it lives: warnings and questions are recorded, questions answered from
// `answers` (No once they run out), colours chosen from `colours` (cancelled once they run out).
class CapturedPrompts {
 public:
  CapturedPrompts();
  ~CapturedPrompts();
  CapturedPrompts(const CapturedPrompts&) = delete;
  CapturedPrompts& operator=(const CapturedPrompts&) = delete;

  std::vector<std::string> warnings;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  std::deque<workflow::GridColour> colours;

 private:
  ui::DialogPrompts previous_;
};

// A scratch application folder holding copies of the console programs and data files of AppDir().
class ScratchApp {
 public:
  ScratchApp();
  const std::filesystem::path& Path() const { return folder_.Path(); }
  const ScratchFolder& Folder() const { return folder_; }
  std::filesystem::path operator/(const std::string& name) const { return folder_ / name; }

 private:
  ScratchFolder folder_;
};

// The background and text colours a widget is drawn with.
QColor BaseColour(const QWidget* widget);
QColor TextColour(const QWidget* widget);

// A clicked button of a dialog, found by its object name (the test fails when it is missing).
void Click(QWidget* dialog, const char* buttonName);

}  // namespace mirelda::testing
