#include "assetgen/TgaWriter.h"

#include <stdexcept>

std::vector<uint8_t> TgaWriter::Encode(const RgbaImage& image) {
    if (image.Width() <= 0 || image.Height() <= 0 || image.Width() > 0xFFFF ||
        image.Height() > 0xFFFF) {
        throw std::invalid_argument("picture size does not fit a TGA header");
    }
    const int channels = image.Channels();
    std::vector<uint8_t> out(18, 0);
    out[2] = 2;  // uncompressed true colour
    out[12] = static_cast<uint8_t>(image.Width() & 0xFF);
    out[13] = static_cast<uint8_t>(image.Width() >> 8);
    out[14] = static_cast<uint8_t>(image.Height() & 0xFF);
    out[15] = static_cast<uint8_t>(image.Height() >> 8);
    out[16] = static_cast<uint8_t>(channels * 8);
    out[17] = static_cast<uint8_t>(channels == 4 ? 8 : 0);  // alpha bits, bottom-left origin
    out.reserve(out.size() + image.Bytes().size());
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const uint8_t* p = image.Pixel(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
            if (channels == 4) {
                out.push_back(p[3]);
            }
        }
    }
    return out;
}
