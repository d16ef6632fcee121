#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Builds an uncompressed 32-bit TGA (type 2, bottom row first) in memory.
// pixel(x, row) gives RGBA for file row `row` (0 = first row in the file).
inline std::vector<uint8_t> MakeTga32(
    int width, int height,
    const std::function<uint32_t(int x, int row)>& rgba = [](int, int) { return 0xFFFFFFFFu; }) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = static_cast<uint8_t>(width & 0xFF);
    bytes[13] = static_cast<uint8_t>(width >> 8);
    bytes[14] = static_cast<uint8_t>(height & 0xFF);
    bytes[15] = static_cast<uint8_t>(height >> 8);
    bytes[16] = 32;
    bytes[17] = 8;
    bytes.reserve(18 + static_cast<size_t>(width) * height * 4);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = rgba(x, row);
            bytes.push_back(static_cast<uint8_t>(c >> 8));   // B
            bytes.push_back(static_cast<uint8_t>(c >> 16));  // G
            bytes.push_back(static_cast<uint8_t>(c >> 24));  // R
            bytes.push_back(static_cast<uint8_t>(c));        // A
        }
    }
    return bytes;
}
