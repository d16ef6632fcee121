#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/DisplayModePlanner.h"
#include "app/DisplayModeTable.h"

using Listed = std::vector<VideoMode>;

TEST(DisplayModeTable, CollectsRatesOfMatchingSizesOfAnyDepthInDriverOrder) {
    DisplayModeTable table;
    table.Enumerate({{1920, 1080, 32, 60},
                     {1024, 768, 32, 75},
                     {640, 480, 16, 60},
                     {1024, 768, 16, 60},
                     {1024, 768, 32, 60},
                     {800, 600, 24, 56},
                     {1024, 768, 24, 85},
                     {640, 400, 32, 70},
                     {600, 800, 32, 60}});
    EXPECT_EQ(table.Mode(0).refreshRates, (std::vector<int32_t>{60}));
    EXPECT_EQ(table.Mode(1).refreshRates, (std::vector<int32_t>{56}));
    EXPECT_EQ(table.Mode(2).refreshRates, (std::vector<int32_t>{75, 60, 85}))
        << "60 Hz listed at 16 and 32 bits is one rate";
    table.Enumerate({{800, 600, 32, 85}});
    EXPECT_EQ(table.Mode(1).refreshRates, (std::vector<int32_t>{85})) << "enumerated again";
    EXPECT_TRUE(table.Mode(2).refreshRates.empty());
    for (int res : {-100, -1, 0, 1, 2, 3, 5, 1 << 30})
        EXPECT_EQ(DisplayModeTable::CheckScreenRes(res), res >= 0 && res <= 2 ? res : 0) << res;
}

// What the planner makes of the options on a desktop of a size, with the
// sizes the display lists and the (size, rate) pairs it accepts.
TEST(DisplayModePlanner, ChoosesAWindowOrAFullScreenModeTheDisplayAccepts) {
    struct Start {
        bool fullScreen, option;  // the window's copy and the options' value
        int screenRes, width;     // the window is width x (width * 3 / 4)
    };
    struct Result {
        bool ok;
        int width, height;
        bool fullScreen, option;
        int screenRes;
        std::vector<int> rates;  // requested, in order
    };
    struct Case {
        const char* name;
        int desktopWidth, desktopHeight, colorDepth;
        Listed listed, accepted;
        Start start;
        bool choose;  // Choose, which falls back to mode 0, or SetDisplayMode
        Result result;
    };
    const Listed only1024 = {{1024, 768, 32, 60}};
    const Listed refusing = {{640, 480, 32, 60}, {1024, 768, 32, 60}, {1024, 768, 32, 70}};
    const Listed from60To85 = {{800, 600, 32, 60}, {800, 600, 32, 75}, {800, 600, 32, 85}};
    const Listed large = {{1920, 1080, 32, 60}, {1280, 1024, 32, 60}};
    auto Row = [](const char* name, int desktopWidth, int desktopHeight, int colorDepth,
                  Listed listed, Listed accepted, Start start, bool choose, Result result) {
        return Case{name,     desktopWidth, desktopHeight, colorDepth, listed,
                    accepted, start,        choose,        result};
    };
    const Case cases[] = {
        Row("640, smaller than the desktop", 1920, 1080, 32, {}, {}, {false, false, 0, 640}, false,
            {true, 640, 480, false, false, 0, {}}),
        Row("1024, smaller than the desktop", 1920, 1080, 32, {}, {}, {false, false, 2, 640}, false,
            {true, 1024, 768, false, false, 2, {}}),
        Row("ScreenRes out of range is mode 0", 1920, 1080, 32, {}, {}, {false, false, 5, 0}, false,
            {true, 640, 480, false, false, 5, {}}),
        Row("as large as the desktop", 1024, 768, 32, only1024, only1024, {false, false, 2, 640},
            false, {true, 1024, 768, true, true, 2, {60}}),
        Row("larger than the desktop", 800, 600, 32, only1024, only1024, {false, false, 2, 640},
            false, {true, 1024, 768, true, true, 2, {60}}),
        Row("larger in one direction only", 1280, 768, 32, only1024, only1024,
            {false, false, 2, 640}, false, {true, 1024, 768, false, false, 2, {}}),
        Row("rates from the last listed to the first", 1920, 1080, 16, from60To85,
            {{800, 600, 32, 60}}, {true, false, 1, 640}, false,
            {true, 800, 600, true, true, 1, {85, 75, 60}}),
        Row("a refused mode leaves the size alone", 1920, 1080, 32, refusing, {{640, 480, 32, 60}},
            {true, true, 2, 800}, false, {false, 800, 600, true, true, 2, {70, 60}}),
        Row("refused: Choose tries again, then mode 0", 1920, 1080, 32, refusing,
            {{640, 480, 32, 60}}, {true, true, 2, 800}, true,
            {true, 640, 480, true, true, 0, {70, 60, 60}}),
        Row("no listed size: the old size, still full screen", 1920, 1080, 16, large, {},
            {true, true, 2, 640}, true, {true, 640, 480, true, true, 0, {}}),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DisplayModeTable table;
        table.Enumerate(c.listed);
        std::vector<int> rates;
        auto accepts = [&](const VideoMode& request) {
            rates.push_back(request.refreshRate);
            EXPECT_EQ(request.bitsPerPixel, c.colorDepth) << "the colour depth option is asked for";
            return std::any_of(c.accepted.begin(), c.accepted.end(), [&](const VideoMode& a) {
                return a.width == request.width && a.height == request.height &&
                       a.refreshRate == request.refreshRate;
            });
        };
        DisplayModePlanner planner(table, c.desktopWidth, c.desktopHeight, c.colorDepth, accepts);
        DisplayModePlanner::State state{c.start.option, c.start.fullScreen, c.start.screenRes,
                                        c.start.width, c.start.width * 3 / 4};
        const bool ok = c.choose ? (planner.Choose(state), true) : planner.SetDisplayMode(state);
        const Result& r = c.result;
        EXPECT_EQ(std::vector<int>({ok, state.width, state.height, state.fullScreen,
                                    state.fullScreenOption, state.screenRes}),
                  std::vector<int>({r.ok, r.width, r.height, r.fullScreen, r.option, r.screenRes}));
        EXPECT_EQ(rates, r.rates);
    }
}
