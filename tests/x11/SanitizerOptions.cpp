// Options for the AddressSanitizer build of these tests; other builds never
// call these functions.
//
// libatspi leaks the pending D-Bus call of every call that times out (the
// call and its notify closure keep each other alive once it gives up).
// The hung-application test times calls out on purpose, so the leak is
// libatspi's and is left to it. The frame that names libatspi is found only
// with the slow unwinder: libdbus is built without frame pointers.
extern "C" {
const char* __asan_default_options();
const char* __lsan_default_suppressions();

const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
const char* __lsan_default_suppressions() {
    return "leak:dbind_send_and_allow_reentry\n";
}
}
