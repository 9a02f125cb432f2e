#include "mirelda/ui/progress_window.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace mirelda::ui {

ProgressWindow::ProgressWindow(const QString& programName, QWidget* parent)
    : QWidget(parent, Qt::Window), lines_(new QPlainTextEdit(this)), currentLine_(new QLabel(this)) {
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
  resize(520, 260);
}

void ProgressWindow::Append(std::string_view chunk) {
  for (const std::string& line : screen_.Feed(chunk)) lines_->appendPlainText(QString::fromLocal8Bit(line));
  currentLine_->setText(QString::fromLocal8Bit(screen_.CurrentLine()));
}

}  // namespace mirelda::ui
