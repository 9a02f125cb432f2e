#include "mirelda/ui/dialog_launcher.h"

#include <QFileDialog>

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

}  // namespace mirelda::ui
