#include "audiogen/NoiseSource.h"

NoiseSource::NoiseSource(uint64_t seed) : state_(seed) {}

uint64_t NoiseSource::NextBits() {
    state_ += 0x9E3779B97F4A7C15ULL;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double NoiseSource::NextUnit() {
    return static_cast<double>(NextBits() >> 11) * (1.0 / 9007199254740992.0);
}

float NoiseSource::Next() {
    return static_cast<float>(NextUnit() * 2.0 - 1.0);
}
