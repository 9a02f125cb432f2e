// The front-end: builds the residue-type tables, then shows the main window. No command line. It holds the
// application folder's lock while it runs: a mirelda-batch run (or a second front-end) in the same folder
// would overwrite its inputs.
#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "mirelda/model/residue_types.h"
#include "mirelda/protocol/console_run.h"
#include "mirelda/protocol/folder_lock.h"
#include "mirelda/ui/frm_lecture.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setApplicationName("Mirelda");
  const mirelda::protocol::FolderLock lock(mirelda::protocol::DefaultAppFolder());
  if (!lock.Held()) {
    QMessageBox::critical(nullptr, "Mirelda", QString::fromStdString(lock.Failure()));
    return 1;
  }
  mirelda::model::BuildResidueTypeTables();
  mirelda::ui::frmLecture window;
  window.show();
  return application.exec();
}
