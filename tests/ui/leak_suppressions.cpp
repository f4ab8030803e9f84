// LeakSanitizer at exit counts fontconfig's own caches (built when Qt first lays out text)
// as lost; they are the library's, not this program's. Harmless in other builds.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
