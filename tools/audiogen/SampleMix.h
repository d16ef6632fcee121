#pragma once

#include <cstddef>
#include <vector>

// Placing short sounds on a longer one, for effects built from several parts.
class SampleMix {
public:
    // Whole samples in `seconds` at the synthesis rate, rounded.
    static size_t Samples(double seconds);
    // Adds `sound` times `gain` into `target` from `atSeconds` on; what runs
    // past the target's end is dropped.
    static void AddAt(std::vector<float>& target, const std::vector<float>& sound, double atSeconds,
                      float gain);
};
