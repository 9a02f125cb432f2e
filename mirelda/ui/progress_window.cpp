#include "mirelda/ui/progress_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirelda::ui {

ProgressWindow::ProgressWindow(const QString& programName, QWidget* parent)
    : QWidget(parent, Qt::Window),
      lines_(new QPlainTextEdit(this)),
      currentLine_(new QLabel(this)),
      cancelButton_(new QPushButton(tr("Cancel"), this)) {
  setWindowTitle(programName);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  lines_->setReadOnly(true);
  lines_->setFont(fixed);
  lines_->setMaximumBlockCount(kProgressLinesKept);
  lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
  currentLine_->setFont(fixed);
  currentLine_->setTextFormat(Qt::PlainText);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Running %1 ...").arg(programName), this));
  layout->addWidget(lines_);
  layout->addWidget(currentLine_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancelButton_);
  layout->addLayout(buttons);
  QObject::connect(cancelButton_, &QPushButton::clicked, this, [this] {
    cancelButton_->setEnabled(false);
    if (cancel_) cancel_();
  });
  resize(520, 260);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // Closed by the user while the program runs: the same as Cancel. Closed by the window that ran it once
  // the program has ended: the handler is gone by then.
  if (cancel_) cancel_();
  QWidget::closeEvent(event);
}

void ProgressWindow::Append(std::string_view chunk) {
  for (const std::string& line : screen_.Feed(chunk)) lines_->appendPlainText(QString::fromLocal8Bit(line));
  currentLine_->setText(QString::fromLocal8Bit(screen_.CurrentLine()));
}

}  // namespace mirelda::ui
