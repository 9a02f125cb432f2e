// The 3-D view on a real X server: a cell scene is drawn (the picture is not blank), the display switch
// blanks it, and a missing Inline or a syntax error is told over the view. Skips when there is no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <cmath>
#include <cstdlib>

#include "mirelda/ui/vrml_view.h"
#include "tests/frontend_gui/cell_scene.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::ui;

namespace mirelda {
namespace {

using testing::ScratchFolder;

// The spread of the picture's grey levels: 0 for a blank picture.
double GreyVariance(const QImage& image) {
  double sum = 0.0, squares = 0.0;
  const double count = static_cast<double>(image.width()) * image.height();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double grey = qGray(image.pixel(x, y));
      sum += grey;
      squares += grey * grey;
    }
  }
  const double mean = sum / count;
  return squares / count - mean * mean;
}

bool HaveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != '\0';
}

TEST(VrmlView, DrawsACellSceneAndBlanksWhenSwitchedOff) {
  if (!HaveDisplay()) GTEST_SKIP() << "no X display (run under xvfb-run -a)";
  ScratchFolder folder;
  const std::filesystem::path scene = testing::WriteCellScene(folder.Path());
  VrmlView view;
  view.resize(320, 240);
  view.show();
  ASSERT_TRUE(view.Load(scene));
  EXPECT_EQ(view.Problems(), "");
  QApplication::processEvents();
  const QImage shown = view.Snapshot();
  // Where to look at the picture when the test is run by hand.
  if (const char* out = std::getenv("MIRELDA_VIEW_SNAPSHOT")) shown.save(out);
  ASSERT_FALSE(shown.isNull());
  EXPECT_GT(GreyVariance(shown), 100.0) << "the cell scene drew nothing";
  // The opaque box (yellow-green) is drawn in the left half of the view.
  int yellowish = 0;
  for (int x = 0; x < shown.width() / 2; ++x) {
    const QColor c = shown.pixelColor(x, shown.height() / 2);
    if (c.green() > 100 && c.blue() < 60) ++yellowish;
  }
  EXPECT_GT(yellowish, 10);

  view.SetDisplayOn(false);
  EXPECT_EQ(GreyVariance(view.Snapshot()), 0.0);
}

TEST(VrmlView, MissingInlineAndSyntaxErrorAreToldOverTheView) {
  if (!HaveDisplay()) GTEST_SKIP() << "no X display (run under xvfb-run -a)";
  ScratchFolder folder;
  testing::WriteFileText(folder / "scene.wrl",
                         "#VRML V2.0 utf8\nInline {url \"view.wrl\"}\nShape { geometry Box {} }\n");
  VrmlView view;
  view.resize(320, 240);
  view.show();
  EXPECT_TRUE(view.Load(folder / "scene.wrl"));
  EXPECT_NE(view.Problems().find("missing Inline file \"view.wrl\""), std::string::npos);
  const auto labels = view.findChildren<QLabel*>("lblProblems");
  ASSERT_EQ(labels.size(), 1);
  EXPECT_TRUE(labels[0]->isVisible());
  EXPECT_GT(GreyVariance(view.Snapshot()), 0.0);  // the box is still drawn

  // A syntax error shows nothing but says where.
  testing::WriteFileText(folder / "bad.wrl", "#VRML V2.0 utf8\nShape { geometry Box {\n");
  EXPECT_FALSE(view.Load(folder / "bad.wrl"));
  EXPECT_TRUE(labels[0]->isVisible());
  EXPECT_TRUE(labels[0]->text().startsWith("syntax error in "));
  EXPECT_EQ(GreyVariance(view.Snapshot()), 0.0);
}

}  // namespace
}  // namespace mirelda
