#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "audiogen/EngineSounds.h"
#include "audiogen/SynthConstants.h"

namespace {
constexpr size_t kFrame = kSampleRate / 100;  // 10 ms

struct Onset {
    size_t frame;
    double level;
};

std::vector<double> FrameLevels(const std::vector<float>& s) {
    std::vector<double> levels;
    for (size_t start = 0; start + kFrame <= s.size(); start += kFrame) {
        double sum = 0.0;
        for (size_t i = start; i < start + kFrame; ++i) {
            sum += static_cast<double>(s[i]) * s[i];
        }
        levels.push_back(std::sqrt(sum / kFrame));
    }
    return levels;
}

// Where the level jumps up sharply: the start of each chuff, with the
// loudest frame that follows it. When `wrap` is set the frames before the
// first one are the loop's last ones.
std::vector<Onset> Onsets(const std::vector<float>& s, bool wrap) {
    std::vector<double> levels = FrameLevels(s);
    double loudest = *std::max_element(levels.begin(), levels.end());
    std::vector<Onset> onsets;
    size_t n = levels.size();
    for (size_t k = 0; k < n; ++k) {
        if (!wrap && k < 3) {
            if (k == 0 && levels[0] > 0.2 * loudest) {
                onsets.push_back({0, levels[0]});
            }
            continue;
        }
        double before = levels[(k + n - 3) % n];
        bool rising = levels[k] > 0.2 * loudest && levels[k] > 2.5 * before;
        if (rising && (onsets.empty() || k - onsets.back().frame > 5)) {
            double peak = 0.0;
            for (size_t j = k; j < std::min(n, k + 5); ++j) {
                peak = std::max(peak, levels[j]);
            }
            onsets.push_back({k, peak});
        }
    }
    return onsets;
}
}  // namespace

TEST(AudioEngineSoundsTest, RunningLoopChuffsAtASteadyPace) {
    std::vector<float> loop = EngineSounds::RunningLoop();
    ASSERT_EQ(loop.size(), static_cast<size_t>(EngineSounds::kLoopSeconds * kSampleRate));
    std::vector<Onset> onsets = Onsets(loop, true);
    ASSERT_EQ(onsets.size(), static_cast<size_t>(EngineSounds::kChuffsPerLoop));
    size_t spacing = loop.size() / kFrame / EngineSounds::kChuffsPerLoop;
    for (size_t i = 0; i < onsets.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(onsets[i].frame), static_cast<double>(i * spacing), 1.0);
    }
    // The first beat of each wheel turn is the strongest.
    EXPECT_GT(onsets[0].level, onsets[1].level);
    EXPECT_GT(onsets[4].level, onsets[5].level);
}

TEST(AudioEngineSoundsTest, SlowingChuffsDrawApartAndFade) {
    std::vector<Onset> onsets = Onsets(EngineSounds::Slowing(), false);
    ASSERT_GE(onsets.size(), 6u);
    for (size_t i = 2; i < onsets.size(); ++i) {
        size_t gap = onsets[i].frame - onsets[i - 1].frame;
        size_t previousGap = onsets[i - 1].frame - onsets[i - 2].frame;
        EXPECT_GE(gap, previousGap) << "chuff " << i;
    }
    EXPECT_LT(onsets.back().level, onsets.front().level * 0.5);
}

TEST(AudioEngineSoundsTest, StoppingEndsInStillness) {
    std::vector<float> stop = EngineSounds::Stopping();
    std::vector<double> levels = FrameLevels(stop);
    double loudest = *std::max_element(levels.begin(), levels.end());
    // The last tenth of a second is near silence: the engine has halted.
    for (size_t k = levels.size() - 10; k < levels.size(); ++k) {
        EXPECT_LT(levels[k], loudest * 0.1) << "frame " << k;
    }
    EXPECT_EQ(stop.back(), 0.0f);
}
