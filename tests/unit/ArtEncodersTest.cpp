#include "render/OBaseImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "assetgen/JpegWriter.h"
#include "assetgen/TgaWriter.h"

namespace {

RgbaImage Gradient(int width, int height, int channels) {
    RgbaImage image(width, height, channels);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = image.Pixel(x, y);
            p[0] = static_cast<uint8_t>(x * 16);
            p[1] = static_cast<uint8_t>(y * 16);
            p[2] = static_cast<uint8_t>(200 - x * 8);
            if (channels == 4) {
                p[3] = static_cast<uint8_t>(x + y * width);
            }
        }
    }
    return image;
}

}  // namespace

// The game's own decoder reads what the writers write: TGA with the bottom
// row first (the first row of the GL texture, so pictures show upright),
// JPEG top row first.
TEST(TgaWriter, WritesFilesTheGameDecodesToThePictureBottomRowFirst) {
    for (int channels : {3, 4}) {
        SCOPED_TRACE(channels);
        const RgbaImage picture = Gradient(300, 3, channels);
        const std::vector<uint8_t> file = TgaWriter::Encode(picture);
        OBaseImage image;
        ASSERT_TRUE(image.DecodeTga(file.data(), file.size()));
        EXPECT_EQ((std::vector<int>{image.width, image.height, image.bytesPerPixel}),
                  (std::vector<int>{300, 3, channels}));
        EXPECT_EQ(file.size(), 18u + 300 * 3 * channels);
        EXPECT_EQ(file[17], channels == 4 ? 8 : 0) << "alpha bits, origin bottom left";
        for (int i = 0; i < 300 * 3 * channels; ++i) {
            const int x = i / channels % 300, y = 2 - i / channels / 300;
            ASSERT_EQ(image.pixels[i], picture.Pixel(x, y)[i % channels]) << x << "," << y;
        }
    }
    // Sizes the header cannot hold are refused.
    EXPECT_THROW(TgaWriter::Encode(RgbaImage(0, 4, 4)), std::invalid_argument);
    EXPECT_THROW(TgaWriter::Encode(RgbaImage(70000, 1, 3)), std::invalid_argument);
}

TEST(JpegWriter, WritesABaselineJpegThatTheGameDecodesToThePictureTopRowFirst) {
    const RgbaImage picture = Gradient(16, 8, 3);
    const std::vector<uint8_t> file = JpegWriter::Encode(picture, 95);
    // Baseline: a start-of-frame 0 marker and no progressive one.
    auto has = [&](uint8_t marker) {
        const uint8_t bytes[2] = {0xFF, marker};
        return std::search(file.begin(), file.end(), bytes, bytes + 2) != file.end();
    };
    EXPECT_TRUE(has(0xC0));
    EXPECT_FALSE(has(0xC2));
    OBaseImage image;
    ASSERT_TRUE(image.DecodeJpeg(file.data(), file.size()));
    ASSERT_EQ((std::vector<int>{image.width, image.height, image.bytesPerPixel}),
              (std::vector<int>{16, 8, 3}));
    int worst = 0;
    for (int i = 0; i < 16 * 8 * 3; ++i) {
        worst =
            std::max(worst, std::abs(image.pixels[i] - picture.Pixel(i / 3 % 16, i / 48)[i % 3]));
    }
    // A flipped picture would be off by far more than compression noise.
    EXPECT_LT(worst, 24);
}
