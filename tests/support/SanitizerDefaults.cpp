// Linked into the programs and the tests of the sanitizer builds only: the options they run
// with unless the environment says otherwise, so that ctest, a test binary or a program run by
// hand in build-asan behaves as under scripts/test.sh.

// Leaks are looked for at exit; tests/lsan.supp names the known leaks of other modules.
extern "C" const char* __asan_default_options() { return "detect_leaks=1:abort_on_error=1"; }
extern "C" const char* __lsan_default_options() {
  return "suppressions=" KELVARA_LSAN_SUPPRESSIONS ":print_suppressions=0";
}
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

// No library is unloaded, so that a leak found at exit still names its module: GLUT's exit
// handler closes the display first, and Mesa unloads its driver with it.
extern "C" int dlclose(void*) noexcept { return 0; }
