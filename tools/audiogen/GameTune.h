#pragma once

#include <cstdint>
#include <vector>

#include "audiogen/Sequencer.h"

// The game's lively tune: a polka-like reel in D major for accordion, flute
// and mandolin over an oom-pah bass, electric-piano off-beats and a light
// drum kit. 36 bars of 4/4 at 120 beats a minute: 72 seconds that loop
// without a seam.
class GameTune {
public:
    static constexpr double kBeatsPerMinute = 120.0;
    static constexpr int kBeatsPerBar = 4;
    static constexpr int kBars = 36;
    static constexpr uint64_t kSeed = 0x47616D65ULL;

    static Sequencer Compose();
    static std::vector<float> Render(uint64_t seed = kSeed);
};
