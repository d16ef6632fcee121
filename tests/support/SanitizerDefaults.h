#pragma once

// Leak-checker settings for the test programs (include in one file each). Two libraries below SDL
// keep memory from their one-time set-up until the process ends: libdbus (SDL's D-Bus connection,
// which only dbus_shutdown would free) and Mesa's GLX driver loader. Their allocations are
// suppressed by library name; full stack unwinding is needed to see those names, because the driver
// modules are unloaded before the check runs.

extern "C" const char* __lsan_default_options() {
    return "fast_unwind_on_malloc=0";
}

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"
           "leak:libGLX_mesa.so\n";
}
