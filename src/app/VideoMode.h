#pragma once

// A display mode as the display driver lists it, or as the window asks for
// one when it goes full screen.
struct VideoMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshRate = 0;
};
