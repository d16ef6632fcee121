#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture in memory: straight (not premultiplied) 8-bit channels,
// top row first, 3 (RGB) or 4 (RGBA) channels per pixel.
class RgbaImage {
public:
    RgbaImage() = default;
    RgbaImage(int width, int height, int channels)
        : width_(width),
          height_(height),
          channels_(channels),
          pixels_(static_cast<size_t>(width) * height * channels, 0) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Channels() const { return channels_; }
    bool HasAlpha() const { return channels_ == 4; }

    uint8_t* Pixel(int x, int y) { return &pixels_[Offset(x, y)]; }
    const uint8_t* Pixel(int x, int y) const { return &pixels_[Offset(x, y)]; }
    uint8_t Alpha(int x, int y) const { return channels_ == 4 ? pixels_[Offset(x, y) + 3] : 255; }

    const std::vector<uint8_t>& Bytes() const { return pixels_; }
    std::vector<uint8_t>& Bytes() { return pixels_; }

private:
    size_t Offset(int x, int y) const { return (static_cast<size_t>(y) * width_ + x) * channels_; }

    int width_ = 0;
    int height_ = 0;
    int channels_ = 4;
    std::vector<uint8_t> pixels_;
};
