// The cell colour dialog: one colour swatch per residue type, each with its colour chooser, one chooser
// for all; its validation stores the colours as the types' current ones and paints the results table.
#pragma once

#include <QDialog>
#include <vector>

#include "cell_colours.h"
#include "front_end_session.h"

class QLineEdit;

namespace mirelda {

class frmColor : public QDialog {
 public:
  frmColor(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent = nullptr);

  QLineEdit* Swatch(int k) const { return txtAA_.at(static_cast<std::size_t>(k)); }

 private:
  void ShowSwatches();
  void cmdAA_Click(int k);
  void cmdALL_Click();
  void cmdValid_Click();

  FrontEndSession& session_;
  FrontEndPlatform& platform_;
  CellColourChoice choice_;
  std::vector<QLineEdit*> txtAA_;
};

}  // namespace mirelda
