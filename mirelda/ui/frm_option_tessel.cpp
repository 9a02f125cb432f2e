#include "mirelda/ui/frm_option_tessel.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "mirelda/results/result_files.h"
#include "mirelda/ui/dialog_prompts.h"
#include "mirelda/ui/field_widgets.h"
#include "mirelda/ui/frm_poids.h"
#include "mirelda/workflow/run_steps.h"

using namespace mirelda::workflow;
using namespace mirelda::results;
using namespace mirelda::protocol;

namespace mirelda::ui {
namespace {

constexpr const char* kFirstLayerScene = "premier.wrl";  // written by the tessellation program

}  // namespace

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
  const bool weighted = state_.Weighted();
  bool ran = false, runFailed = false;
  // The dialog is hidden while the program runs; hiding it also ends its modal loop once this returns.
  const ProgramRunner run = [this, &ran, &runFailed] {
    ran = true;
    hide();
    const ConsoleRunResult result = platform_.RunConsoleProgram(kTessellationProgram, false);
    runFailed = !result.Completed();
    return runFailed ? result.message : std::string();
  };
  const TessellationErrors errors =
      RunTessellationStep(session_.appFolder, session_.proteinName, weighted, run);
  QWidget* owner = ran && parentWidget() ? parentWidget() : this;
  if (!errors.failure.empty()) {
    if (!runFailed) ShowWarning(owner, errors.failure);  // a failed run the platform has reported
    if (ran) reject();  // a failed run ends the step; a failure before it leaves the dialog open
    return;
  }
  const bool showReport = !errors.question.empty() && AskYesNo(owner, errors.question);

  session_.weighted = weighted;
  session_.window.TessellationDone(weighted, errors.notInBulk);
  const auto pump = [] { QCoreApplication::processEvents(); };
  CellReadOptions options;
  options.environmentOn = session_.window.Labels().environment == "YES";
  options.decimalSeparator = UserDecimalSeparator();
  options.pumpEvents = pump;
  const ReadReport cells =
      lecture_C(session_.resultsFolder, session_.proteinName, session_.residues, session_.tab1, options);
  const ReadReport faces = lecture_F(session_.resultsFolder, session_.proteinName, session_.residues, pump);
  for (const ReadReport* report : {&cells, &faces})
    if (const std::string message = report->Message(); !message.empty()) ShowWarning(owner, message);

  mainViewScene_ = session_.resultsFolder / kFirstLayerScene;
  platform_.Refresh();
  accept();
  if (showReport) platform_.ShowTextFile(errors.report);
}

}  // namespace mirelda::ui
