// The font library under Qt keeps a few caches for the whole run, which the leak checker would
// report at exit; they are not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
