// The environment dialog: reads the protein when it opens, then asks the protein name, the representative
// point and the environment shell; its validation writes the first point file, runs the environment
// program with the main window hidden and hands the protein's state back to the main window.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/workflow/environment_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace mirelda::ui {

class UpDown;

class frmOption_envir : public QDialog {
 public:
  // Reads session.proteinFile into the session (residues, tables, scene files of the application folder).
  // A reading that fails is told to the user at once, and exec() then returns Rejected without showing.
  frmOption_envir(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
                  QWidget* parent = nullptr);

  bool ProteinRead() const { return loadFailure_.empty(); }
  int exec() override;

 private:
  void LoadProtein();
  void ShowName();
  void ShowEnvironmentChoice();
  void cmdInitialisation_Click();
  void cmdValid_Click();
  void RunValidatedStep();

  protocol::FrontEndSession& session_;
  protocol::FrontEndPlatform& platform_;
  workflow::EnvironmentDialogState state_;
  std::string loadFailure_;
  QLineEdit* txtAsk0_;
  QComboBox* cboDef_point_;
  QRadioButton* optAvec_;
  QRadioButton* optSans_;
  QLineEdit* txtAsk3_;
  UpDown* updAsk3_;
  QLineEdit* txtAsk5_;
  UpDown* updAsk5_;
  QLabel* lblAsk6_;
  QRadioButton* optYes1_;
  QRadioButton* optNo1_;
  std::vector<QWidget*> environmentControls_;  // enabled only with environment
};

}  // namespace mirelda::ui
