#include <gtest/gtest.h>

#include <vector>

#include "app/DisplayModePlanner.h"
#include "app/DisplayModeTable.h"

namespace {

VideoMode Mode(int width, int height, int bits, int rate) {
    VideoMode mode;
    mode.width = width;
    mode.height = height;
    mode.bitsPerPixel = bits;
    mode.refreshRate = rate;
    return mode;
}

// A display that accepts the listed (size, rate) pairs and records every
// request made of it.
struct FakeDisplay {
    std::vector<VideoMode> accepted;
    std::vector<VideoMode> requests;

    DisplayModePlanner::ModeSwitch Switch() {
        return [this](const VideoMode& request) {
            requests.push_back(request);
            for (const VideoMode& mode : accepted) {
                if (mode.width == request.width && mode.height == request.height &&
                    mode.refreshRate == request.refreshRate) {
                    return true;
                }
            }
            return false;
        };
    }
};

DisplayModePlanner::State Options(bool fullScreen, int screenRes) {
    DisplayModePlanner::State state;
    state.fullScreenOption = fullScreen;
    state.fullScreen = fullScreen;
    state.screenRes = screenRes;
    state.width = 640;  // what the entry passes to Create
    state.height = 480;
    return state;
}

}  // namespace

TEST(DisplayModeTable, CollectsRatesOfMatchingSizesOfAnyDepthInDriverOrder) {
    DisplayModeTable table;
    table.Enumerate({Mode(1920, 1080, 32, 60), Mode(1024, 768, 32, 75), Mode(640, 480, 16, 60),
                     Mode(1024, 768, 16, 60), Mode(1024, 768, 32, 60), Mode(800, 600, 24, 56),
                     Mode(1024, 768, 24, 85), Mode(640, 400, 32, 70), Mode(600, 800, 32, 60)});
    EXPECT_EQ(table.Mode(0).refreshRates, (std::vector<int32_t>{60}));
    EXPECT_EQ(table.Mode(1).refreshRates, (std::vector<int32_t>{56}));
    EXPECT_EQ(table.Mode(2).refreshRates, (std::vector<int32_t>{75, 60, 85}))
        << "60 Hz listed at 16 and 32 bits is one rate";
}

TEST(DisplayModeTable, EnumeratingAgainReplacesTheRates) {
    DisplayModeTable table;
    table.Enumerate({Mode(800, 600, 32, 60), Mode(800, 600, 32, 72)});
    table.Enumerate({Mode(800, 600, 32, 85)});
    EXPECT_EQ(table.Mode(1).refreshRates, (std::vector<int32_t>{85}));
    table.Enumerate({});
    EXPECT_TRUE(table.Mode(1).refreshRates.empty());
}

TEST(DisplayModeTable, ScreenResOutsideTheTableBecomesZero) {
    for (int bad : {-100, -1, 3, 5, 1 << 30})
        EXPECT_EQ(DisplayModeTable::CheckScreenRes(bad), 0);
    for (int good : {0, 1, 2})
        EXPECT_EQ(DisplayModeTable::CheckScreenRes(good), good);
}

TEST(DisplayModePlanner, AWindowSmallerThanTheDesktopStaysAWindow) {
    DisplayModeTable table;
    FakeDisplay display;
    DisplayModePlanner planner(table, 1920, 1080, 32, display.Switch());
    for (int res : {0, 1, 2}) {
        auto state = Options(false, res);
        EXPECT_TRUE(planner.SetDisplayMode(state));
        EXPECT_FALSE(state.fullScreen);
        EXPECT_FALSE(state.fullScreenOption);
        EXPECT_EQ(state.width, table.Mode(res).width);
        EXPECT_EQ(state.height, table.Mode(res).height);
    }
    EXPECT_TRUE(display.requests.empty()) << "a window changes no display mode";
}

