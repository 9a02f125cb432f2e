// A fresh working folder for one test, removed afterwards: console programs run in it as in the
// application folder, so tests never touch each other's files.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace mirelda::testing {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  void Write(const std::string& name, const std::string& text) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// The result of running a program of the application folder in a working folder.
struct ProgramRun {
  int exitStatus = -1;
  std::string standardError;
};

// Runs AppDir()/program with no arguments in the given folder and captures its standard error.
ProgramRun RunProgram(const std::string& program, const std::filesystem::path& workingFolder);

// Everything a run left, as one text to compare between runs: its exit status, what it printed and each of
// the named files of the folder (or that it is absent).
std::string RunRecord(const ProgramRun& run, const ScratchFolder& folder,
                      std::initializer_list<const char*> files);

}  // namespace mirelda::testing
