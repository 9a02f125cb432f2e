// The cell colour dialog and the contact matrix window through their widgets.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>

#include "mirelda/model/residue_types.h"
#include "mirelda/ui/field_widgets.h"
#include "mirelda/ui/frm_color.h"
#include "mirelda/ui/frm_contact.h"
#include "mirelda/workflow/residue_table_layout.h"
#include "tests/frontend_dialogs/dialog_fixture.h"

using namespace mirelda::model;
using namespace mirelda::workflow;
using namespace mirelda::results;
using namespace mirelda::protocol;
using namespace mirelda::ui;

namespace mirelda {
namespace {

// The current colours live in the process-wide type table: put them back afterwards.
class SavedColours {
 public:
  SavedColours() {
    for (int i = 1; i <= kResidueTypeCount; ++i) saved_.push_back(ResidueTypesByLetter().At(i)->tei);
  }
  ~SavedColours() {
    for (int i = 1; i <= kResidueTypeCount; ++i)
      ResidueTypesByLetter().At(i)->tei = saved_[static_cast<std::size_t>(i - 1)];
  }

 private:
  std::vector<std::int32_t> saved_;
};

TEST(CellColourDialog, AChosenColourReachesTheUnlockedColourCells) {
  SavedColours saved;
  FrontEndSession session;
  testing::FakePlatform platform(session);
  testing::CapturedPrompts prompts;
  GridModel& tab1 = session.tab1;
  tab1.SetRows(3);
  tab1.SetCols(kColumnColour + 2);
  for (int row : {1, 2}) {
    tab1.SetRow(row);
    tab1.SetCol(kColumnCode);
    tab1.SetText("A");
  }
  tab1.SetRow(2);
  tab1.SetCol(kColumnColour);
  tab1.SetCellForeColor(kColourGreen);  // locked: this residue has no cell

  frmColor dialog(session, platform);
  dialog.show();
  EXPECT_FALSE(dialog.Swatch(kEnvironmentTypePosition - 1)->isVisible()) << "the environment has no cell";
  prompts.colours = {0x000000FF};
  testing::Click(&dialog, "cmdAA0");
  EXPECT_EQ(testing::BaseColour(dialog.Swatch(0)), QColor(255, 0, 0));
  testing::Click(&dialog, "cmdAA1");  // cancelled: the swatch stays
  EXPECT_EQ(testing::BaseColour(dialog.Swatch(1)), ToQColor(ResidueTypesByLetter().At(2)->tei));
  testing::Click(&dialog, "cmdValid");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ResidueTypesByLetter().At(1)->tei, 0x000000FF);
  EXPECT_EQ(tab1.CellAt(1, kColumnColour).backColour, 0x000000FF);
  EXPECT_NE(tab1.CellAt(2, kColumnColour).backColour, 0x000000FF) << "a locked cell keeps its colour";
  EXPECT_EQ(platform.refreshes, 1);
}

TEST(ContactWindow, CellsAreDrawnWithTheirColoursAndAOnePixelGrid) {
  testing::ScratchFolder folder;
  FrontEndSession session;
  testing::FakePlatform platform(session);
  session.proteinName = "1abc";
  session.resultsFolder = folder.Path();
  folder.Write("1abc_contact", "0102\r\n1012\r\n9101\r\n2710\r\n");
  frmContact window(session, platform);
  window.show();
  const QImage picture = window.Picture()->grab().toImage();
  const int size = kContactAreaPixels / 4;  // four residues share the area
  auto at = [&](int row, int col) {
    return picture.pixelColor(col * size + size / 2, row * size + size / 2);
  };
  const QColor background = window.Picture()->palette().color(QPalette::Window);
  EXPECT_EQ(at(0, 0), QColor(0, 0, 0)) << "digit 0";
  EXPECT_EQ(at(0, 1), QColor(0, 255, 0)) << "sequence neighbours are green whatever the file says";
  EXPECT_EQ(at(1, 3), QColor(255, 255, 0)) << "digit 2";
  EXPECT_EQ(at(3, 0), QColor(255, 255, 0));
  EXPECT_EQ(at(3, 1), background) << "digit 7 draws nothing";
  EXPECT_EQ(at(2, 0), background) << "digit 9 draws nothing";
  EXPECT_EQ(picture.pixelColor(size - 1, size / 2), background) << "the gap of the grid";
  EXPECT_EQ(picture.pixelColor(size / 2, size - 1), background);
  EXPECT_EQ(at(1, 2), QColor(0, 255, 0));
  EXPECT_EQ(window.windowTitle(), "Matrice");
}

}  // namespace
}  // namespace mirelda
