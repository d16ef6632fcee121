#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/DisplayDriverCheck.h"
#include "app/PixelFormatRequest.h"
#include "app/SoftwareRendererCheck.h"

// 16 bits ask for 5/6/5 colour and a 16-bit depth buffer, 32 for 8/8/8 and
// 32, 24 or 16 depth bits. A damaged option still asks for a usable format:
// a missing key reads as 0, only the low byte counts, nonsense is clamped.
TEST(PixelFormatRequest, ColourAndDepthBitsFollowTheColourDepth) {
    const std::vector<int> sixteen = {16}, thirtyTwo = {32, 24, 16}, rgb565 = {5, 6, 5},
                           rgb888 = {8, 8, 8};
    for (const auto& [depth, rgb, depthBits] : {std::tuple{16, rgb565, sixteen},
                                                {0, rgb565, sixteen},
                                                {256 + 16, rgb565, sixteen},
                                                {32, rgb888, thirtyTwo},
                                                {-1, rgb888, thirtyTwo},
                                                {256 + 32, rgb888, thirtyTwo},
                                                {64, rgb888, thirtyTwo},
                                                {24, rgb888, std::vector<int>{24, 16}}}) {
        const PixelFormatRequest request(depth);
        EXPECT_EQ(std::vector<int>({request.redBits, request.greenBits, request.blueBits}), rgb)
            << depth;
        EXPECT_EQ(request.depthBits, depthBits) << depth;
    }
}

TEST(SoftwareRendererCheck, RefusesTheSlowGenericRenderersOnly) {
    EXPECT_TRUE(SoftwareRendererCheck::IsGenericSoftware("Microsoft Corporation", "GDI Generic"));
    EXPECT_TRUE(SoftwareRendererCheck::IsGenericSoftware("Mesa/X.org", "softpipe"));
    EXPECT_TRUE(SoftwareRendererCheck::IsGenericSoftware("Mesa Project", "Software Rasterizer"));
    EXPECT_FALSE(
        SoftwareRendererCheck::IsGenericSoftware("Mesa/X.org", "llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_FALSE(SoftwareRendererCheck::IsGenericSoftware("NVIDIA Corporation", "NVIDIA GeForce"));
    EXPECT_FALSE(SoftwareRendererCheck::IsGenericSoftware(nullptr, nullptr));
}

TEST(DisplayDriverCheck, HeadlessDriversAreRefusedUnlessAskedFor) {
    using Case = std::tuple<const char*, const char*, bool>;  // driver, asked for, refused
    for (const auto& [driver, asked, refused] : {Case{"offscreen", nullptr, true},
                                                 {"dummy", nullptr, true},
                                                 {"offscreen", "x11", true},
                                                 {"offscreen", "off", true},
                                                 {"offscreen", "offscreen", false},
                                                 {"dummy", "x11,dummy", false},
                                                 {"dummy", "DUMMY", false},
                                                 {"x11", nullptr, false},
                                                 {"wayland", "x11", false},
                                                 {nullptr, nullptr, false}}) {
        EXPECT_EQ(DisplayDriverCheck::IsUnrequestedHeadless(driver, asked), refused)
            << (driver ? driver : "none") << " asked " << (asked ? asked : "none");
    }
}
