#include "app/BackBufferAge.h"

#include <GL/glx.h>

#include "render/OGLExtensions.h"

namespace {

constexpr int kBackBufferAge = 0x20F4;  // GLX_BACK_BUFFER_AGE_EXT

bool HasBufferAge(Display* display) {
    // Asked once per display connection.
    static Display* asked = nullptr;
    static bool has = false;
    if (display != asked) {
        const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
        has = OGLExtensions::IsSupportedIn(extensions, "GLX_EXT_buffer_age");
        asked = display;
    }
    return has;
}

}  // namespace

int BackBufferAge::Query() {
    if (glXGetCurrentContext() == nullptr) {
        return 0;
    }
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0 || !HasBufferAge(display)) {
        return 0;
    }
    unsigned int age = 0;
    glXQueryDrawable(display, drawable, kBackBufferAge, &age);
    return static_cast<int>(age);
}
