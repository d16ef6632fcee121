#pragma once

#include <cstddef>
#include <cstdint>

// A look at a RIFF WAVE file before the mixer gets it, for two faults of
// SDL's reader with damaged headers: it allocates as many bytes as a chunk
// header claims (gigabytes, in a file of a few kilobytes), and it keeps the
// channel count in a byte, so 256 channels become 0 and it divides by zero.
class WaveHeaderCheck {
public:
    static constexpr int kMaxChannels = 8;
    static constexpr uint32_t kMaxSampleRate = 384000;

    // False for a WAVE file with a chunk that runs past the end of the bytes
    // or a format chunk with a channel count outside 1..kMaxChannels or a
    // sample rate outside 1..kMaxSampleRate; true for an intact one and for
    // anything that is no WAVE file at all (the reader decides on those).
    static bool Acceptable(const uint8_t* bytes, size_t size);
};
