#pragma once

#include <cstdint>

// Small deterministic random source (xorshift32): every picture seeds its
// own, so the output is byte-identical on every run.
class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}

    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }
    double Range(double low, double high) { return low + (high - low) * Unit(); }
    int Int(int low, int high) { return low + static_cast<int>(Next() % (high - low + 1)); }

private:
    uint32_t state_;
};
