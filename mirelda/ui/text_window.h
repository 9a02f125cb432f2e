// The text editor of the platform: a read-only window that shows one text file (a report of residue
// problems, a result file). Each call opens a new window that deletes itself when closed.
#pragma once

#include <QWidget>
#include <filesystem>

namespace mirelda::ui {

// Opens the window and returns it (owned by Qt: it deletes itself when closed).
QWidget* ShowTextFileWindow(const std::filesystem::path& path, QWidget* parent = nullptr);
// The same window over a text held in memory (the guide), under the given title.
QWidget* ShowTextWindow(const QString& title, const QString& text, QWidget* parent = nullptr);

}  // namespace mirelda::ui
