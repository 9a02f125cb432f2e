// A small window that shows what a running console program writes, as a terminal would (its counters
// rewritten in place), while the main window waits for it; its Cancel button (or closing it) stops the
// program.
#pragma once

#include <QWidget>
#include <functional>
#include <string_view>

#include "mirelda/ui/console_screen.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace mirelda::ui {

// Lines kept in the window; the whole output stays in the run's result.
inline constexpr int kProgressLinesKept = 5000;

class ProgressWindow : public QWidget {
 public:
  explicit ProgressWindow(const QString& programName, QWidget* parent = nullptr);

  void Append(std::string_view chunk);
  // What Cancel (or closing the window) does: stop the program.
  void SetCancelHandler(std::function<void()> handler) { cancel_ = std::move(handler); }
  QPushButton* CancelButton() const { return cancelButton_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ConsoleScreen screen_;
  QPlainTextEdit* lines_;
  QLabel* currentLine_;
  QPushButton* cancelButton_;
  std::function<void()> cancel_;
};

}  // namespace mirelda::ui
