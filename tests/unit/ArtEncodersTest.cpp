#include <gtest/gtest.h>
#include <jpeglib.h>

#include <filesystem>
#include <stdexcept>

#include "assetgen/Asset.h"
#include "assetgen/AssetWriter.h"
#include "assetgen/JpegWriter.h"
#include "assetgen/TgaWriter.h"
#include "support/TempDir.h"

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

TEST(TgaWriter, WritesTheHeaderTheGameAccepts) {
    const std::vector<uint8_t> rgba = TgaWriter::Encode(Gradient(300, 2, 4));
    const uint8_t fixed[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_GE(rgba.size(), 18u);
    EXPECT_TRUE(std::equal(fixed, fixed + 12, rgba.begin()));
    EXPECT_EQ(rgba[12] | (rgba[13] << 8), 300);
    EXPECT_EQ(rgba[14] | (rgba[15] << 8), 2);
    EXPECT_EQ(rgba[16], 32);
    EXPECT_EQ(rgba.size(), 18u + 300 * 2 * 4);

    const std::vector<uint8_t> rgb = TgaWriter::Encode(Gradient(5, 3, 3));
    EXPECT_EQ(rgb[16], 24);
    EXPECT_EQ(rgb.size(), 18u + 5 * 3 * 3);
}

TEST(TgaWriter, StoresTheBottomRowFirstInBlueGreenRedOrder) {
    const RgbaImage image = Gradient(4, 3, 4);
    const std::vector<uint8_t> file = TgaWriter::Encode(image);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            // File row r holds picture row height - 1 - r.
            const size_t at = 18 + ((2 - y) * 4 + x) * 4;
            const uint8_t* p = image.Pixel(x, y);
            EXPECT_EQ(file[at + 0], p[2]);
            EXPECT_EQ(file[at + 1], p[1]);
            EXPECT_EQ(file[at + 2], p[0]);
            EXPECT_EQ(file[at + 3], p[3]);
        }
    }
}

TEST(TgaWriter, RefusesSizesOutsideTheHeader) {
    EXPECT_THROW(TgaWriter::Encode(RgbaImage(0, 4, 4)), std::invalid_argument);
    EXPECT_THROW(TgaWriter::Encode(RgbaImage(70000, 1, 3)), std::invalid_argument);
}

TEST(JpegWriter, WritesABaselineJpegThatDecodesToThePicture) {
    const RgbaImage image = Gradient(16, 8, 3);
    const std::vector<uint8_t> file = JpegWriter::Encode(image, 95);

    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    EXPECT_FALSE(info.progressive_mode);
    jpeg_start_decompress(&info);
    EXPECT_EQ(info.output_width, 16u);
    EXPECT_EQ(info.output_height, 8u);
    EXPECT_EQ(info.output_components, 3);
    std::vector<uint8_t> row(16 * 3);
    int worst = 0;
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < 16; ++x) {
            for (int c = 0; c < 3; ++c) {
                worst = std::max(worst, std::abs(row[x * 3 + c] - image.Pixel(x, y)[c]));
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    // Top row first, as the game reads JPEG rows: a flipped picture would be
    // off by far more than compression noise.
    EXPECT_LT(worst, 24);
}

TEST(AssetWriter, WritesEachPictureBelowDataTextures) {
    TempDir dir;
    std::vector<Asset> assets;
    assets.push_back({"Buttons/Test.Tga", Gradient(4, 4, 4)});
    assets.push_back({"Interface/Back.Jpg", Gradient(8, 8, 3)});
    AssetWriter::WriteAll(assets, dir.Path().string());
    const std::string tga = TempDir::Read(dir.File("Data/Textures/Buttons/Test.Tga"));
    const std::vector<uint8_t> expected = TgaWriter::Encode(assets[0].image);
    EXPECT_EQ(tga, std::string(expected.begin(), expected.end()));
    const std::string jpg = TempDir::Read(dir.File("Data/Textures/Interface/Back.Jpg"));
    ASSERT_GE(jpg.size(), 2u);
    EXPECT_EQ(static_cast<uint8_t>(jpg[0]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(jpg[1]), 0xD8);
}
