#include "render/OBaseImage.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/ImageFiles.h"

using ImageFiles::Bytes;

namespace {

bool DecodeTga(OBaseImage& image, const std::string& file) {
    return image.DecodeTga(Bytes(file), file.size());
}

bool DecodeJpeg(OBaseImage& image, const std::string& file) {
    return image.DecodeJpeg(Bytes(file), file.size());
}

}  // namespace

TEST(OBaseImageTga, TrueColourAndGreyscaleDepthsGiveTheirFormats) {
    struct Case {
        uint8_t type, depth;
        GLenum format;
        int components;
    };
    for (Case c : {Case{2, 24, GL_RGB, 3}, Case{2, 32, GL_RGBA, 4}, Case{3, 8, GL_LUMINANCE, 1}}) {
        const int bytes = c.depth / 8;
        std::vector<uint8_t> pixel(static_cast<size_t>(bytes), 7);
        OBaseImage image;
        ASSERT_TRUE(DecodeTga(image, ImageFiles::FilledTga(c.type, c.depth, 5, 3, pixel)))
            << "type " << int(c.type) << " depth " << int(c.depth);
        EXPECT_EQ(image.pixelFormat, c.format);
        EXPECT_EQ(image.components, c.components);
        EXPECT_EQ(image.bytesPerPixel, bytes);
        EXPECT_EQ(image.width, 5);
        EXPECT_EQ(image.height, 3);
        EXPECT_EQ(image.pixels.size(), static_cast<size_t>(5 * 3 * bytes));
        EXPECT_EQ(image.textureName, 0u) << "no GL context: nothing uploaded";
    }
}

TEST(OBaseImageTga, BlueGreenRedBecomesRedGreenBlueAndRowsKeepFileOrder) {
    // Two rows of two pixels: the file's first row stays the buffer's first.
    const std::vector<uint8_t> bgra = {10, 20, 30, 40, 1, 2, 3, 4,  //
                                       50, 60, 70, 80, 5, 6, 7, 8};
    OBaseImage image;
    ASSERT_TRUE(DecodeTga(image, ImageFiles::Tga(2, 32, 2, 2, bgra)));
    EXPECT_EQ(image.pixels,
              (std::vector<uint8_t>{30, 20, 10, 40, 3, 2, 1, 4, 70, 60, 50, 80, 7, 6, 5, 8}));

    const std::vector<uint8_t> bgr = {10, 20, 30, 11, 21, 31};
    ASSERT_TRUE(DecodeTga(image, ImageFiles::Tga(2, 24, 2, 1, bgr)));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{30, 20, 10, 31, 21, 11}));

    const std::vector<uint8_t> grey = {10, 20, 30, 40};
    ASSERT_TRUE(DecodeTga(image, ImageFiles::Tga(3, 8, 4, 1, grey)));
    EXPECT_EQ(image.pixels, grey) << "greyscale is not reordered";

    // A top-left origin in the descriptor byte is not acted on.
    ASSERT_TRUE(DecodeTga(image, ImageFiles::Tga(2, 24, 1, 2, bgr, 0x20)));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{30, 20, 10, 31, 21, 11}));
}

TEST(OBaseImageTga, OtherKindsOfTgaAreRefused) {
    const std::string good = ImageFiles::FilledTga(2, 24, 2, 2, {1, 2, 3});
    struct Case {
        const char* what;
        size_t offset;
        uint8_t value;
    };
    for (Case c :
         {Case{"image-ID field", 0, 5}, Case{"colour map", 1, 1}, Case{"colour-mapped type", 2, 1},
          Case{"run-length true colour", 2, 10}, Case{"run-length greyscale", 2, 11},
          Case{"colour-map entry", 5, 1}, Case{"x origin", 8, 1}, Case{"y origin", 11, 1}}) {
        std::string file = good;
        file[c.offset] = static_cast<char>(c.value);
        OBaseImage image;
        EXPECT_FALSE(DecodeTga(image, file)) << c.what;
        EXPECT_TRUE(image.pixels.empty()) << c.what;
    }
}

TEST(OBaseImageTga, DepthsThatDoNotMatchTheTypeAreRefused) {
    struct Case {
        uint8_t type, depth;
    };
    for (Case c : {Case{2, 16}, Case{2, 15}, Case{2, 8}, Case{3, 24}, Case{3, 16}, Case{3, 32}}) {
        OBaseImage image;
        std::vector<uint8_t> pixel(4, 9);
        EXPECT_FALSE(DecodeTga(image, ImageFiles::FilledTga(c.type, c.depth, 2, 2, pixel)))
            << "type " << int(c.type) << " depth " << int(c.depth);
    }
}

