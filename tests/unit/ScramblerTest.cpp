#include "data/Scrambler.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(Scrambler, BothScramblingsAreTheirOwnInverseOnRandomData) {
    std::mt19937 random(7);
    for (size_t length : {0u, 1u, 2u, 161u, 163u, 2048u, 5000u}) {
        std::vector<uint8_t> original(length);
        for (auto& b : original)
            b = static_cast<uint8_t>(random());
        for (auto scramble : {&Scrambler::Archive, &Scrambler::Config}) {
            std::vector<uint8_t> data = original;
            scramble(data.data(), data.size());
            if (length > 0) {
                EXPECT_NE(data, original);
            }
            scramble(data.data(), data.size());
            EXPECT_EQ(data, original) << "length " << length;
        }
    }
}

TEST(Scrambler, ConfigKeyClimbsToTheBoundAndWraps) {
    const size_t period = Scrambler::kConfigBound - Scrambler::kConfigSeed + 1;
    std::vector<uint8_t> zeros(period * 2 + 3, 0);
    Scrambler::Config(zeros.data(), zeros.size());
    EXPECT_EQ(zeros[0], Scrambler::kConfigSeed);
    EXPECT_EQ(zeros[1], Scrambler::kConfigSeed + 1);
    EXPECT_EQ(zeros[period - 1], Scrambler::kConfigBound);
    EXPECT_EQ(zeros[period], Scrambler::kConfigSeed);
    EXPECT_EQ(zeros[2 * period + 2], Scrambler::kConfigSeed + 2);
}
