// The weights dialog: one weight box with its up-down per residue type, shown with the default weights at
// every opening; its validation stores the weights in the residue-type table.
#pragma once

#include <QDialog>
#include <vector>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/workflow/weights_dialog.h"

class QLineEdit;

namespace mirelda::ui {

class UpDown;

class frmPoids : public QDialog {
 public:
  frmPoids(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
           QWidget* parent = nullptr);

  QLineEdit* WeightBox(int row) const { return boxes_.at(static_cast<std::size_t>(row)); }
  UpDown* WeightUpDown(int row) const { return upDowns_.at(static_cast<std::size_t>(row)); }

 private:
  void cmdInitialisation_Click();
  void cmdValid_Click();

  workflow::WeightsDialogState state_;
  std::vector<QLineEdit*> boxes_;  // in the order of the weight rows
  std::vector<UpDown*> upDowns_;
};

}  // namespace mirelda::ui
