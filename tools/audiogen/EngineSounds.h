#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The locomotive's sounds, built from one synthesised chuff (a burst of
// exhaust steam: band-passed noise falling in pitch over a low thump):
// the steady running loop, slowing down, and braking to a halt.
class EngineSounds {
public:
    static constexpr double kLoopSeconds = 2.0;
    static constexpr int kChuffsPerLoop = 8;

    // Steady running; loops seamlessly (chuffs and background wrap round).
    static std::vector<float> RunningLoop();
    // Chuffs drawing further apart and quieter.
    static std::vector<float> Slowing();
    // Last chuffs, brake squeal, steam blown off, the buffers' knock.
    static std::vector<float> Stopping();

    // One exhaust beat; strength 0..1, seeded grain.
    static std::vector<float> Chuff(float strength, uint64_t seed);

private:
    static std::vector<float> LoopedNoiseBed(size_t length, uint64_t seed);
    static std::vector<float> BrakeSqueal(double seconds);
    static std::vector<float> SteamBlowOff(double seconds, uint64_t seed);
    static std::vector<float> Clank(uint64_t seed);
};
