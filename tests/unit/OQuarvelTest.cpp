#include "app/OQuarvel.h"

#include <gtest/gtest.h>

#include "render/OBaseImage.h"

// The window icon is RGBA, opaque where the picture has no alpha; pixels
// that do not fill the picture, or a depth we do not know, give no icon.
TEST(OQuarvelIcon, PicturesBecomeRgbaWhateverTheirDepth) {
    using Bytes = std::vector<uint8_t>;
    const std::vector<std::tuple<int, int, Bytes, Bytes>> cases = {
        {2, 3, {10, 20, 30, 40, 50, 60}, {10, 20, 30, 255, 40, 50, 60, 255}},
        {2, 4, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8}},
        {2, 1, {9, 200}, {9, 9, 9, 255, 200, 200, 200, 255}},
        {2, 4, Bytes(7), {}},  // a byte short
        {2, 2, Bytes(4), {}},  // no such depth
    };
    for (const auto& [width, bytesPerPixel, pixels, icon] : cases) {
        OBaseImage picture;
        picture.width = width;
        picture.height = 1;
        picture.bytesPerPixel = bytesPerPixel;
        picture.pixels = pixels;
        EXPECT_EQ(OQuarvel::IconPixels(picture), icon) << bytesPerPixel << " bytes a pixel";
    }
}
