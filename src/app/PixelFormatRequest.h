#pragma once

#include <vector>

// What the window asks of the OpenGL framebuffer for a ColorDepth option:
// 16 bits give 5/6/5 colour, more give 8/8/8, no alpha. The depth buffer asks
// for as many bits as the colour depth; drivers that refuse 32 depth bits are
// asked again for 24, then 16.
class PixelFormatRequest {
public:
    explicit PixelFormatRequest(int colorDepth);

    // The choice of the options screen (16 or 32) that asks for the same
    // colour bits as this ColorDepth option, whatever a damaged file says.
    static int NearestColorDepth(int colorDepth);

    int redBits = 0;
    int greenBits = 0;
    int blueBits = 0;
    // Depth-buffer sizes to try, best first.
    std::vector<int> depthBits;
};
