#include "app/PixelFormatRequest.h"

#include <algorithm>

namespace {

// Only the low byte of the option counts, as in the pixel-format request the
// game was written for; anything outside 16..32 is brought into it.
int ColourBits(int colorDepth) {
    return std::clamp(colorDepth & 0xFF, 16, 32);
}

}  // namespace

int PixelFormatRequest::NearestColorDepth(int colorDepth) {
    return ColourBits(colorDepth) > 16 ? 32 : 16;
}

PixelFormatRequest::PixelFormatRequest(int colorDepth) {
    int bits = ColourBits(colorDepth);
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
