#include "mirelda/ui/frm_color.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "mirelda/ui/dialog_prompts.h"
#include "mirelda/ui/field_widgets.h"
#include "mirelda/workflow/weights_dialog.h"

using namespace mirelda::workflow;
using namespace mirelda::results;
using namespace mirelda::protocol;

namespace mirelda::ui {
namespace {

constexpr int kSwatchWidth = 40;
constexpr int kRowsPerColumn = 11;  // the 21 rows stand in two columns

// The long name of a type, as the weights dialog gives it for the same three-letter name.
QString LongName(const std::string& threeLetterName) {
  for (const WeightRowDefinition& row : WeightRows())
    if (threeLetterName == row.label) return row.tooltip;
  return {};
}

}  // namespace

frmColor::frmColor(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent)
    : QDialog(parent), session_(session), platform_(platform) {
  setWindowTitle("Cell Color");
  setModal(true);
  auto* grid = new QGridLayout;
  int shownRow = 0;
  for (int k = 0; k < choice_.Count(); ++k) {
    const std::string name = choice_.Name(k);
    auto* label = new QLabel(QString::fromStdString(name), this);
    label->setToolTip(LongName(name));
    auto* swatch = new QLineEdit(this);
    swatch->setObjectName(QString("txtAA%1").arg(k));
    swatch->setReadOnly(true);
    swatch->setFocusPolicy(Qt::NoFocus);
    swatch->setFixedWidth(kSwatchWidth);
    auto* button = CommandButton(this, "color", QString("cmdAA%1").arg(k));
    connect(button, &QPushButton::clicked, this, [this, k] { cmdAA_Click(k); });
    txtAA_.push_back(swatch);
    if (!CellColourChoice::IsShown(k)) {
      // The environment type has no cell: its row exists but is neither shown nor usable.
      for (QWidget* widget :
           {static_cast<QWidget*>(label), static_cast<QWidget*>(swatch), static_cast<QWidget*>(button)}) {
        widget->setEnabled(false);
        widget->hide();
      }
      continue;
    }
    const int row = shownRow % kRowsPerColumn, col = 3 * (shownRow / kRowsPerColumn);
    grid->addWidget(label, row, col);
    grid->addWidget(swatch, row, col + 1);
    grid->addWidget(button, row, col + 2);
    ++shownRow;
  }
  auto* all = new QLabel("ALL", this);
  auto* cmdALL = CommandButton(this, "color", "cmdALL");
  const int allRow = shownRow % kRowsPerColumn, allCol = 3 * (shownRow / kRowsPerColumn);
  grid->addWidget(all, allRow, allCol);
  grid->addWidget(cmdALL, allRow, allCol + 2);

  auto* initialisation = CommandButton(this, "Initialisation", "cmdInitialisation");
  auto* valid = CommandButton(this, "Validation", "cmdValid");
  auto* cancel = CommandButton(this, "Cancel", "cmdAnnulation");
  connect(cmdALL, &QPushButton::clicked, this, [this] { cmdALL_Click(); });
  connect(initialisation, &QPushButton::clicked, this, [this] {
    choice_.Initialise();
    ShowSwatches();
  });
  connect(valid, &QPushButton::clicked, this, [this] { cmdValid_Click(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  QHBoxLayout* buttons = OptionButtonRow(initialisation, cancel, valid);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  ShowSwatches();
}

void frmColor::ShowSwatches() {
  for (int k = 0; k < choice_.Count(); ++k)
    PaintField(txtAA_[static_cast<std::size_t>(k)], {kSystemWindowText, choice_.Swatch(k)});
}

void frmColor::cmdAA_Click(int k) {
  // A cancelled chooser leaves the swatch as it was.
  if (const std::optional<GridColour> colour = ChooseColour(this, choice_.Swatch(k))) {
    choice_.SetSwatch(k, *colour);
    ShowSwatches();
  }
}

void frmColor::cmdALL_Click() {
  if (const std::optional<GridColour> colour = ChooseColour(this, std::nullopt)) {
    choice_.SetAll(*colour);
    ShowSwatches();
  }
}

void frmColor::cmdValid_Click() {
  choice_.Validate(session_.tab1);
  platform_.Refresh();
  accept();
}

}  // namespace mirelda::ui
