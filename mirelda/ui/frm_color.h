// The cell colour dialog: one colour swatch per residue type, each with its colour chooser, one chooser
// for all; its validation stores the colours as the types' current ones and paints the results table.
#pragma once

#include <QDialog>
#include <vector>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/results/cell_colours.h"

class QLineEdit;

namespace mirelda::ui {

class frmColor : public QDialog {
 public:
  frmColor(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
           QWidget* parent = nullptr);

  QLineEdit* Swatch(int k) const { return txtAA_.at(static_cast<std::size_t>(k)); }

 private:
  void ShowSwatches();
  void cmdAA_Click(int k);
  void cmdALL_Click();
  void cmdValid_Click();

  protocol::FrontEndSession& session_;
  protocol::FrontEndPlatform& platform_;
  results::CellColourChoice choice_;
  std::vector<QLineEdit*> txtAA_;
};

}  // namespace mirelda::ui
