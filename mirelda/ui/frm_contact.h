// The contact matrix window: the matrix of the last tessellation's contact file painted cell by cell with
// its one-pixel grid, the Nter and Cter labels, the edge lines and the legend; the picture scrolls when
// the matrix outgrows it.
#pragma once

#include <QDialog>

#include "mirelda/protocol/front_end_session.h"
#include "mirelda/results/contact_matrix.h"

class QPainter;
class QRect;
class QWidget;

namespace mirelda::ui {

// Paints the cells of a drawing that meet the exposed rectangle, at the drawing's cell size (the picture
// of the window and its exports).
void PaintContactCells(QPainter& painter, const results::ContactDrawing& drawing, const QRect& exposed);

// Paints the residue numbers of every tenth residue along the top and the left edge (as many as fit
// without covering each other) and a line at each chain's beginning, over the cells.
void PaintContactAxes(QPainter& painter, const results::ContactDrawing& drawing,
                      const results::ContactAxisMarks& marks);

class frmContact : public QDialog {
 public:
  frmContact(protocol::FrontEndSession& session, protocol::FrontEndPlatform& platform,
             QWidget* parent = nullptr);

  // The widget the matrix is painted on (for a look at its pixels).
  QWidget* Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  results::ContactWindowLayout layout_;
  QWidget* picture_;
};

}  // namespace mirelda::ui
