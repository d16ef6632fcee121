#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// True when every channel lies within tolerance of the expected colour.
inline ::testing::AssertionResult ColourNear(const std::array<int, 3>& actual, int red, int green,
                                             int blue, int tolerance = 10) {
    const int expected[3] = {red, green, blue};
    for (int c = 0; c < 3; ++c) {
        if (std::abs(actual[c] - expected[c]) > tolerance) {
            return ::testing::AssertionFailure()
                   << "colour (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                   << "), expected (" << red << ", " << green << ", " << blue << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

// The largest difference of one channel of one pixel between two frames of
// the same size (255 when the sizes differ).
inline int LargestChannelDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size()) {
        return 255;
    }
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        largest = std::max(largest, std::abs(int(a[i]) - int(b[i])));
    }
    return largest;
}