TEST(OBaseImageTga, ShortOrEmptyPixelDataIsRefused) {
    OBaseImage image;
    const std::string full = ImageFiles::FilledTga(2, 32, 4, 4, {1, 2, 3, 4});
    EXPECT_TRUE(DecodeTga(image, full));
    EXPECT_FALSE(DecodeTga(image, full.substr(0, full.size() - 1)));
    EXPECT_TRUE(image.pixels.empty());
    EXPECT_FALSE(DecodeTga(image, full.substr(0, 18)));
    EXPECT_FALSE(DecodeTga(image, full.substr(0, 17))) << "header cut short";
    EXPECT_FALSE(image.DecodeTga(nullptr, 0));
    // A header claiming the largest size over a few bytes of data.
    std::string huge = ImageFiles::Tga(2, 32, 0xFFFF, 0xFFFF, {1, 2, 3, 4});
    EXPECT_FALSE(DecodeTga(image, huge));
    EXPECT_FALSE(DecodeTga(image, ImageFiles::Tga(2, 24, 0, 3, {}))) << "zero width";
}

TEST(OBaseImageJpeg, ColourJpegDecodesTopRowFirst) {
    // 16 x 16: top half red, bottom half blue.
    std::vector<uint8_t> rgb;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool top = y < 8;
            rgb.insert(rgb.end(), {uint8_t(top ? 220 : 20), 30, uint8_t(top ? 20 : 220)});
        }
    }
    OBaseImage image;
    ASSERT_TRUE(DecodeJpeg(image, ImageFiles::Jpeg(16, 16, 3, rgb)));
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 16);
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.pixelFormat, static_cast<GLenum>(GL_RGB));
    ASSERT_EQ(image.pixels.size(), 16u * 16u * 3u);
    const uint8_t* first = &image.pixels[(2 * 16 + 3) * 3];
    const uint8_t* last = &image.pixels[(13 * 16 + 3) * 3];
    EXPECT_NEAR(first[0], 220, 12);
    EXPECT_NEAR(first[2], 20, 12);
    EXPECT_NEAR(last[0], 20, 12);
    EXPECT_NEAR(last[2], 220, 12);
}

TEST(OBaseImageJpeg, GreyscaleJpegKeepsOneBytePerPixel) {
    std::vector<uint8_t> grey(24 * 8);
    for (size_t i = 0; i < grey.size(); ++i)
        grey[i] = (i % 24) < 12 ? 40 : 200;
    OBaseImage image;
    ASSERT_TRUE(DecodeJpeg(image, ImageFiles::Jpeg(24, 8, 1, grey)));
    EXPECT_EQ(image.pixelFormat, static_cast<GLenum>(GL_LUMINANCE));
    EXPECT_EQ(image.components, 1);
    ASSERT_EQ(image.pixels.size(), 24u * 8u);
    EXPECT_NEAR(image.pixels[4 * 24 + 2], 40, 8);
    EXPECT_NEAR(image.pixels[4 * 24 + 21], 200, 8);
}

TEST(OBaseImageJpeg, FourComponentAndDamagedJpegsAreRefusedWithoutLeavingPixels) {
    std::vector<uint8_t> cmyk(8 * 8 * 4, 100);
    OBaseImage image;
    EXPECT_FALSE(DecodeJpeg(image, ImageFiles::Jpeg(8, 8, 4, cmyk)));
    EXPECT_TRUE(image.pixels.empty());

    std::vector<uint8_t> rgb(32 * 32 * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>(i * 7);
    const std::string good = ImageFiles::Jpeg(32, 32, 3, rgb);
    ASSERT_TRUE(DecodeJpeg(image, good));

    // Cut at several points: header only, half way, just before the end.
    for (size_t length : {size_t{2}, size_t{20}, good.size() / 2, good.size() - 2}) {
        EXPECT_FALSE(DecodeJpeg(image, good.substr(0, length))) << "cut at " << length;
        EXPECT_TRUE(image.pixels.empty());
    }
    EXPECT_FALSE(DecodeJpeg(image, "not a jpeg at all"));
    EXPECT_FALSE(image.DecodeJpeg(nullptr, 0));
    // A TGA handed to the JPEG decoder.
    EXPECT_FALSE(DecodeJpeg(image, ImageFiles::FilledTga(2, 24, 2, 2, {1, 2, 3})));
}

TEST(OBaseImageJpeg, HeaderClaimingAHugePictureIsRefused) {
    std::vector<uint8_t> grey(8 * 8, 128);
    std::string file = ImageFiles::Jpeg(8, 8, 1, grey);
    // Patch the frame header (SOF0: FF C0, length, precision, height, width).
    const size_t sof = file.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    file[sof + 5] = '\x7F';
    file[sof + 6] = '\xFF';
    file[sof + 7] = '\x7F';
    file[sof + 8] = '\xFF';
    OBaseImage image;
    EXPECT_FALSE(DecodeJpeg(image, file));
}
