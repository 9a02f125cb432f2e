// The main of the front-end's widget tests: one QApplication for all of them. Tests that need no GL run on
// the offscreen platform; the tests of the 3-D view use the X server named by DISPLAY and skip without one.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* display = std::getenv("DISPLAY");
#ifdef MIRELDA_TESTS_USE_DISPLAY
  const bool offscreen = display == nullptr || *display == '\0';
#else
  const bool offscreen = true;
  (void)display;
#endif
  if (offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
