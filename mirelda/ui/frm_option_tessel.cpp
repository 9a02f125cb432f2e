#include "mirelda/ui/frm_option_tessel.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "mirelda/protocol/pipeline.h"
#include "mirelda/ui/dialog_prompts.h"
#include "mirelda/ui/field_widgets.h"
#include "mirelda/ui/progress_note.h"
#include "mirelda/ui/step_dialog.h"
#include "mirelda/ui/frm_poids.h"

using namespace mirelda::workflow;
using namespace mirelda::results;
using namespace mirelda::protocol;

namespace mirelda::ui {

frmOption_Tessel::frmOption_Tessel(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent)
    : QDialog(parent), session_(session), platform_(platform) {
  setWindowTitle("Tessellation option");
  setModal(true);
  auto* question = new QLabel("ponderation ?", this);
  question->setObjectName("lblAsk3");
  opty3_ = new QRadioButton("yes", this);
  opty3_->setObjectName("opty3");
  optn3_ = new QRadioButton("no", this);
  optn3_->setObjectName("optn3");
  auto* answers = new QButtonGroup(this);
  answers->addButton(opty3_);
  answers->addButton(optn3_);
  cmdPoids_ = CommandButton(this, "change the weights", "cmdPoids");
  auto* valid = CommandButton(this, "Validation", "cmdValid");
  auto* cancel = CommandButton(this, "Cancel", "cmdAnnulation");
  auto* initialisation = CommandButton(this, "Initialisation", "cmdInitialisation");

  auto show = [this] {
    opty3_->setChecked(state_.Weighted());
    optn3_->setChecked(!state_.Weighted());
    cmdPoids_->setEnabled(state_.WeightsButtonEnabled());
  };
  show();
  connect(opty3_, &QRadioButton::toggled, this, [this, show](bool checked) {
    state_.ChooseWeighted(checked);
    show();
  });
  connect(initialisation, &QPushButton::clicked, this, [this, show] {
    state_.Initialise();
    show();
  });
  connect(cmdPoids_, &QPushButton::clicked, this, [this] { frmPoids(session_, platform_, this).exec(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(valid, &QPushButton::clicked, this, [this] { cmdValid_Click(); });

  auto* layout = new QGridLayout(this);
  layout->addWidget(question, 0, 0);
  layout->addWidget(opty3_, 0, 1);
  layout->addWidget(optn3_, 0, 2);
  layout->addWidget(cmdPoids_, 1, 0, 1, 3);
  QHBoxLayout* buttons = OptionButtonRow(initialisation, cancel, valid);
  layout->addLayout(buttons, 2, 0, 1, 3);
}

void frmOption_Tessel::cmdValid_Click() {
  const StepResult result = RunTessellation(session_, state_.Weighted(), HidingRunner(this, platform_, false));
  if (!StepRan(this, result)) return;
  QWidget* owner = StepOwner(this, result);
  const bool showReport = !result.question.empty() && AskYesNo(owner, result.question);

  ProgressNote note("Filling the tables", owner);
  const TessellationReading reading =
      ReadTessellationResults(session_, UserDecimalSeparator(), [&note] { note.Step(); });
  for (const ReadReport* report : {&reading.cells, &reading.faces})
    if (const std::string message = report->Message(); !message.empty()) ShowWarning(owner, message);

  mainViewScene_ = result.scene;
  platform_.Refresh();
  accept();
  if (showReport) platform_.ShowTextFile(result.report);
}

}  // namespace mirelda::ui
