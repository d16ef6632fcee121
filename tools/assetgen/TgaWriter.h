#pragma once

#include <cstdint>
#include <vector>

#include "assetgen/RgbaImage.h"

// Encodes a picture as an uncompressed true-colour TGA (type 2): 24-bit BGR
// for opaque pictures, 32-bit BGRA for pictures with alpha, bottom row first
// so that the game shows them upright.
class TgaWriter {
public:
    static std::vector<uint8_t> Encode(const RgbaImage& image);
};
