#include "audiogen/ElectricPiano.h"

#include <cmath>

#include "audiogen/Envelope.h"
#include "audiogen/SynthConstants.h"

ElectricPiano::ElectricPiano(double modulationIndex, double decaySeconds)
    : modulationIndex_(modulationIndex), decaySeconds_(decaySeconds) {}

std::vector<float> ElectricPiano::Render(const NoteRequest& note) const {
    Envelope envelope(0.004, decaySeconds_, 0.0, 0.25);
    size_t total = static_cast<size_t>((note.seconds + envelope.Release()) * kSampleRate);
    std::vector<float> out(total);
    double step = kTwoPi * note.frequency / kSampleRate;
    double tineStep = step * 7.0;
    bool tineAudible = note.frequency * 7.0 < kSampleRate * 0.4;
    for (size_t i = 0; i < total; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double phase = step * static_cast<double>(i);
        double index = modulationIndex_ * note.velocity * std::exp(-t / 0.35) + 0.25;
        double body = std::sin(phase + index * std::sin(phase));
        double tine = tineAudible ? 0.12 * std::exp(-t / 0.04) * std::sin(tineStep * i) : 0.0;
        out[i] =
            static_cast<float>((body + tine) * envelope.Level(t, note.seconds) * note.velocity);
    }
    return out;
}
