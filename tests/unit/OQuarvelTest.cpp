#include "app/OQuarvel.h"

#include <gtest/gtest.h>

#include "render/OBaseImage.h"

TEST(OQuarvelIcon, PicturesBecomeRgbaTopRowFirstWhateverTheirDepth) {
    OBaseImage picture;
    picture.width = 2;
    picture.height = 1;
    picture.bytesPerPixel = 3;
    picture.pixels = {10, 20, 30, 40, 50, 60};
    EXPECT_EQ(OQuarvel::IconPixels(picture),
              (std::vector<uint8_t>{10, 20, 30, 255, 40, 50, 60, 255}))
        << "opaque when the picture has no alpha";

    picture.bytesPerPixel = 4;
    picture.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(OQuarvel::IconPixels(picture), picture.pixels);

    picture.bytesPerPixel = 1;
    picture.pixels = {9, 200};
    EXPECT_EQ(OQuarvel::IconPixels(picture),
              (std::vector<uint8_t>{9, 9, 9, 255, 200, 200, 200, 255}));
}

TEST(OQuarvelIcon, PixelsThatDoNotFillThePictureGiveNoIcon) {
    OBaseImage picture;
    picture.width = 4;
    picture.height = 4;
    picture.bytesPerPixel = 4;
    picture.pixels.assign(4 * 4 * 4 - 1, 0);
    EXPECT_TRUE(OQuarvel::IconPixels(picture).empty());
    picture.pixels.assign(4 * 4 * 2, 0);
    picture.bytesPerPixel = 2;
    EXPECT_TRUE(OQuarvel::IconPixels(picture).empty()) << "no such depth";
}
