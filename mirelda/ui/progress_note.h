// A small window that says which long step is under way (reading a large protein, filling the tables,
// composing the scene), with a moving bar: shown only once the step has lasted a moment, so that a
// quick step shows nothing, and gone when the step ends. The step calls Step() where it let events run.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>

class QLabel;
class QWidget;

namespace mirelda::ui {

// How long a step runs before the note appears, in milliseconds.
inline constexpr int kProgressNoteDelay = 400;

class ProgressNote {
 public:
  ProgressNote(const QString& what, QWidget* parent, int delayMs = kProgressNoteDelay,
               QEventLoop::ProcessEventsFlags pumping = QEventLoop::AllEvents);
  ~ProgressNote();
  ProgressNote(const ProgressNote&) = delete;
  ProgressNote& operator=(const ProgressNote&) = delete;

  // Lets events run (as the step did before) and shows the note once the delay has passed; a detail
  // ("12000 lines") is written under the step's name.
  void Step(const QString& detail = {});
  QWidget* Window() const { return window_; }

 private:
  QWidget* window_;
  QLabel* detail_;
  QElapsedTimer elapsed_;
  int delayMs_;
  QEventLoop::ProcessEventsFlags pumping_;
};

}  // namespace mirelda::ui
