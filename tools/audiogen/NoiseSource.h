#pragma once

#include <cstdint>

// A small deterministic random source (splitmix64). The standard library's
// distributions differ between implementations; this one gives the same
// numbers everywhere, so a fixed seed always makes the same sound.
class NoiseSource {
public:
    explicit NoiseSource(uint64_t seed);

    uint64_t NextBits();
    // Uniform in [-1, 1).
    float Next();
    // Uniform in [0, 1).
    double NextUnit();

private:
    uint64_t state_;
};
