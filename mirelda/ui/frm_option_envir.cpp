#include "mirelda/ui/frm_option_envir.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "mirelda/protocol/pipeline.h"
#include "mirelda/ui/dialog_prompts.h"
#include "mirelda/ui/field_widgets.h"
#include "mirelda/ui/progress_note.h"
#include "mirelda/ui/step_dialog.h"

using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::protocol;

namespace mirelda::ui {
namespace {

// How often the note of a long reading says how far it has got.
constexpr long long kLinesPerDetail = 5000;

constexpr int kNumberBoxWidth = 50;

// Two option buttons side by side in a frame of their own, exclusive within it.
QFrame* OptionPair(QWidget* parent, QRadioButton* yes, QRadioButton* no) {
  auto* frame = new QFrame(parent);
  yes->setParent(frame);
  no->setParent(frame);
  auto* group = new QButtonGroup(frame);
  group->addButton(yes);
  group->addButton(no);
  auto* row = new QHBoxLayout(frame);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(yes);
  row->addWidget(no);
  return frame;
}

QRadioButton* Option(const char* caption, const char* name) {
  auto* button = new QRadioButton(caption);
  button->setObjectName(name);
  return button;
}

QHBoxLayout* BoxWithUpDown(QLineEdit* box, UpDown* upDown) {
  auto* row = new QHBoxLayout;
  row->addWidget(box);
  row->addWidget(upDown);
  row->addStretch();
  return row;
}

}  // namespace

frmOption_envir::frmOption_envir(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent)
    : QDialog(parent), session_(session), platform_(platform), state_(UserDecimalSeparator()) {
  setWindowTitle("Environment option");
  setModal(true);
  auto* lblAsk0 = new QLabel("Name of the output files (4 characters) :", this);
  txtAsk0_ = new QLineEdit(this);
  txtAsk0_->setObjectName("txtAsk0");
  InstallKeyFilter(txtAsk0_, FilterNameKey, true);
  auto* lblAsk2 = new QLabel("on which points do you want to tessellate ?", this);
  cboDef_point_ = new QComboBox(this);
  cboDef_point_->setObjectName("cboDef_point");
  cboDef_point_->setEditable(true);  // its text is what the point label of the main window shows
  auto* lblAsk1 = new QLabel("do you want to add environment ?", this);
  optAvec_ = Option("yes", "optAvec");
  optSans_ = Option("no", "optSans");
  QFrame* environmentFrame = OptionPair(this, optAvec_, optSans_);
  auto* lblAsk3 = new QLabel("radius of the environment spheres ?  (min = 0, max =15)", this);
  txtAsk3_ = new QLineEdit(this);
  txtAsk3_->setObjectName("txtAsk3");
  txtAsk3_->setFixedWidth(kNumberBoxWidth);
  updAsk3_ = new UpDown(kRadiusLimits.spinMinimum, kRadiusLimits.spinMaximum, this);
  updAsk3_->setObjectName("updAsk3");
  auto* lblAsk5 = new QLabel("thickness of the environment ?  (min = 0, max = 10)", this);
  txtAsk5_ = new QLineEdit(this);
  txtAsk5_->setObjectName("txtAsk5");
  txtAsk5_->setFixedWidth(kNumberBoxWidth);
  updAsk5_ = new UpDown(kThicknessLimits.spinMinimum, kThicknessLimits.spinMaximum, this);
  updAsk5_->setObjectName("updAsk5");
  lblAsk6_ = new QLabel(this);
  lblAsk6_->setObjectName("lblAsk6");
  optYes1_ = Option("yes", "optYes1");
  optNo1_ = Option("no", "optNo1");
  QFrame* copyFrame = OptionPair(this, optYes1_, optNo1_);
  auto* initialisation = CommandButton(this, "Initialization", "cmdInitialisation");
  auto* valid = CommandButton(this, "validation", "cmdValid");
  environmentControls_ = {lblAsk3,  txtAsk3_, updAsk3_, lblAsk5, txtAsk5_,
                          updAsk5_, optYes1_, optNo1_,  lblAsk6_};

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblAsk0, 0, 0);
  layout->addWidget(txtAsk0_, 0, 1);
  layout->addWidget(lblAsk2, 1, 0);
  layout->addWidget(cboDef_point_, 1, 1);
  layout->addWidget(lblAsk1, 2, 0);
  layout->addWidget(environmentFrame, 2, 1);
  layout->addWidget(lblAsk3, 3, 0);
  layout->addLayout(BoxWithUpDown(txtAsk3_, updAsk3_), 3, 1);
  layout->addWidget(lblAsk5, 4, 0);
  layout->addLayout(BoxWithUpDown(txtAsk5_, updAsk5_), 4, 1);
  layout->addWidget(lblAsk6_, 5, 0);
  layout->addWidget(copyFrame, 5, 1);
  QHBoxLayout* buttons = OptionButtonRow(initialisation, nullptr, valid);
  layout->addLayout(buttons, 6, 0, 1, 2);

