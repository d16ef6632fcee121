#pragma once

// Leak-checker settings for the test programs (include in one file each). Two libraries below SDL
// keep memory from their one-time set-up until the process ends: libdbus (SDL's D-Bus connection,
// which only dbus_shutdown would free) and Mesa's GLX driver loader. Their allocations are
// suppressed by library name. Fast unwinding stays on: the slow unwinder deadlocks inside
// llvmpipe's shader compiler under the sanitizers.

extern "C" const char* __lsan_default_options() {
    return "fast_unwind_on_malloc=1";
}

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"
           "leak:libGLX_mesa.so\n";
}
