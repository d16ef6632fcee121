#pragma once

#include <cmath>
#include <cstdint>
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
        samples.reserve(frames * static_cast<size_t>(channels));
        const double step = 2.0 * M_PI * frequency / sampleRate;
        for (size_t i = 0; i < frames; ++i) {
            const auto value = static_cast<int16_t>(std::lround(amplitude * std::sin(step * i)));
            for (int c = 0; c < channels; ++c) {
                samples.push_back(value);
            }
        }
        return samples;
    }

    // Root mean square of the samples (0 for none).
    static double Rms(const int16_t* samples, size_t count) {
        if (count == 0) {
            return 0.0;
        }
        double sum = 0.0;
        for (size_t i = 0; i < count; ++i) {
            sum += static_cast<double>(samples[i]) * samples[i];
        }
        return std::sqrt(sum / static_cast<double>(count));
    }
};
