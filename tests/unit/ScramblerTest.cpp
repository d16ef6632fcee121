#include "data/Scrambler.h"

#include <gtest/gtest.h>

#include <vector>

// The key of the options and score files climbs by one a byte from the seed
// to the bound and starts again. That both scramblings are their own inverse
// the config file's and the archive's tests show on the files they write.
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
