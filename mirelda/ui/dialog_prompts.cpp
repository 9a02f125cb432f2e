#include "mirelda/ui/dialog_prompts.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QString>
#include <utility>

#include "mirelda/ui/qt_colours.h"

using namespace mirelda::workflow;

namespace mirelda::ui {
namespace {

constexpr const char* kWarningTitle = "Warning";

DialogPrompts& CurrentPrompts() {
  static DialogPrompts prompts = PlatformPrompts();
  return prompts;
}

}  // namespace

DialogPrompts PlatformPrompts() {
  DialogPrompts prompts;
  prompts.warn = [](QWidget* parent, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, kWarningTitle, QString::fromStdString(text), QMessageBox::Ok,
                    parent);
    box.exec();
  };
  prompts.ask = [](QWidget* parent, const std::string& text) {
    QMessageBox box(QMessageBox::Question, kWarningTitle, QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
  };
  prompts.chooseColour = [](QWidget* parent, std::optional<GridColour> initial) -> std::optional<GridColour> {
    const QPalette palette = parent != nullptr ? parent->palette() : QPalette();
    const QColor chosen =
        QColorDialog::getColor(initial ? ToQColor(*initial, palette) : QColor(Qt::black), parent);
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
  };
  return prompts;
}

DialogPrompts SetDialogPrompts(DialogPrompts prompts) {
  const DialogPrompts platform = PlatformPrompts();
  if (!prompts.warn) prompts.warn = platform.warn;
  if (!prompts.ask) prompts.ask = platform.ask;
  if (!prompts.chooseColour) prompts.chooseColour = platform.chooseColour;
  return std::exchange(CurrentPrompts(), std::move(prompts));
}

void ShowWarning(QWidget* parent, const std::string& text) { CurrentPrompts().warn(parent, text); }

bool AskYesNo(QWidget* parent, const std::string& text) { return CurrentPrompts().ask(parent, text); }

std::optional<GridColour> ChooseColour(QWidget* parent, std::optional<GridColour> initial) {
  return CurrentPrompts().chooseColour(parent, initial);
}

}  // namespace mirelda::ui
