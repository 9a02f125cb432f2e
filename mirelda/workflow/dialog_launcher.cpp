#include "dialog_launcher.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "file_filter.h"
#include "main_window_state.h"
#include "qt_colours.h"

namespace mirelda {
namespace {

// Until the dialog windows are part of the application, their commands say so.
void NotYetAvailable(QWidget* parent, const char* dialog) {
  QMessageBox::information(parent, "Mirelda", QString("%1: not yet available").arg(dialog));
}

}  // namespace

DialogLauncher DefaultDialogLauncher() {
  return DialogLauncher{ChooseProteinFile,    ChooseColour,           OpenEnvironmentDialog,
                        OpenRelaxationDialog, OpenTessellationDialog, OpenContactMatrix,
                        OpenCellColourDialog};
}

std::optional<std::filesystem::path> ChooseProteinFile(QWidget* parent) {
  const QString path = QFileDialog::getOpenFileName(parent, "Open PDB file", QString(),
                                                    QString::fromStdString(QtFileFilter(kProteinFileFilter)));
  if (path.isEmpty()) return std::nullopt;
  return std::filesystem::path(path.toStdString());
}

std::optional<GridColour> ChooseColour(QWidget* parent, GridColour initial) {
  const QColor colour =
      QColorDialog::getColor(ToQColor(initial, parent ? parent->palette() : QPalette()), parent);
  if (!colour.isValid()) return std::nullopt;
  return FromQColor(colour);
}

void OpenEnvironmentDialog(FrontEndSession&, FrontEndPlatform&, QWidget* parent) {
  NotYetAvailable(parent, "Environment option");
}

void OpenRelaxationDialog(FrontEndSession&, FrontEndPlatform&, QWidget* parent) {
  NotYetAvailable(parent, "Relaxation option");
}

void OpenTessellationDialog(FrontEndSession&, FrontEndPlatform&, QWidget* parent) {
  NotYetAvailable(parent, "Tessellation option");
}

void OpenContactMatrix(FrontEndSession&, FrontEndPlatform&, QWidget* parent) {
  NotYetAvailable(parent, "Matrice");
}

void OpenCellColourDialog(FrontEndSession&, FrontEndPlatform&, QWidget* parent) {
  NotYetAvailable(parent, "Cell Color");
}

}  // namespace mirelda
