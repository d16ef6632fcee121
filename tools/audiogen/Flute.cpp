#include "audiogen/Flute.h"

#include <algorithm>
#include <cmath>

#include "audiogen/Biquad.h"
#include "audiogen/Envelope.h"
#include "audiogen/NoiseSource.h"
#include "audiogen/SynthConstants.h"

Flute::Flute(double breath) : breath_(breath) {}

std::vector<float> Flute::Render(const NoteRequest& note) const {
    Envelope envelope(0.05, 0.4, 0.8, 0.12);
    size_t total = static_cast<size_t>((note.seconds + envelope.Release()) * kSampleRate);
    std::vector<float> out(total);
    NoiseSource noise(note.seed);
    Biquad breathFilter = Biquad::BandPass(note.frequency * 2.0, 1.5);
    double phase = 0.0;
    for (size_t i = 0; i < total; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double vibratoDepth = 0.004 * std::min(1.0, std::max(0.0, (t - 0.25) / 0.4));
        double frequency = note.frequency * (1.0 + vibratoDepth * std::sin(kTwoPi * 5.2 * t));
        phase = std::fmod(phase + kTwoPi * frequency / kSampleRate, kTwoPi);
        double tone = std::sin(phase) + 0.18 * std::sin(2.0 * phase) + 0.06 * std::sin(3.0 * phase);
        double chiff = breath_ * (0.3 + 1.5 * std::exp(-t / 0.05));
        double air = chiff * breathFilter.Process(noise.Next());
        out[i] = static_cast<float>((tone + air) * envelope.Level(t, note.seconds) * note.velocity);
    }
    return out;
}
