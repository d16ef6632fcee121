#include <gtest/gtest.h>

#include <vector>

#include "app/DisplayDriverCheck.h"
#include "app/PixelFormatRequest.h"
#include "app/SoftwareRendererCheck.h"

TEST(PixelFormatRequest, ColourAndDepthBitsFollowTheColourDepth) {
    PixelFormatRequest sixteen(16);
    EXPECT_EQ(sixteen.redBits, 5);
    EXPECT_EQ(sixteen.greenBits, 6);
    EXPECT_EQ(sixteen.blueBits, 5);
    EXPECT_EQ(sixteen.depthBits, (std::vector<int>{16}));

    PixelFormatRequest thirtyTwo(32);
    EXPECT_EQ(thirtyTwo.redBits, 8);
    EXPECT_EQ(thirtyTwo.greenBits, 8);
    EXPECT_EQ(thirtyTwo.blueBits, 8);
    EXPECT_EQ(thirtyTwo.depthBits, (std::vector<int>{32, 24, 16}));

    EXPECT_EQ(PixelFormatRequest(24).depthBits, (std::vector<int>{24, 16}));
}

TEST(PixelFormatRequest, DamagedColourDepthOptionsStillAskForAUsableFormat) {
    // A missing key reads as 0; only the low byte counts; nonsense is clamped.
    for (int depth : {0, 8, 256 + 16}) {
        PixelFormatRequest request(depth);
        EXPECT_EQ(request.depthBits, (std::vector<int>{16})) << depth;
        EXPECT_EQ(request.greenBits, 6) << depth;
    }
    for (int depth : {-1, 255, 256 + 32, 64}) {
        PixelFormatRequest request(depth);
        EXPECT_EQ(request.depthBits, (std::vector<int>{32, 24, 16})) << depth;
        EXPECT_EQ(request.redBits, 8) << depth;
    }
}

TEST(SoftwareRendererCheck, RefusesTheSlowGenericRenderersOnly) {
    EXPECT_TRUE(SoftwareRendererCheck::IsGenericSoftware("Microsoft Corporation", "GDI Generic"));
    EXPECT_TRUE(SoftwareRendererCheck::IsGenericSoftware("Mesa/X.org", "softpipe"));
    EXPECT_TRUE(SoftwareRendererCheck::IsGenericSoftware("Mesa Project", "Software Rasterizer"));
    EXPECT_FALSE(
        SoftwareRendererCheck::IsGenericSoftware("Mesa/X.org", "llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_FALSE(SoftwareRendererCheck::IsGenericSoftware("NVIDIA Corporation",
                                                          "NVIDIA GeForce GTX 1060/PCIe/SSE2"));
    EXPECT_FALSE(SoftwareRendererCheck::IsGenericSoftware(
        "AMD", "AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0)"));
    EXPECT_FALSE(SoftwareRendererCheck::IsGenericSoftware(nullptr, nullptr));
}

TEST(DisplayDriverCheck, HeadlessDriversAreRefusedUnlessAskedFor) {
    EXPECT_TRUE(DisplayDriverCheck::IsUnrequestedHeadless("offscreen", nullptr));
    EXPECT_TRUE(DisplayDriverCheck::IsUnrequestedHeadless("dummy", nullptr));
    EXPECT_TRUE(DisplayDriverCheck::IsUnrequestedHeadless("offscreen", "x11"));
    EXPECT_TRUE(DisplayDriverCheck::IsUnrequestedHeadless("offscreen", "off"));
    EXPECT_FALSE(DisplayDriverCheck::IsUnrequestedHeadless("offscreen", "offscreen"));
    EXPECT_FALSE(DisplayDriverCheck::IsUnrequestedHeadless("dummy", "x11,dummy"));
    EXPECT_FALSE(DisplayDriverCheck::IsUnrequestedHeadless("dummy", "DUMMY"));
    EXPECT_FALSE(DisplayDriverCheck::IsUnrequestedHeadless("x11", nullptr));
    EXPECT_FALSE(DisplayDriverCheck::IsUnrequestedHeadless("wayland", "x11"));
    EXPECT_FALSE(DisplayDriverCheck::IsUnrequestedHeadless(nullptr, nullptr));
}