TEST(DisplayModePlanner, AWindowAsLargeAsTheDesktopBecomesFullScreen) {
    DisplayModeTable table;
    table.Enumerate({Mode(1024, 768, 32, 60)});
    FakeDisplay display;
    display.accepted = {Mode(1024, 768, 32, 60)};
    // Equal to the desktop, and larger than it in both directions.
    for (auto desktop : {std::pair<int, int>{1024, 768}, std::pair<int, int>{800, 600}}) {
        DisplayModePlanner planner(table, desktop.first, desktop.second, 32, display.Switch());
        auto state = Options(false, 2);
        EXPECT_TRUE(planner.SetDisplayMode(state));
        EXPECT_TRUE(state.fullScreen);
        EXPECT_TRUE(state.fullScreenOption);
        EXPECT_EQ(state.width, 1024);
        EXPECT_EQ(state.height, 768);
    }
    // Larger in one direction only is still a window.
    DisplayModePlanner wide(table, 1280, 768, 32, display.Switch());
    auto state = Options(false, 2);
    EXPECT_TRUE(wide.SetDisplayMode(state));
    EXPECT_FALSE(state.fullScreenOption);
}

TEST(DisplayModePlanner, FullScreenTriesRatesFromTheLastListedToTheFirst) {
    DisplayModeTable table;
    table.Enumerate({Mode(800, 600, 32, 60), Mode(800, 600, 32, 75), Mode(800, 600, 32, 85)});
    FakeDisplay display;
    display.accepted = {Mode(800, 600, 32, 60)};
    DisplayModePlanner planner(table, 1920, 1080, 16, display.Switch());
    auto state = Options(true, 1);
    state.fullScreenOption = false;  // the window's copy says full screen
    EXPECT_TRUE(planner.SetDisplayMode(state));
    ASSERT_EQ(display.requests.size(), 3u);
    EXPECT_EQ(display.requests[0].refreshRate, 85);
    EXPECT_EQ(display.requests[1].refreshRate, 75);
    EXPECT_EQ(display.requests[2].refreshRate, 60);
    for (const VideoMode& request : display.requests) {
        EXPECT_EQ(request.width, 800);
        EXPECT_EQ(request.height, 600);
        EXPECT_EQ(request.bitsPerPixel, 16) << "the colour depth option is asked for";
    }
    EXPECT_EQ(state.width, 800);
    EXPECT_EQ(state.height, 600);
    EXPECT_TRUE(state.fullScreenOption) << "a full-screen switch is remembered";
}

TEST(DisplayModePlanner, RefusedFullScreenFallsBackToModeZero) {
    DisplayModeTable table;
    table.Enumerate({Mode(640, 480, 32, 60), Mode(1024, 768, 32, 60), Mode(1024, 768, 32, 70)});
    FakeDisplay display;
    display.accepted = {Mode(640, 480, 32, 60)};
    DisplayModePlanner planner(table, 1920, 1080, 32, display.Switch());
    auto state = Options(true, 2);
    state.width = 800;
    state.height = 600;
    EXPECT_FALSE(planner.SetDisplayMode(state));
    EXPECT_EQ(state.width, 800) << "a refused mode leaves the size alone";
    EXPECT_EQ(state.height, 600);

    planner.Choose(state);
    EXPECT_EQ(state.screenRes, 0);
    EXPECT_EQ(state.width, 640);
    EXPECT_EQ(state.height, 480);
    EXPECT_TRUE(state.fullScreen);
    EXPECT_EQ(display.requests.size(), 2u + 2u + 1u)
        << "two rates in SetDisplayMode, two again in Choose, then mode 0";
}

TEST(DisplayModePlanner, ADisplayWithoutMatchingModesKeepsTheOldSizeFullScreen) {
    DisplayModeTable table;
    table.Enumerate({Mode(1920, 1080, 32, 60), Mode(1280, 1024, 32, 60)});
    FakeDisplay display;
    DisplayModePlanner planner(table, 1920, 1080, 16, display.Switch());
    auto state = Options(true, 2);
    planner.Choose(state);
    EXPECT_EQ(state.screenRes, 0);
    EXPECT_TRUE(state.fullScreen);
    EXPECT_TRUE(state.fullScreenOption) << "the window keeps its full-screen style";
    EXPECT_EQ(state.width, 640);
    EXPECT_EQ(state.height, 480);
    EXPECT_TRUE(display.requests.empty()) << "empty rate lists fail at once";
}

TEST(DisplayModePlanner, ScreenResOutOfRangeIsReadAsModeZero) {
    DisplayModeTable table;
    FakeDisplay display;
    DisplayModePlanner planner(table, 1920, 1080, 32, display.Switch());
    auto state = Options(false, 5);
    state.width = 0;
    state.height = 0;
    EXPECT_TRUE(planner.SetDisplayMode(state));
    EXPECT_EQ(state.width, 640);
    EXPECT_EQ(state.height, 480);
}
