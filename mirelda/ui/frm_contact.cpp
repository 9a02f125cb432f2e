#include "mirelda/ui/frm_contact.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPushButton>
#include <QScrollArea>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "mirelda/results/result_files.h"
#include "mirelda/ui/field_widgets.h"

using namespace mirelda::model;
using namespace mirelda::results;
using namespace mirelda::protocol;

namespace mirelda::ui {
namespace {

// The lines between chains stand out from the four colours of the digits.
const QColor kChainLineColour(255, 0, 255);
// The residue numbers, small, on a light ground over the cells they cover.
constexpr int kTickLabelPixels = 9;
const QColor kTickLabelBack(255, 255, 255, 200);

QRect ToQRect(const PixelRect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

// The drawing area: paints the cells of the drawing that lie in the exposed part, and names the pair
// under the pointer in a tooltip.
class ContactPicture : public QWidget {
 public:
  ContactPicture(ContactDrawing drawing, const Residues& residues, int areaPixels, QWidget* parent)
      : QWidget(parent),
        drawing_(std::move(drawing)),
        residues_(residues),
        marks_(AxisMarksOf(residues, drawing_.Rows())) {
    setObjectName("Picture1");
    setAutoFillBackground(true);  // cells of digits 5 to 9 keep the picture's background
    const int size = drawing_.CellSize();
    setFixedSize(std::max(areaPixels, drawing_.Cols() * size), std::max(areaPixels, drawing_.Rows() * size));
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    PaintContactCells(painter, drawing_, event->rect());
    PaintContactAxes(painter, drawing_, marks_);
  }

  bool event(QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    int row = 0, col = 0;
    const std::string label = drawing_.PairAt(help->pos().x(), help->pos().y(), row, col)
                                  ? ContactPairLabel(residues_, row, col)
                                  : "";
    if (label.empty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), QString::fromStdString(label), this);
    return true;
  }

 private:
  ContactDrawing drawing_;
  const Residues& residues_;
  ContactAxisMarks marks_;
};

}  // namespace

void PaintContactCells(QPainter& painter, const ContactDrawing& drawing, const QRect& exposed) {
  const int size = drawing.CellSize();
  if (size <= 0) return;
  // Only the rows and columns of the exposed rectangle: a large matrix holds many cells.
  const int side = size - drawing.Gap();
  const int lastRow = std::min(drawing.Rows() - 1, exposed.bottom() / size);
  const int lastCol = std::min(drawing.Cols() - 1, exposed.right() / size);
  for (int i = std::max(0, exposed.top() / size); i <= lastRow; ++i)
    for (int j = std::max(0, exposed.left() / size); j <= lastCol; ++j) {
      const std::uint8_t digit = drawing.DigitAt(i, j);
      if (digit == kNotDrawn) continue;
      painter.fillRect(j * size, i * size, side, side, ToQColor(kContactColours[digit]));
    }
}

void PaintContactAxes(QPainter& painter, const ContactDrawing& drawing, const ContactAxisMarks& marks) {
  const int size = drawing.CellSize();
  if (size <= 0) return;
  const int width = drawing.Cols() * size, height = drawing.Rows() * size;
  painter.save();
  painter.setPen(QPen(kChainLineColour, 1));
  for (const int start : marks.chainStarts) {
    const int at = start * size - 1;  // in the gap before the chain's first cell
    painter.drawLine(at, 0, at, height);
    painter.drawLine(0, at, width, at);
  }
  QFont font = painter.font();
  font.setPixelSize(kTickLabelPixels);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  int topFree = 0, leftFree = 0;  // where the next label may start without covering the last one
  for (const auto& [position, number] : marks.ticks) {
    const int centre = position * size + size / 2;
    const QString text = QString::fromStdString(number);
    const QRect top(centre - metrics.horizontalAdvance(text) / 2 - 1, 0, metrics.horizontalAdvance(text) + 2,
                    metrics.height());
    if (top.left() >= topFree) {
      painter.fillRect(top, kTickLabelBack);
      painter.setPen(Qt::black);
      painter.drawText(top, Qt::AlignCenter, text);
      topFree = top.right() + 3;
    }
    const QRect left(0, centre - metrics.height() / 2, metrics.horizontalAdvance(text) + 2, metrics.height());
    if (left.top() >= leftFree && left.top() > metrics.height()) {
      painter.fillRect(left, kTickLabelBack);
      painter.setPen(Qt::black);
      painter.drawText(left, Qt::AlignCenter, text);
      leftFree = left.bottom() + 3;
    }
  }
  painter.restore();
}

frmContact::frmContact(FrontEndSession& session, FrontEndPlatform&, QWidget* parent)
    : QDialog(parent), layout_(LayOutContactWindow()) {
  setWindowTitle(QString::fromStdString(layout_.caption));
  setModal(true);
  setFixedSize(layout_.width, layout_.height);

  // A missing or unreadable contact file just leaves the picture empty.
  ContactDrawing drawing = Dessine(ContactFilePath(session.resultsFolder, session.proteinName));
  auto* scroll = new QScrollArea(this);
  scroll->setGeometry(ToQRect(layout_.picture));
  scroll->setFrameShape(QFrame::NoFrame);
  picture_ = new ContactPicture(std::move(drawing), session.residues, kContactAreaPixels, scroll);
  scroll->setWidget(picture_);

  for (const ContactText* text : {&layout_.nter, &layout_.cter}) {
    auto* label = new QLabel(QString::fromStdString(text->text), this);
    label->setGeometry(ToQRect(text->rect));
  }
  for (const ContactLegendEntry& entry : layout_.legend) {
    auto* sample = new QWidget(this);
    sample->setGeometry(ToQRect(entry.sample));
    sample->setAutoFillBackground(true);
    QPalette palette = sample->palette();
    palette.setColor(QPalette::Window, ToQColor(entry.colour));
    sample->setPalette(palette);
    auto* label = new QLabel(QString::fromStdString(entry.label.text), this);
    label->setGeometry(ToQRect(entry.label.rect));
  }
  auto* close = new QPushButton(QString::fromStdString(layout_.closeText), this);
  close->setObjectName("cmdQuit");
  close->setGeometry(ToQRect(layout_.closeButton));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void frmContact::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  for (const ContactLine* line : {&layout_.topLine, &layout_.leftLine})
    painter.drawLine(line->x1, line->y1, line->x2, line->y2);
}

}  // namespace mirelda::ui
