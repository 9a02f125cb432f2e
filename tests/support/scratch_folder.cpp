#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <random>

#include "tests/support/test_paths.h"

namespace mirelda::testing {

ScratchFolder::ScratchFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info != nullptr ? std::string(info->test_suite_name()) + "." + info->name() : "scratch";
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("mirelda-" + name + "-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::Write(const std::string& name, const std::string& text) const {
  WriteFileText(path_ / name, text);
}
std::string ScratchFolder::Read(const std::string& name) const { return ReadFileText(path_ / name); }
bool ScratchFolder::Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

ProgramRun RunProgram(const std::string& program, const std::filesystem::path& workingFolder) {
  const std::filesystem::path errors = workingFolder / ".stderr";
  const std::string command = "cd '" + workingFolder.string() + "' && '" + (AppDir() / program).string() +
                              "' 2> '" + errors.string() + "' < /dev/null";
  const int status = std::system(command.c_str());
  ProgramRun run;
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.standardError = ReadFileText(errors);
  std::filesystem::remove(errors);
  return run;
}

std::string RunRecord(const ProgramRun& run, const ScratchFolder& folder,
                      std::initializer_list<const char*> files) {
  std::string everything = "exit " + std::to_string(run.exitStatus) + "\n";
  everything += run.standardError;
  for (const char* name : files) {
    everything += "\n== ";
    everything += name;
    if (folder.Exists(name)) {
      everything += "\n";
      everything += folder.Read(name);
    } else {
      everything += " absent";
    }
  }
  return everything;
}

}  // namespace mirelda::testing
