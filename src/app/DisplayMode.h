#pragma once

#include <cstdint>
#include <vector>

// One of the game's three screen sizes and the refresh rates the display
// offers for it, in the order the driver listed them.
struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<int32_t> refreshRates;
};
