// A small window that shows what a running console program writes, as a terminal would (its counters
// rewritten in place), while the main window waits for it.
#pragma once

#include <QWidget>
#include <string_view>

#include "mirelda/ui/console_screen.h"

class QLabel;
class QPlainTextEdit;

namespace mirelda::ui {

// Lines kept in the window; the whole output stays in the run's result.
inline constexpr int kProgressLinesKept = 5000;

class ProgressWindow : public QWidget {
 public:
  explicit ProgressWindow(const QString& programName, QWidget* parent = nullptr);

  void Append(std::string_view chunk);

 private:
  ConsoleScreen screen_;
  QPlainTextEdit* lines_;
  QLabel* currentLine_;
};

}  // namespace mirelda::ui
