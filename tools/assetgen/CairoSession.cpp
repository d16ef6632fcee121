#include "assetgen/CairoSession.h"

#include <cairo.h>

void CairoSession::Begin() {
    static CairoSession session;
}

CairoSession::~CairoSession() {
    cairo_debug_reset_static_data();
}

// cairo 1.16 loses track of one or two recycled linear-gradient patterns
// when a single process draws thousands of gradients (every picture family
// drawn alone exits clean under the leak checker, and each pattern created
// here is destroyed after use). Leak checks stay on for everything else.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:cairo_pattern_create_linear\n";
}

extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
