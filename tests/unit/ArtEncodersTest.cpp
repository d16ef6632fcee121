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

TEST(TgaWriter, WritesTheHeaderTheGameAcceptsAndTheBottomRowFirstInBgrOrder) {
    for (int channels : {3, 4}) {
        SCOPED_TRACE(channels);
        const RgbaImage image = Gradient(300, 3, channels);
        const std::vector<uint8_t> file = TgaWriter::Encode(image);
        ASSERT_EQ(file.size(), 18u + 300 * 3 * channels);
        // Uncompressed true colour, no colour map, origin bottom left.
        std::vector<uint8_t> header(18, 0);
        header[2] = 2;
        header[12] = 300 & 0xFF;
        header[13] = 1;
        header[14] = 3;
        header[16] = static_cast<uint8_t>(channels * 8);
        header[17] = channels == 4 ? 8 : 0;  // alpha bits
        EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 18), header);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 300; x += 37) {
                // File row r holds picture row height - 1 - r.
                const uint8_t* at = &file[18 + ((2 - y) * 300 + x) * channels];
                const uint8_t* p = image.Pixel(x, y);
                EXPECT_TRUE(at[0] == p[2] && at[1] == p[1] && at[2] == p[0]) << x << "," << y;
                EXPECT_TRUE(channels == 3 || at[3] == p[3]) << x << "," << y;
            }
        }
    }
    // Sizes the header cannot hold are refused.
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
        for (int i = 0; i < 16 * 3; ++i) {
            worst = std::max(worst, std::abs(row[i] - image.Pixel(i / 3, y)[i % 3]));
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
    EXPECT_EQ(jpg.substr(0, 2), "\xFF\xD8");
}
