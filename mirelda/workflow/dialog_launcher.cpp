#include "dialog_launcher.h"

#include <QFileDialog>

#include "file_filter.h"
#include "main_window_state.h"
#include "dialog_prompts.h"
#include "frm_color.h"
#include "frm_contact.h"
#include "frm_option_envir.h"
#include "frm_option_relaxation.h"
#include "frm_option_tessel.h"

namespace mirelda {
DialogLauncher DefaultDialogLauncher() {
  const auto chooseColour = [](QWidget* parent, GridColour initial) { return ChooseColour(parent, initial); };
  return DialogLauncher{ChooseProteinFile,    chooseColour,           OpenEnvironmentDialog,
                        OpenRelaxationDialog, OpenTessellationDialog, OpenContactMatrix,
                        OpenCellColourDialog};
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

}  // namespace mirelda
