#include "mirelda/protocol/folder_lock.h"

#include <QLockFile>
#include <QString>

namespace mirelda::protocol {

FolderLock::FolderLock(const std::filesystem::path& appFolder)
    : lock_(std::make_unique<QLockFile>(QString::fromStdString((appFolder / kFolderLockFile).string()))) {
  if (lock_->tryLock(0)) return;
  if (lock_->error() == QLockFile::LockFailedError)
    failure_ = "the application folder " + appFolder.string() + " is in use by another run (" + kFolderLockFile +
               "): runs in one folder go one after another";
  else
    failure_ = "cannot write into the application folder " + appFolder.string();
}

FolderLock::~FolderLock() = default;

}  // namespace mirelda::protocol
