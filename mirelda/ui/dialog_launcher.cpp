#include "mirelda/ui/dialog_launcher.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QSpinBox>

#include "mirelda/ui/dialog_prompts.h"
#include "mirelda/ui/file_filter.h"
#include "mirelda/ui/frm_color.h"
#include "mirelda/ui/frm_contact.h"
#include "mirelda/ui/frm_option_envir.h"
#include "mirelda/ui/frm_option_relaxation.h"
#include "mirelda/ui/frm_option_tessel.h"
#include "mirelda/workflow/main_window_state.h"

using namespace mirelda::workflow;
using namespace mirelda::protocol;

namespace mirelda::ui {
DialogLauncher DefaultDialogLauncher() {
  const auto chooseColour = [](QWidget* parent, GridColour initial) { return ChooseColour(parent, initial); };
  return DialogLauncher{ChooseProteinFile,    chooseColour,           OpenEnvironmentDialog,
                        OpenRelaxationDialog, OpenTessellationDialog, OpenContactMatrix,
                        OpenCellColourDialog, ChooseExportFile,       ChooseImageSize};
}

std::optional<std::filesystem::path> ChooseExportFile(QWidget* parent, const QString& caption,
                                                      const QString& filter, const QString& suggested) {
  const QString path = QFileDialog::getSaveFileName(parent, caption, suggested, filter);
  if (path.isEmpty()) return std::nullopt;
  return std::filesystem::path(path.toStdString());
}

std::optional<QSize> ChooseImageSize(QWidget* parent, QSize initial) {
  // The largest side a picture may have: the framebuffers of common GL drivers reach it.
  constexpr int kLargestSide = 8192;
  QDialog dialog(parent);
  dialog.setWindowTitle("Picture size");
  auto* form = new QFormLayout(&dialog);
  auto* width = new QSpinBox(&dialog);
  auto* height = new QSpinBox(&dialog);
  for (QSpinBox* box : {width, height}) {
    box->setRange(16, kLargestSide);
    box->setSuffix(" px");
  }
  width->setObjectName("spnWidth");
  height->setObjectName("spnHeight");
  width->setValue(initial.width());
  height->setValue(initial.height());
  form->addRow("Width", width);
  form->addRow("Height", height);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return QSize(width->value(), height->value());
}

std::optional<std::filesystem::path> ChooseProteinFile(QWidget* parent) {
  const QString path = QFileDialog::getOpenFileName(parent, "Open PDB file", QString(),
                                                    QString::fromStdString(QtFileFilter(kProteinFileFilter)));
  if (path.isEmpty()) return std::nullopt;
  return std::filesystem::path(path.toStdString());
}

void OpenEnvironmentDialog(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent) {
  frmOption_envir(session, platform, parent).exec();
}

void OpenRelaxationDialog(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent) {
  frmOption_Relaxation(session, platform, parent).exec();
}

void OpenTessellationDialog(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent) {
  frmOption_Tessel(session, platform, parent).exec();
}

void OpenContactMatrix(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent) {
  frmContact(session, platform, parent).exec();
}

void OpenCellColourDialog(FrontEndSession& session, FrontEndPlatform& platform, QWidget* parent) {
  frmColor(session, platform, parent).exec();
}

}  // namespace mirelda::ui
