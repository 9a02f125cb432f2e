// The front-end: builds the residue-type tables, then shows the main window. No command line.
#include <QApplication>

#include "frm_lecture.h"
#include "residue_types.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setApplicationName("Mirelda");
  mirelda::BuildResidueTypeTables();
  mirelda::frmLecture window;
  window.show();
  return application.exec();
}
