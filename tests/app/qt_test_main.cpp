// One QApplication for all the widget tests of a test program.
#include <gtest/gtest.h>

#include <QApplication>

#include "test_fonts.h"

int main(int argc, char** argv) {
  // Listing the tests at build time happens without a display as well.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  varnok::testing::UseTestFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
