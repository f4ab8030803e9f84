// Test main for suites that drive real widgets: the QApplication on the offscreen
// platform exists before the first test and lives until the last.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/window.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication& app = mozhou::ui::EnsureApplication();
  (void)app;
  return RUN_ALL_TESTS();
}
