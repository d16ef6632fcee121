#include "app/BackBufferAge.h"

#include <GL/glx.h>
#include <SDL.h>

#include "render/OGLExtensions.h"

namespace {

constexpr int kBackBufferAge = 0x20F4;  // GLX_BACK_BUFFER_AGE_EXT

using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);

// What the display's GLX offers, asked once per display connection.
struct Offers {
    Display* display = nullptr;
    bool age = false;
    CopySubBuffer copy = nullptr;
};

const Offers& OffersOf(Display* display) {
    static Offers offers;
    if (display != offers.display) {
        const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
        offers.display = display;
        offers.age = OGLExtensions::IsSupportedIn(extensions, "GLX_EXT_buffer_age");
        offers.copy = nullptr;
        if (OGLExtensions::IsSupportedIn(extensions, "GLX_MESA_copy_sub_buffer")) {
            offers.copy = reinterpret_cast<CopySubBuffer>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
        }
    }
    return offers;
}

}  // namespace

int BackBufferAge::Query() {
    if (glXGetCurrentContext() == nullptr) {
        return 0;
    }
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) {
        return 0;
    }
    const Offers& offers = OffersOf(display);
    if (offers.age) {
        unsigned int age = 0;
        glXQueryDrawable(display, drawable, kBackBufferAge, &age);
        return static_cast<int>(age);
    }
    return offers.copy != nullptr && drawable == keptDrawable ? 1 : 0;
}

void BackBufferAge::Present(SDL_Window* window) {
    ++swaps;
    Display* display = glXGetCurrentContext() != nullptr ? glXGetCurrentDisplay() : nullptr;
    const GLXDrawable drawable = display != nullptr ? glXGetCurrentDrawable() : 0;
    if (drawable != 0 && !OffersOf(display).age && OffersOf(display).copy != nullptr) {
        // The back buffer took the window's size when the frame began; a
        // window resized since the last present may not match it: then a
        // plain swap, which knows the buffer's own size.
        unsigned int width = 0;
        unsigned int height = 0;
        glXQueryDrawable(display, drawable, GLX_WIDTH, &width);
        glXQueryDrawable(display, drawable, GLX_HEIGHT, &height);
        const bool sameSize =
            drawable == sizedDrawable && width == sizedWidth && height == sizedHeight;
        sizedDrawable = drawable;
        sizedWidth = width;
        sizedHeight = height;
        if (sameSize && width > 0 && height > 0) {
            // The whole buffer, so that a window uncovered meanwhile is whole
            // too.
            OffersOf(display).copy(display, drawable, 0, 0, static_cast<int>(width),
                                   static_cast<int>(height));
            keptDrawable = drawable;
            return;
        }
    }
    keptDrawable = 0;
    SDL_GL_SwapWindow(window);
}
