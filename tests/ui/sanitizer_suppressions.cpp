// What the sanitizers cannot judge in this suite, because it is not this program's code.
// Weak, so that a suite-wide definition in the test main takes over when there is one.
//
// LeakSanitizer at exit counts fontconfig's own caches (built when Qt first lays out
// text) as lost.
extern "C" __attribute__((weak, used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

// ThreadSanitizer: the Qt libraries are not instrumented, so the hand-over of work to
// Qt's own thread pool (painting, image conversion) is invisible to it and their
// allocations look racy. Calls made from inside Qt are left out; our code is checked.
extern "C" __attribute__((weak, used)) const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Core.so.6\n"
         "called_from_lib:libQt6Gui.so.6\n"
         "called_from_lib:libQt6Widgets.so.6\n";
}
