#include <gtest/gtest.h>

#include <cmath>

#include "assetgen/Canvas.h"
#include "assetgen/ContactSheet.h"
#include "assetgen/FontLibrary.h"
#include "assetgen/PaintKit.h"
#include "assetgen/Rng.h"
#include "assetgen/TrackPath.h"

TEST(TrackPath, CurvesPassCloseEnoughToTheCentreToPickUpItems) {
    const TrackPath curve = TrackPath::Curve({-40, 0}, {0, 40});
    // Control points as the rail catalogue writes them.
    EXPECT_DOUBLE_EQ(curve.Points()[1].x, -10);
    EXPECT_DOUBLE_EQ(curve.Points()[2].y, 10);
    const TrackPath::Point middle = curve.At(0.5);
    const double distance = std::hypot(middle.x, middle.y);
    EXPECT_NEAR(distance, 12.4, 0.05);
    EXPECT_LT(distance, 16.0);
    const TrackPath::Point start = curve.At(0), end = curve.At(1);
    EXPECT_DOUBLE_EQ(start.x, -40);
    EXPECT_DOUBLE_EQ(end.y, 40);
    // Tangents are unit length and point along the travel.
    const TrackPath::Point d = curve.Tangent(0);
    EXPECT_NEAR(d.x, 1, 1e-9);
    EXPECT_NEAR(std::hypot(curve.Tangent(0.3).x, curve.Tangent(0.3).y), 1, 1e-9);
}

TEST(TrackPath, EvenlySpacedPointsLieAtEqualDistancesAlongTheCurve) {
    const TrackPath curve = TrackPath::Curve({0, -40}, {40, 0});
    const std::vector<double> ts = curve.EvenlySpaced(6);
    ASSERT_EQ(ts.size(), 6u);
    std::vector<double> gaps;
    for (size_t i = 1; i < ts.size(); ++i) {
        // Chord lengths between neighbours on a gentle curve are all alike.
        const TrackPath::Point a = curve.At(ts[i - 1]), b = curve.At(ts[i]);
        gaps.push_back(std::hypot(b.x - a.x, b.y - a.y));
    }
    for (double gap : gaps) {
        EXPECT_NEAR(gap, gaps[0], 0.3);
    }
    EXPECT_NEAR(TrackPath::Horizontal().Length(), 80, 1e-6);
    const std::vector<double> straight = TrackPath::Horizontal().EvenlySpaced(8);
    EXPECT_NEAR(TrackPath::Horizontal().At(straight[0]).x, -35, 0.05);
    EXPECT_NEAR(TrackPath::Horizontal().At(straight[7]).x, 35, 0.05);
}

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
}

TEST(PaintKit, FitSizeShrinksLetteringToTheRoomGiven) {
    Canvas canvas(10, 10);
    cairo_t* cr = canvas.Context();
    const double size = PaintKit::FitSize(cr, FontLibrary::kSerifBold, "High Scores", 120, 40);
    EXPECT_LT(size, 40);
    EXPECT_LE(PaintKit::TextWidth(cr, "High Scores"), 120.5);
    EXPECT_EQ(PaintKit::FitSize(cr, FontLibrary::kSerifBold, "OK", 120, 20), 20);
}

TEST(Rng, RepeatsItsSequenceForASeedAndStaysInRange) {
    Rng a(7), b(7), c(8);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const uint32_t x = a.Next();
        EXPECT_EQ(x, b.Next());
        differs |= x != c.Next();
    }
    EXPECT_TRUE(differs);
    Rng r(0);
    for (int i = 0; i < 1000; ++i) {
        const int v = r.Int(3, 5);
        EXPECT_GE(v, 3);
        EXPECT_LE(v, 5);
        const double u = r.Unit();
        EXPECT_GE(u, 0.0);
        EXPECT_LT(u, 1.0);
    }
}

TEST(ContactSheet, LaysEveryPictureOutInLabelledCells) {
    std::vector<Asset> assets;
    for (int i = 0; i < 7; ++i) {
        RgbaImage image(20 + i, 10, 4);
        for (uint8_t& byte : image.Bytes()) {
            byte = 255;
        }
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
