// What the sanitizers cannot judge in the test suites, because it is not this program's
// code. Linked into every test executable.
// LeakSanitizer at exit counts fontconfig's own caches (built when Qt first lays out
// text) as lost.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

// ThreadSanitizer: the Qt libraries and cpp-httplib's compiled library are not
// instrumented, so the hand-over of work to their own threads (Qt's painting and image
// conversion, httplib's connection pool) is invisible to it and their allocations look
// racy. Calls made from inside those libraries are left out; our code is checked.
extern "C" __attribute__((used)) const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Core.so.6\n"
         "called_from_lib:libQt6Gui.so.6\n"
         "called_from_lib:libQt6Widgets.so.6\n"
         "called_from_lib:libcpp-httplib.so.0.11\n";
}
