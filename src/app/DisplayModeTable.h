#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "app/DisplayMode.h"
#include "app/VideoMode.h"

// The game's three screen sizes (index = the ScreenRes option: 0 = 640 x 480,
// 1 = 800 x 600, 2 = 1024 x 768) with the refresh rates the display offers
// for each.
class DisplayModeTable {
public:
    static constexpr int kModeCount = 3;
    static constexpr int kSmallestHeight = 480;

    DisplayModeTable();

    // Collects the refresh rates of the driver's modes that match one of the
    // three sizes. Any colour depth counts: today's displays offer no 16-bit
    // modes, and the question is only which rates a size has. A rate listed
    // twice (once per colour depth) is kept once.
    void Enumerate(const std::vector<VideoMode>& driverModes);

    const DisplayMode& Mode(int index) const { return modes.at(static_cast<size_t>(index)); }

    // A ScreenRes option outside 0..2 becomes 0.
    static int CheckScreenRes(int screenRes);

private:
    std::array<DisplayMode, kModeCount> modes;
};
