// The widget edge of the dialogs' number and name boxes: colours of the model (0x00BBGGRR, system
// colours with the top bit) as QColor, the key filters on a QLineEdit, an up-down control, and a text box
// bound to its up-down through the core's DecimalSpinField. No rule lives here; they are all in the core.
#pragma once

#include <QColor>
#include <QHBoxLayout>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <functional>

#include "mirelda/ui/qt_colours.h"
#include "mirelda/ui/user_locale.h"
#include "mirelda/workflow/field_rules.h"
#include "mirelda/workflow/grid_model.h"

class QDialog;
class QLineEdit;

namespace mirelda::ui {

// Draws a text box in the colours of a field.
void PaintField(QLineEdit* box, const workflow::FieldColours& colours);

// Filters the characters typed into a box through a key filter of the core: a discarded key is dropped
// (with a beep when asked), a changed one (the '.' turned into ',') typed in its place. Keys that type no
// character, and control characters (Tab, Enter, shortcuts such as Ctrl+V), pass untouched: pasted text
// is the change handler's business.
using KeyFilter = int (*)(int key);
void InstallKeyFilter(QLineEdit* box, KeyFilter filter, bool beepOnDiscard = false);

// The up-down beside a text box: the arrows only, its value never shown as text, and no keyboard focus.
class UpDown : public QSpinBox {
 public:
  explicit UpDown(int minimum, int maximum, QWidget* parent = nullptr);

 protected:
  QString textFromValue(int value) const override;
  int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& text, int& pos) const override;
};

// A dialog's command button with its control name; Enter never presses it by default (the dialogs validate
// only on a click, as their boxes take Enter).
QPushButton* CommandButton(QWidget* parent, const QString& caption, const QString& objectName);

// The button row of an option dialog: Initialisation on the left, then Cancel (when there is one) and the
// validation on the right.
QHBoxLayout* OptionButtonRow(QPushButton* initialisation, QPushButton* cancel, QPushButton* valid);

// The three command buttons "Initialisation", "Cancel" and "Validation" of a dialog (cmdInitialisation,
// cmdAnnulation, cmdValid) in their row: Cancel rejects the dialog, the others call the handlers given.
QHBoxLayout* InitialiseCancelValidateRow(QDialog* dialog, const std::function<void()>& onInitialisation,
                                        const std::function<void()>& onValid);

// Binds a text box and its up-down to a field: the box starts with the field's text, each text change
// (typed or set) goes to SetText and each up-down change to SetSpinValue, and afterwards the box shows the
// field's text, colours and up-down value. The field's own busy flag stops the echo between the two.
// `changed`, when given, runs after each update (for labels that follow the box).
void BindDecimalField(QLineEdit* box, UpDown* upDown, workflow::DecimalSpinField& field,
                      const std::function<void()>& changed = {});

}  // namespace mirelda::ui
