#pragma once

#include <vector>

// A small room reverb (parallel damped combs into series all-passes). It
// treats its input as a loop: a first pass over its last seconds fills the delay lines
// with the loop's end, the second pass makes the output, so the echoes of
// the last bars ring on into the first ones.
class Reverb {
public:
    Reverb(float roomSize, float damping);

    // The wet signal of `loop`, same length.
    std::vector<float> ProcessLoop(const std::vector<float>& loop) const;

private:
    float roomSize_;
    float damping_;
};