  InstallKeyFilter(txtAsk3_, FilterDecimalKey);
  InstallKeyFilter(txtAsk5_, FilterDecimalKey);
  BindDecimalField(txtAsk3_, updAsk3_, state_.Radius());
  BindDecimalField(txtAsk5_, updAsk5_, state_.Thickness());
  optAvec_->setChecked(state_.WithEnvironment());
  optSans_->setChecked(!state_.WithEnvironment());
  optYes1_->setChecked(state_.KeepCopy());
  optNo1_->setChecked(!state_.KeepCopy());
  ShowName();
  ShowEnvironmentChoice();
  connect(txtAsk0_, &QLineEdit::textChanged, this, [this](const QString& text) {
    state_.SetName(text.toStdString());
    ShowName();
  });
  connect(cboDef_point_, &QComboBox::currentTextChanged, this,
          [this](const QString& text) { state_.SetPointChoice(text.toStdString()); });
  connect(optAvec_, &QRadioButton::toggled, this, [this](bool checked) {
    state_.ChooseEnvironment(checked);
    ShowEnvironmentChoice();
  });
  connect(optYes1_, &QRadioButton::toggled, this, [this](bool checked) { state_.ChooseKeepCopy(checked); });
  connect(initialisation, &QPushButton::clicked, this, [this] { cmdInitialisation_Click(); });
  connect(valid, &QPushButton::clicked, this, [this] { cmdValid_Click(); });

  LoadProtein();
  txtAsk0_->setFocus();
}

int frmOption_envir::exec() { return ProteinRead() ? QDialog::exec() : QDialog::Rejected; }

void frmOption_envir::LoadProtein() {
  OpenOptions options;
  ProgressNote note("Reading the protein", parentWidget());
  options.progress = [&note](long long lines) {
    note.Step(lines % kLinesPerDetail == 0 ? QString("%1 lines").arg(lines) : QString());
  };
  const StepResult opened = OpenProtein(session_, options);
  loadFailure_ = opened.Ran() ? std::string() : opened.message;
  platform_.Refresh();
  if (!loadFailure_.empty()) {
    ShowWarning(parentWidget(), loadFailure_);
    return;
  }
  for (const std::string& choice : PointChoices(session_.caOnly))
    cboDef_point_->addItem(QString::fromStdString(choice));
  cboDef_point_->setEditText(kDefaultPointChoice);
}

void frmOption_envir::ShowName() {
  PaintField(txtAsk0_, {kSystemWindowText, state_.NameBackground()});
  lblAsk6_->setText(QString::fromStdString(state_.CopyQuestion()));
}

void frmOption_envir::ShowEnvironmentChoice() {
  for (QWidget* control : environmentControls_) control->setEnabled(state_.EnvironmentControlsEnabled());
}

void frmOption_envir::cmdInitialisation_Click() {
  cboDef_point_->setEditText(kDefaultPointChoice);
  txtAsk0_->clear();
  txtAsk3_->setText(QString::fromStdString(state_.Radius().DefaultText()));
  txtAsk5_->setText(QString::fromStdString(state_.Thickness().DefaultText()));
  optNo1_->setChecked(true);
  optAvec_->setChecked(true);
}

void frmOption_envir::cmdValid_Click() {
  const std::vector<FieldMessage> messages = state_.Validate();
  for (const FieldMessage& message : messages) {
    ShowWarning(this, message.text);
    switch (message.field) {
      case EnvironmentField::Radius:
        txtAsk3_->setFocus();
        PaintField(txtAsk3_, state_.Radius().Colours());
        break;
      case EnvironmentField::Thickness:
        txtAsk5_->setFocus();
        PaintField(txtAsk5_, state_.Thickness().Colours());
        break;
      case EnvironmentField::Name:
        txtAsk0_->setFocus();
        ShowName();
        break;
    }
  }
  if (messages.empty()) RunValidatedStep();
}

void frmOption_envir::RunValidatedStep() {
  EnvironmentChoices choices;
  choices.proteinName = state_.Name();
  choices.pointChoice = state_.PointChoice();
  choices.radiusText = state_.Radius().Text();
  choices.thicknessText = state_.Thickness().Text();
  choices.withEnvironment = state_.WithEnvironment();
  choices.keepCopy = state_.KeepCopy();
  const StepResult result = RunEnvironment(session_, choices, HidingRunner(this, platform_, true));
  if (result.StoppedBeforeProgram()) {
    ShowWarning(this, result.message);  // nothing was run: the dialog stays open
    return;
  }
  QWidget* owner = result.programStarted ? parentWidget() : this;
  if (!result.Ran()) {
    if (!result.ProgramFailed()) ShowWarning(owner, result.message);  // the platform has told a failed run
    reject();
    return;
  }
  for (const std::string& warning : result.warnings) ShowWarning(owner, warning);
  platform_.Refresh();
  if (!result.question.empty() && AskYesNo(owner, result.question)) platform_.ShowTextFile(result.report);
  platform_.LoadSecondView(result.scene);
  accept();
}

}  // namespace mirelda::ui
