// The file list under the results folder's label: the files of one folder that match one pattern,
// sorted by name ("*.*" is every file, as on the platform the pattern comes from).
#pragma once

#include <QListWidget>
#include <filesystem>
#include <string>

namespace mirelda::ui {

class FileList : public QListWidget {
 public:
  explicit FileList(QWidget* parent = nullptr);

  void SetFolder(const std::filesystem::path& folder);
  void SetPattern(const std::string& pattern);
  const std::filesystem::path& Folder() const { return folder_; }
  const std::string& Pattern() const { return pattern_; }
  // Reads the folder again.
  void Refresh();

 private:
  std::filesystem::path folder_;
  std::string pattern_;
};

}  // namespace mirelda::ui
