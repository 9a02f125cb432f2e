#include "mirelda/ui/frm_poids.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "mirelda/ui/dialog_prompts.h"
#include "mirelda/ui/field_widgets.h"

using namespace mirelda::workflow;
using namespace mirelda::protocol;

namespace mirelda::ui {
namespace {

constexpr int kRowsPerColumn = 11;  // the 21 rows stand in two columns
constexpr int kBoxWidth = 60;

}  // namespace

frmPoids::frmPoids(FrontEndSession&, FrontEndPlatform&, QWidget* parent)
    : QDialog(parent), state_(UserDecimalSeparator()) {
  setWindowTitle("Weights");
  setModal(true);
  auto* grid = new QGridLayout;
  for (int i = 0; i < kWeightRows; ++i) {
    const WeightRowDefinition& row = WeightRows()[static_cast<std::size_t>(i)];
    auto* label = new QLabel(row.label, this);
    label->setToolTip(row.tooltip);
    label->setObjectName(QString("lblPoids%1").arg(i));
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("txtPoids%1").arg(i));
    box->setFixedWidth(kBoxWidth);
    auto* upDown = new UpDown(0, kMaxWeightTenths, this);
    upDown->setObjectName(QString("updPoids%1").arg(i));
    InstallKeyFilter(box, FilterDecimalKey);
    BindDecimalField(box, upDown, state_.Box(i));
    const int gridRow = i % kRowsPerColumn, gridCol = 3 * (i / kRowsPerColumn);
    grid->addWidget(label, gridRow, gridCol);
    grid->addWidget(box, gridRow, gridCol + 1);
    grid->addWidget(upDown, gridRow, gridCol + 2);
    boxes_.push_back(box);
    upDowns_.push_back(upDown);
  }

  QHBoxLayout* buttons =
      InitialiseCancelValidateRow(this, [this] { cmdInitialisation_Click(); }, [this] { cmdValid_Click(); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

void frmPoids::cmdInitialisation_Click() {
  // Each box's text change resets its up-down and colours.
  for (std::size_t i = 0; i < boxes_.size(); ++i)
    boxes_[i]->setText(QString::fromStdString(state_.Box(static_cast<int>(i)).DefaultText()));
}

void frmPoids::cmdValid_Click() {
  const std::vector<WeightMessage> messages = state_.Validate();
  for (const WeightMessage& message : messages) {
    ShowWarning(this, message.text);
    QLineEdit* box = boxes_.at(static_cast<std::size_t>(message.row));
    box->setFocus();
    PaintField(box, state_.Box(message.row).Colours());
  }
  if (messages.empty()) accept();
}

}  // namespace mirelda::ui
