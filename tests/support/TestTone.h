#pragma once

#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

// Sine tones as 16-bit PCM for tests that need some audio to encode or play.
class TestTone {
public:
    // `ms` milliseconds of a sine at `frequency` Hz, interleaved when stereo
    // (both channels carry the same tone).
    static std::vector<int16_t> Sine(double frequency, int ms, int sampleRate = 44100,
                                     int channels = 1, double amplitude = 12000.0) {
        const size_t frames = static_cast<size_t>(sampleRate) * static_cast<size_t>(ms) / 1000;
        std::vector<int16_t> samples;
        const double step = 2.0 * M_PI * frequency / sampleRate;
        for (size_t i = 0; i < frames; ++i) {
            const auto value = static_cast<int16_t>(std::lround(amplitude * std::sin(step * i)));
            samples.insert(samples.end(), static_cast<size_t>(channels), value);
        }
        return samples;
    }

    // Root mean square of the samples (0 for none).
    static double Rms(const int16_t* samples, size_t count) {
        const double sum = std::inner_product(samples, samples + count, samples, 0.0);
        return count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count));
    }
};
