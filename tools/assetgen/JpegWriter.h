#pragma once

#include <cstdint>
#include <vector>

#include "assetgen/RgbaImage.h"

// Encodes an opaque picture as a baseline JPEG with libjpeg.
class JpegWriter {
public:
    static std::vector<uint8_t> Encode(const RgbaImage& image, int quality);
};
