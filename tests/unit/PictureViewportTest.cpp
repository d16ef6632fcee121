#include "app/PictureViewport.h"

#include <gtest/gtest.h>

#include <array>

TEST(PictureViewport, FitsTheLargestFourByThreePictureCentredWithBarsOnTheRest) {
    // The client's width and height; the picture's left, top, width, height.
    const std::array<int, 6> cases[] = {
        {800, 600, 0, 0, 800, 600},     // the picture's own shape: no bars
        {1024, 768, 0, 0, 1024, 768},   //
        {1000, 600, 100, 0, 800, 600},  // wide: bars left and right
        {800, 800, 0, 100, 800, 600},   // tall: bars above and below
        {641, 480, 0, 0, 640, 480},     // an odd column goes to the right
        {1001, 600, 100, 0, 800, 600},  //
        {300, 1000, 0, 387, 300, 225},  //
        {0, 0, 0, 0, 0, 0},             // no window yet
        {-5, 600, 0, 300, 0, 0},        //
    };
    for (const auto& [clientWidth, clientHeight, left, top, width, height] : cases) {
        const PictureViewport v = PictureViewport::Fit(clientWidth, clientHeight);
        SCOPED_TRACE(testing::Message() << clientWidth << " x " << clientHeight);
        EXPECT_EQ(v.left, left);
        EXPECT_EQ(v.top, top);
        EXPECT_EQ(v.width, width);
        EXPECT_EQ(v.height, height);
        // GL counts rows from the bottom: the bar below is as tall as the
        // client minus picture minus bar above.
        EXPECT_EQ(v.GlY(), v.clientHeight - top - height);
        EXPECT_EQ(v.ToPictureX(left), 0);
        EXPECT_EQ(v.ToPictureY(top + height - 1), height - 1);
    }
}
