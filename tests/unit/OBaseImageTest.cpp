#include "render/OBaseImage.h"

#include <gtest/gtest.h>

#include "support/ImageFiles.h"

using ImageFiles::Bytes;
using ImageFiles::FilledTga;
using ImageFiles::Tga;

namespace {

bool DecodeTga(OBaseImage& image, const std::string& file) {
    return image.DecodeTga(Bytes(file), file.size());
}

bool DecodeJpeg(OBaseImage& image, const std::string& file) {
    return image.DecodeJpeg(Bytes(file), file.size());
}

}  // namespace

// Blue-green-red becomes red-green-blue, greyscale stays as it is, and the
// file's first row stays the buffer's first (a top-left origin in the
// descriptor byte is not acted on). Other kinds of TGA (a header byte
// changed), depths that do not match the type, and damaged headers (cut
// short, sizes the data does not hold or out of bounds) are refused and
// leave no pixels behind.
TEST(OBaseImageTga, DepthsGiveTheirFormatsAndOtherKindsAndDamagedFilesAreRefused) {
    const std::vector<uint8_t> bgr = {10, 20, 30, 11, 21, 31};
    const std::vector<uint8_t> rgb = {30, 20, 10, 31, 21, 11};
    const std::vector<std::tuple<std::string, GLenum, int, std::vector<uint8_t>>> cases = {
        {Tga(2, 32, 2, 1, {10, 20, 30, 40, 1, 2, 3, 4}), GL_RGBA, 2, {30, 20, 10, 40, 3, 2, 1, 4}},
        {Tga(2, 24, 2, 1, bgr), GL_RGB, 2, rgb},
        {Tga(3, 8, 2, 2, {10, 20, 30, 40}), GL_LUMINANCE, 2, {10, 20, 30, 40}},
        {Tga(2, 24, 1, 2, bgr, 0x20), GL_RGB, 1, rgb},
    };
    OBaseImage image;
    for (const auto& [file, format, width, pixels] : cases) {
        SCOPED_TRACE(format);
        ASSERT_TRUE(DecodeTga(image, file));
        EXPECT_EQ(image.pixelFormat, format);
        EXPECT_EQ(image.components, image.bytesPerPixel);
        EXPECT_EQ(image.width, width);
        EXPECT_EQ(image.pixels, pixels);
        EXPECT_EQ(image.textureName, 0u) << "no GL context: nothing uploaded";
    }

    const std::string good = FilledTga(2, 24, 2, 2, {1, 2, 3});
    const std::string full = FilledTga(2, 32, 4, 4, {1, 2, 3, 4});
    std::vector<std::string> files = {full.substr(0, full.size() - 1),
                                      full.substr(0, 18),
                                      full.substr(0, 17),
                                      Tga(2, 32, 0xFFFF, 0xFFFF, {1, 2, 3, 4}),
                                      FilledTga(3, 8, 8193, 1, {1}),
                                      FilledTga(3, 8, 1, 8193, {1}),
                                      Tga(2, 24, 0, 3, {}),
                                      Tga(2, 24, 3, 0, {})};
    // Image-ID field, colour map, colour-mapped and run-length types,
    // colour-map entry, x and y origin.
    for (const auto& [offset, value] :
         {std::pair{0, 5}, {1, 1}, {2, 1}, {2, 10}, {2, 11}, {5, 1}, {8, 1}, {11, 1}}) {
        files.push_back(good);
        files.back()[offset] = static_cast<char>(value);
    }
    for (const auto& [type, depth] : {std::pair{2, 16}, {2, 15}, {2, 8}, {3, 24}, {3, 16}, {3, 32}})
        files.push_back(FilledTga(type, depth, 2, 2, {9, 9, 9, 9}));
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_FALSE(DecodeTga(image, files[i])) << "file " << i;
        EXPECT_TRUE(image.pixels.empty()) << "file " << i;
    }
    EXPECT_FALSE(image.DecodeTga(nullptr, 0));
}

// Colour and greyscale JPEGs decode top row first, at three or one bytes a
// pixel. Four-component, damaged and oversized ones are refused without
// leaving pixels (libjpeg's failures and warnings must not end the process).
TEST(OBaseImageJpeg, ColourAndGreyscaleDecodeAndDamagedFilesAreRefused) {
    OBaseImage image;
    // 16 x 16 colour, top half red, bottom half blue; 16 x 8 grey, dark left.
    std::vector<uint8_t> rgb;
    std::vector<uint8_t> grey;
    for (int i = 0; i < 16 * 16; ++i) {
        rgb.insert(rgb.end(), {uint8_t(i < 128 ? 220 : 20), 30, uint8_t(i < 128 ? 20 : 220)});
        grey.push_back(i % 16 < 8 ? 40 : 200);
    }
    const std::string good = ImageFiles::Jpeg(16, 16, 3, rgb);
    ASSERT_TRUE(DecodeJpeg(image, good));
    EXPECT_EQ(image.pixelFormat, static_cast<GLenum>(GL_RGB));
    EXPECT_EQ(image.components, 3);
    ASSERT_EQ(image.pixels.size(), 16u * 16u * 3u);
    EXPECT_NEAR(image.pixels[(2 * 16 + 3) * 3], 220, 12);
    EXPECT_NEAR(image.pixels[(2 * 16 + 3) * 3 + 2], 20, 12);
    EXPECT_NEAR(image.pixels[(13 * 16 + 3) * 3], 20, 12);
    EXPECT_NEAR(image.pixels[(13 * 16 + 3) * 3 + 2], 220, 12);

    ASSERT_TRUE(DecodeJpeg(image, ImageFiles::Jpeg(16, 8, 1, grey)));
    EXPECT_EQ(image.pixelFormat, static_cast<GLenum>(GL_LUMINANCE));
    EXPECT_EQ(image.bytesPerPixel, 1);
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 8);
    ASSERT_EQ(image.pixels.size(), 16u * 8u);
    EXPECT_NEAR(image.pixels[4 * 16 + 2], 40, 8);
    EXPECT_NEAR(image.pixels[4 * 16 + 13], 200, 8);

    // A frame header (SOF0: FF C0, length, precision, height, width) claiming
    // 32767 x 32767.
    std::string huge = ImageFiles::Jpeg(8, 8, 1, std::vector<uint8_t>(64, 128));
    ASSERT_NE(huge.find("\xFF\xC0"), std::string::npos);
    huge.replace(huge.find("\xFF\xC0") + 5, 4, "\x7F\xFF\x7F\xFF");
    const std::string files[] = {ImageFiles::Jpeg(8, 8, 4, std::vector<uint8_t>(8 * 8 * 4, 100)),
                                 good.substr(0, 2),
                                 good.substr(0, 20),
                                 good.substr(0, good.size() / 2),
                                 good.substr(0, good.size() - 2),
                                 "not a jpeg at all",
                                 FilledTga(2, 24, 2, 2, {1, 2, 3}),
                                 huge};
    for (const std::string& file : files) {
        ASSERT_TRUE(DecodeJpeg(image, good));
        EXPECT_FALSE(DecodeJpeg(image, file)) << "file " << &file - files;
        EXPECT_TRUE(image.pixels.empty());
    }
    EXPECT_FALSE(image.DecodeJpeg(nullptr, 0));
}
