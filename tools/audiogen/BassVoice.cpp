#include "audiogen/BassVoice.h"

#include <cmath>

#include "audiogen/Envelope.h"
#include "audiogen/SynthConstants.h"

BassVoice::BassVoice(double decaySeconds) : decaySeconds_(decaySeconds) {}

std::vector<float> BassVoice::Render(const NoteRequest& note) const {
    Envelope envelope(0.006, decaySeconds_, 0.35, 0.08);
    size_t total = static_cast<size_t>((note.seconds + envelope.Release()) * kSampleRate);
    std::vector<float> out(total);
    double step = kTwoPi * note.frequency / kSampleRate;
    for (size_t i = 0; i < total; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double phase = step * static_cast<double>(i);
        double bright = 0.35 * std::exp(-t / 0.15);
        double tone = std::sin(phase) + (0.2 + bright) * std::sin(2.0 * phase) +
                      0.5 * bright * std::sin(3.0 * phase);
        out[i] = static_cast<float>(tone * envelope.Level(t, note.seconds) * note.velocity);
    }
    return out;
}
