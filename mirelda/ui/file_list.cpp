#include "mirelda/ui/file_list.h"

#include <QDir>

#include "mirelda/ui/file_filter.h"

namespace mirelda::ui {

FileList::FileList(QWidget* parent) : QListWidget(parent) {}

void FileList::SetFolder(const std::filesystem::path& folder) {
  folder_ = folder;
  Refresh();
}

void FileList::SetPattern(const std::string& pattern) {
  pattern_ = pattern;
  Refresh();
}

void FileList::Refresh() {
  clear();
  if (folder_.empty() || pattern_.empty()) return;
  const QDir dir(QString::fromStdString(folder_.string()));
  const QStringList names =
      dir.entryList(QStringList{QString::fromStdString(QtNamePattern(pattern_))}, QDir::Files, QDir::Name);
  addItems(names);
}

}  // namespace mirelda::ui
