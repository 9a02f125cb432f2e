// The front-end: builds the residue-type tables, then shows the main window. No command line.
#include <QApplication>

#include "mirelda/model/residue_types.h"
#include "mirelda/ui/frm_lecture.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setApplicationName("Mirelda");
  mirelda::model::BuildResidueTypeTables();
  mirelda::ui::frmLecture window;
  window.show();
  return application.exec();
}
