#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

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
