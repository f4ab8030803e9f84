// Test main for suites that drive real widgets: the QApplication on the offscreen
// platform exists before the first test and lives until the last.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/window.h"

// What the sanitizers cannot judge in the GUI suites, because it is not this program's code.
// LeakSanitizer at exit counts fontconfig's own caches (built when Qt first lays out
// text) as lost.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

// ThreadSanitizer: the Qt libraries are not instrumented, so the hand-over of work to
// Qt's own thread pool (painting, image conversion) is invisible to it and their
// allocations look racy. Calls made from inside Qt are left out; our code is checked.
extern "C" __attribute__((used)) const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Core.so.6\n"
         "called_from_lib:libQt6Gui.so.6\n"
         "called_from_lib:libQt6Widgets.so.6\n";
}

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication& app = mozhou::ui::EnsureApplication();
  (void)app;
  return RUN_ALL_TESTS();
}
