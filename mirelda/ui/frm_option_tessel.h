// The tessellation dialog: weighted or not (the weights dialog for the weights), then the tessellation's
// run, its count of residues outside the bulk, and the cell and face results read into the main window.
#pragma once

#include <QDialog>
#include <filesystem>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/workflow/weights_dialog.h"

class QPushButton;
class QRadioButton;

namespace mirelda::ui {

class frmOption_Tessel : public QDialog {
 public:
  frmOption_Tessel(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
                   QWidget* parent = nullptr);

  // After an accepted run: the first-layer scene, for the main window to load into its main view.
  const std::filesystem::path& MainViewScene() const { return mainViewScene_; }

 private:
  void cmdValid_Click();

  protocol::FrontEndSession& session_;
  protocol::FrontEndPlatform& platform_;
  workflow::TessellationOptionsState state_;
  QRadioButton* opty3_;
  QRadioButton* optn3_;
  QPushButton* cmdPoids_;
  std::filesystem::path mainViewScene_;
};

}  // namespace mirelda::ui
