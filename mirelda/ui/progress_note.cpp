#include "mirelda/ui/progress_note.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>

namespace mirelda::ui {

ProgressNote::ProgressNote(const QString& what, QWidget* parent, int delayMs,
                           QEventLoop::ProcessEventsFlags pumping)
    : window_(new QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint)),
      detail_(new QLabel(window_)),
      delayMs_(delayMs),
      pumping_(pumping) {
  window_->setObjectName("frmProgressNote");
  window_->setWindowTitle("Mirelda");
  auto* layout = new QVBoxLayout(window_);
  auto* name = new QLabel(what, window_);
  name->setObjectName("lblStep");
  layout->addWidget(name);
  auto* bar = new QProgressBar(window_);
  bar->setRange(0, 0);  // a moving bar: the length of the step is not known
  layout->addWidget(bar);
  detail_->setObjectName("lblDetail");
  layout->addWidget(detail_);
  window_->setMinimumWidth(280);
  elapsed_.start();
}

ProgressNote::~ProgressNote() { delete window_; }

void ProgressNote::Step(const QString& detail) {
  if (!window_->isVisible() && elapsed_.elapsed() >= delayMs_) window_->show();
  if (window_->isVisible() && !detail.isEmpty()) detail_->setText(detail);
  QCoreApplication::processEvents(pumping_);
}

}  // namespace mirelda::ui
