#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "assetgen/Canvas.h"
#include "assetgen/ContactSheet.h"
#include "assetgen/FontLibrary.h"
#include "assetgen/PaintKit.h"
#include "assetgen/Rng.h"
#include "assetgen/TrackPath.h"

TEST(Canvas, ReadsBackStraightAlphaAndDropsItForOpaquePictures) {
    Canvas canvas(4, 2);
    cairo_t* cr = canvas.Context();
    cairo_set_source_rgba(cr, 1.0, 0.5, 0.0, 0.5);
    cairo_rectangle(cr, 0, 0, 2, 2);
    cairo_fill(cr);
    const RgbaImage rgba = canvas.ToImage(true);
    EXPECT_EQ(rgba.Channels(), 4);
    EXPECT_NEAR(rgba.Pixel(0, 0)[0], 255, 1);
    EXPECT_NEAR(rgba.Pixel(1, 1)[1], 128, 2);
    EXPECT_NEAR(rgba.Alpha(0, 1), 128, 1);
    EXPECT_EQ(rgba.Alpha(3, 0), 0);
    const RgbaImage rgb = canvas.ToImage(false);
    EXPECT_EQ(rgb.Channels(), 3);
    EXPECT_EQ(rgb.Bytes().size(), 4u * 2 * 3);

    // Drawing a picture back onto a canvas keeps its colours.
    Canvas copy(4, 2);
    Canvas::DrawImage(copy.Context(), rgba, 0, 0);
    const RgbaImage again = copy.ToImage(true);
    EXPECT_NEAR(again.Pixel(0, 0)[0], 255, 2);
    EXPECT_NEAR(again.Alpha(1, 0), 128, 1);

    // Lettering too wide for the room shrinks until it fits; short lettering
    // keeps the largest size asked for.
    const double size = PaintKit::FitSize(cr, FontLibrary::kSerifBold, "High Scores", 120, 40);
    EXPECT_LT(size, 40);
    EXPECT_LE(PaintKit::TextWidth(cr, "High Scores"), 120.5);
    EXPECT_EQ(PaintKit::FitSize(cr, FontLibrary::kSerifBold, "OK", 120, 20), 20);
}

TEST(ContactSheet, LaysEveryPictureOutInLabelledCells) {
    std::vector<Asset> assets;
    for (int i = 0; i < 7; ++i) {
        RgbaImage image(20 + i, 10, 4);
        std::fill(image.Bytes().begin(), image.Bytes().end(), 255);
        assets.push_back({"Pic" + std::to_string(i) + ".Tga", image});
    }
    const RgbaImage sheet = ContactSheet::Compose(assets);
    // Six cells to a row: seven pictures need two rows.
    EXPECT_EQ(sheet.Width(), 6 * 330);
    EXPECT_EQ(sheet.Height(), 2 * 290);
    EXPECT_EQ(sheet.Channels(), 3);
    // The first (white) picture is enlarged three times at its cell's centre.
    const uint8_t* centre = sheet.Pixel(165, 8 + 125);
    EXPECT_EQ(centre[0], 255);
    EXPECT_EQ(centre[2], 255);
}
