#include "mirelda/ui/text_window.h"

#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace mirelda::ui {
namespace {

// The files are single-byte text: UTF-8 when they read as such, otherwise Latin-1.
QString Decode(const QByteArray& bytes) {
  const QString utf8 = QString::fromUtf8(bytes);
  return utf8.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes) : utf8;
}

}  // namespace

QWidget* ShowTextFileWindow(const std::filesystem::path& path, QWidget* parent) {
  const QString name = QString::fromStdString(path.string());
  QFile file(name);
  return ShowTextWindow(name,
                        file.open(QIODevice::ReadOnly) ? Decode(file.readAll())
                                                       : QObject::tr("cannot open %1").arg(name),
                        parent);
}

QWidget* ShowTextWindow(const QString& title, const QString& content, QWidget* parent) {
  auto* window = new QWidget(parent, Qt::Window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(title);
  auto* text = new QPlainTextEdit(window);
  text->setObjectName("text");
  text->setReadOnly(true);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setPlainText(content);
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text);
  window->resize(640, 480);
  window->show();
  return window;
}

}  // namespace mirelda::ui
