#include "app/PixelFormatRequest.h"

#include <algorithm>

PixelFormatRequest::PixelFormatRequest(int colorDepth) {
    // Only the low byte of the option counts, as in the pixel-format request
    // the game was written for; anything outside 16..32 is brought into it.
    int bits = std::clamp(colorDepth & 0xFF, 16, 32);
    if (bits > 16) {
        redBits = greenBits = blueBits = 8;
    } else {
        redBits = 5;
        greenBits = 6;
        blueBits = 5;
    }
    depthBits.push_back(bits);
    for (int fallback : {24, 16}) {
        if (fallback < bits)
            depthBits.push_back(fallback);
    }
}
