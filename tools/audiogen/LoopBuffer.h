#pragma once

#include <cstddef>
#include <vector>

// A mixing buffer of fixed length that wraps around: whatever is added past
// its end continues at its start. A loop rendered this way carries the tails
// of its last notes into its first samples, so it repeats without a seam.
class LoopBuffer {
public:
    explicit LoopBuffer(size_t length);

    // Adds `sound` times `gain` starting at `offset` (taken modulo the length).
    void Add(const std::vector<float>& sound, long long offset, float gain);

    size_t Length() const { return samples_.size(); }
    const std::vector<float>& Samples() const { return samples_; }
    std::vector<float>& Samples() { return samples_; }

private:
    std::vector<float> samples_;
};
