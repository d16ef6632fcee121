#pragma once

#include <cstdint>
#include <vector>

#include "audiogen/Sequencer.h"

// The menu's calm tune: a waltz in G major for flute, harp, a quiet organ
// and a soft electric piano over a plucked bass and brushes. 36 bars of
// 3/4 at 90 beats a minute: 72 seconds that loop without a seam.
class MenuTune {
public:
    static constexpr double kBeatsPerMinute = 90.0;
    static constexpr int kBeatsPerBar = 3;
    static constexpr int kBars = 36;
    static constexpr uint64_t kSeed = 0x4D656E75ULL;

    // The whole arrangement, ready to render.
    static Sequencer Compose();
    static std::vector<float> Render(uint64_t seed = kSeed);
};
