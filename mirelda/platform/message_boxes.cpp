#include "message_boxes.h"

#include <QMessageBox>

namespace mirelda {

void ShowWarning(QWidget* parent, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, kWarningTitle, QString::fromStdString(text), QMessageBox::Ok, parent);
  box.exec();
}

bool AskYesNo(QWidget* parent, const std::string& question) {
  QMessageBox box(QMessageBox::Question, kWarningTitle, QString::fromStdString(question),
                  QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace mirelda
