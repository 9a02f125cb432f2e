// One run at a time in an application folder: the front-end and mirelda-batch write the console programs'
// inputs there (file_00, option_bis.txt, ...), so two runs in one folder would mix them up. The lock is a
// file in the folder; one left by a process that died is taken over.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

class QLockFile;

namespace mirelda::protocol {

inline constexpr const char* kFolderLockFile = "mirelda.lock";

class FolderLock {
 public:
  // Takes the lock of the folder at once, or says why it could not.
  explicit FolderLock(const std::filesystem::path& appFolder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool Held() const { return failure_.empty(); }
  // Why the lock is not held: the folder is in use by another run, or cannot be written.
  const std::string& Failure() const { return failure_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  std::string failure_;
};

}  // namespace mirelda::protocol
