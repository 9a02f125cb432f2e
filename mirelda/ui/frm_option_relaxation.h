// The relaxation dialog: the number of relaxations with its up-down and three yes/no questions, then the
// relaxation's run with the main window hidden, the saved coordinate file and the count of residues that
// are not in the bulk.
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/workflow/relaxation_dialog.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace mirelda::ui {

class UpDown;

class frmOption_Relaxation : public QDialog {
 public:
  frmOption_Relaxation(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
                       QWidget* parent = nullptr);

 private:
  void ShowState();
  void cmdInitialisation_Click();
  void cmdValid_Click();

  protocol::FrontEndSession& session_;
  protocol::FrontEndPlatform& platform_;
  workflow::RelaxationDialogState state_;
  QLineEdit* txtAsk1_;
  UpDown* updAsk1_;
  QLabel* lblAsk4_;
  QLabel* lblAsk5_;
  std::array<QRadioButton*, 3> opty4_{};
  std::array<QRadioButton*, 3> optn4_{};
  std::vector<QWidget*> questionControls_;  // enabled only when relaxations are asked
};

}  // namespace mirelda::ui
