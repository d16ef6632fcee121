#include "app/PictureViewport.h"

#include <gtest/gtest.h>

TEST(PictureViewport, FitsTheLargestFourByThreePictureCentredWithBarsOnTheRest) {
    struct Case {
        int clientWidth, clientHeight;
        int left, top, width, height;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        const PictureViewport v = PictureViewport::Fit(c.clientWidth, c.clientHeight);
        SCOPED_TRACE(testing::Message() << c.clientWidth << " x " << c.clientHeight);
        EXPECT_EQ(v.left, c.left);
        EXPECT_EQ(v.top, c.top);
        EXPECT_EQ(v.width, c.width);
        EXPECT_EQ(v.height, c.height);
        // GL counts rows from the bottom: the bar below is as tall as the
        // client minus picture minus bar above.
        EXPECT_EQ(v.GlY(), v.clientHeight - c.top - c.height);
        EXPECT_EQ(v.ToPictureX(c.left), 0);
        EXPECT_EQ(v.ToPictureY(c.top + c.height - 1), c.height - 1);
    }
}
