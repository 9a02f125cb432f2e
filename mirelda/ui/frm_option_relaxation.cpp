#include "mirelda/ui/frm_option_relaxation.h"

#include <QButtonGroup>
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
#include "mirelda/ui/step_dialog.h"

using namespace mirelda::workflow;
using namespace mirelda::protocol;

namespace mirelda::ui {
namespace {

constexpr int kCountBoxWidth = 40;

}  // namespace

frmOption_Relaxation::frmOption_Relaxation(FrontEndSession& session, FrontEndPlatform& platform,
                                           QWidget* parent)
    : QDialog(parent), session_(session), platform_(platform), state_(session.proteinName) {
  setWindowTitle("Relaxation Option");
  setModal(true);
  auto* layout = new QGridLayout(this);
  auto* lblAsk1 = new QLabel("Nb of relaxation", this);
  txtAsk1_ = new QLineEdit(this);
  txtAsk1_->setObjectName("txtAsk1");
  txtAsk1_->setFixedWidth(kCountBoxWidth);
  updAsk1_ = new UpDown(0, kMaxRelaxations, this);
  updAsk1_->setObjectName("updAsk1");
  InstallKeyFilter(txtAsk1_, FilterDigitKey);
  auto* count = new QHBoxLayout;
  count->addWidget(txtAsk1_);
  count->addWidget(updAsk1_);
  count->addStretch();
  layout->addWidget(lblAsk1, 0, 0);
  layout->addLayout(count, 0, 1);

  lblAsk4_ = new QLabel(this);
  lblAsk4_->setObjectName("lblAsk4");
  lblAsk5_ = new QLabel(this);
  lblAsk5_->setObjectName("lblAsk5");
  auto* lblAsk6 = new QLabel("stop the relaxation if some amino acids are not in the bulk ?", this);
  lblAsk6->setObjectName("lblAsk6");
  const std::array<QLabel*, 3> questions{lblAsk4_, lblAsk5_, lblAsk6};
  for (int i = 0; i < 3; ++i) {
    const auto k = static_cast<std::size_t>(i);
    auto* frame = new QFrame(this);
    opty4_[k] = new QRadioButton("yes", frame);
    opty4_[k]->setObjectName(QString("opty4_%1").arg(i));
    optn4_[k] = new QRadioButton("no", frame);
    optn4_[k]->setObjectName(QString("optn4_%1").arg(i));
    auto* group = new QButtonGroup(frame);
    group->addButton(opty4_[k]);
    group->addButton(optn4_[k]);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(opty4_[k]);
    row->addWidget(optn4_[k]);
    optn4_[k]->setChecked(!state_.Answered(i));
    opty4_[k]->setChecked(state_.Answered(i));
    connect(opty4_[k], &QRadioButton::toggled, this, [this, i](bool yes) { state_.Answer(i, yes); });
    layout->addWidget(questions[k], i + 1, 0);
    layout->addWidget(frame, i + 1, 1);
    questionControls_.insert(questionControls_.end(), {questions[k], opty4_[k], optn4_[k]});
  }

  QHBoxLayout* buttons =
      InitialiseCancelValidateRow(this, [this] { cmdInitialisation_Click(); }, [this] { cmdValid_Click(); });
  layout->addLayout(buttons, 4, 0, 1, 2);

  txtAsk1_->setText(QString::fromStdString(state_.CountText()));
  ShowState();
  connect(txtAsk1_, &QLineEdit::textChanged, this, [this](const QString& text) {
    state_.SetCountText(text.toStdString());
    ShowState();
  });
  connect(updAsk1_, &QSpinBox::valueChanged, this, [this](int value) {
    const int before = state_.SpinValue();
    state_.SetSpinValue(value);
    if (state_.SpinValue() != before) ShowState();  // the echo of ShowState's own setValue changes nothing
  });
}

void frmOption_Relaxation::ShowState() {
  const QString text = QString::fromStdString(state_.CountText());
  if (txtAsk1_->text() != text) txtAsk1_->setText(text);
  PaintField(txtAsk1_, state_.Colours());
  updAsk1_->setValue(state_.SpinValue());
  lblAsk4_->setText(QString::fromStdString(state_.EachFileQuestion()));
  lblAsk5_->setText(QString::fromStdString(state_.LastFileQuestion()));
  for (QWidget* control : questionControls_) control->setEnabled(state_.QuestionsEnabled());
}

void frmOption_Relaxation::cmdInitialisation_Click() {
  txtAsk1_->setText(kDefaultRelaxationText);
  for (QRadioButton* no : optn4_) no->setChecked(true);
}

void frmOption_Relaxation::cmdValid_Click() {
  const std::optional<RelaxationRequest> request = state_.Validate();
  if (!request) {
    ShowWarning(this, RelaxationDialogState::kMissingCountMessage);
    txtAsk1_->setFocus();
    PaintField(txtAsk1_, state_.Colours());
    return;
  }
  // No relaxation runs nothing and the count of passes shown stays as it was.
  const StepResult result = RunRelaxation(session_, *request, HidingRunner(this, platform_, true));
  if (!StepRan(this, result)) return;
  QWidget* owner = StepOwner(this, result);
  for (const std::string& warning : result.warnings) ShowWarning(owner, warning);
  const bool showReport = !result.question.empty() && AskYesNo(owner, result.question);
  platform_.Refresh();
  accept();
  if (showReport) platform_.ShowTextFile(result.report);
}

}  // namespace mirelda::ui
