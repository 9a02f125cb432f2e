#include "mirelda/ui/field_widgets.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QObject>

#include "mirelda/model/residue_types.h"

using namespace mirelda::workflow;

namespace mirelda::ui {
namespace {

constexpr int kFirstPrintable = 32;  // below: control characters
constexpr int kDeleteCode = 127;
constexpr int kLastAscii = 127;
constexpr int kUpDownWidth = 18;  // wide enough for the arrows alone

class KeyFilterObject : public QObject {
 public:
  KeyFilterObject(QLineEdit* box, KeyFilter filter, bool beep)
      : QObject(box), box_(box), filter_(filter), beep_(beep) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != box_ || event->type() != QEvent::KeyPress) return false;
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.size() != 1) return false;
    const int key = text.front().unicode();
    if (key < kFirstPrintable || key == kDeleteCode) return false;
    const int kept = key > kLastAscii ? kDiscardedKey : filter_(key);
    if (kept == key) return false;
    if (kept == kDiscardedKey) {
      if (beep_) QApplication::beep();
    } else {
      box_->insert(QString(QChar(kept)));
    }
    return true;
  }

 private:
  QLineEdit* box_;
  KeyFilter filter_;
  bool beep_;
};

}  // namespace

QPushButton* CommandButton(QWidget* parent, const QString& caption, const QString& objectName) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  button->setAutoDefault(false);
  return button;
}

QHBoxLayout* OptionButtonRow(QPushButton* initialisation, QPushButton* cancel, QPushButton* valid) {
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(initialisation);
  buttons->addStretch();
  if (cancel != nullptr) buttons->addWidget(cancel);
  buttons->addWidget(valid);
  return buttons;
}

QHBoxLayout* InitialiseCancelValidateRow(QDialog* dialog, const std::function<void()>& onInitialisation,
                                        const std::function<void()>& onValid) {
  auto* initialisation = CommandButton(dialog, "Initialisation", "cmdInitialisation");
  auto* cancel = CommandButton(dialog, "Cancel", "cmdAnnulation");
  auto* valid = CommandButton(dialog, "Validation", "cmdValid");
  QObject::connect(initialisation, &QPushButton::clicked, dialog, onInitialisation);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  QObject::connect(valid, &QPushButton::clicked, dialog, onValid);
  return OptionButtonRow(initialisation, cancel, valid);
}

void PaintField(QLineEdit* box, const FieldColours& colours) {
  const QPalette defaults = QApplication::palette(box);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, ToQColor(colours.back, defaults));
  palette.setColor(QPalette::Text, ToQColor(colours.fore, defaults));
  box->setPalette(palette);
}

void InstallKeyFilter(QLineEdit* box, KeyFilter filter, bool beepOnDiscard) {
  box->installEventFilter(new KeyFilterObject(box, filter, beepOnDiscard));
}

UpDown::UpDown(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
  setRange(minimum, maximum);
  setSingleStep(1);
  setFocusPolicy(Qt::NoFocus);
  setFixedWidth(kUpDownWidth);
}

QString UpDown::textFromValue(int) const { return {}; }

int UpDown::valueFromText(const QString&) const { return value(); }

QValidator::State UpDown::validate(QString&, int&) const { return QValidator::Acceptable; }

void BindDecimalField(QLineEdit* box, UpDown* upDown, DecimalSpinField& field,
                      const std::function<void()>& changed) {
  auto show = [box, upDown, &field, changed] {
    const QString text = QString::fromStdString(field.Text());
    if (box->text() != text) box->setText(text);
    PaintField(box, field.Colours());
    upDown->setValue(field.SpinValue());
    if (changed) changed();
  };
  upDown->setValue(field.SpinValue());
  box->setText(QString::fromStdString(field.Text()));
  PaintField(box, field.Colours());
  QObject::connect(box, &QLineEdit::textChanged, box, [&field, show](const QString& text) {
    field.SetText(text.toStdString());
    show();
  });
  QObject::connect(upDown, &QSpinBox::valueChanged, box, [&field, show](int value) {
    const int before = field.SpinValue();
    field.SetSpinValue(value);
    if (field.SpinValue() != before) show();  // the echo of show()'s own setValue changes nothing
  });
}

}  // namespace mirelda::ui
