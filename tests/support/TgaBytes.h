#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/ImageFiles.h"

// Builds an uncompressed 32-bit TGA (type 2, bottom row first) in memory.
// pixel(x, row) gives RGBA for file row `row` (0 = first row in the file).
inline std::vector<uint8_t> MakeTga32(
    int width, int height,
    const std::function<uint32_t(int x, int row)>& rgba = [](int, int) { return 0xFFFFFFFFu; }) {
    std::vector<uint8_t> pixels;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = rgba(x, row);
            pixels.insert(pixels.end(), {uint8_t(c >> 8), uint8_t(c >> 16), uint8_t(c >> 24),
                                         uint8_t(c)});  // BGRA
        }
    }
    const std::string file = ImageFiles::Tga(2, 32, width, height, pixels, 8);
    return {file.begin(), file.end()};
}
