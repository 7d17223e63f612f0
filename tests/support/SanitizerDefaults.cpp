// Linked into every test executable. LeakSanitizer asks for these at start-up;
// in builds without it they are never called.

extern "C" {

// Allocations that third-party libraries keep for the whole process
// (font configuration, ICU data) are not our leaks.
__attribute__((used, visibility("default"))) const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\n"
           "leak:libicuuc\n";
}

}
