#include "audiogen/ElectricPiano.h"

#include <cmath>

#include "audiogen/Envelope.h"
#include "audiogen/SineOscillator.h"
#include "audiogen/SynthConstants.h"

ElectricPiano::ElectricPiano(double modulationIndex, double decaySeconds)
    : modulationIndex_(modulationIndex), decaySeconds_(decaySeconds) {}

std::vector<float> ElectricPiano::Render(const NoteRequest& note) const {
    Envelope envelope(0.004, decaySeconds_, 0.0, 0.25);
    size_t total = static_cast<size_t>((note.seconds + envelope.Release()) * kSampleRate);
    std::vector<float> out(total);
    double step = kTwoPi * note.frequency / kSampleRate;
    SineOscillator modulator(note.frequency, 0.0);
    SineOscillator tine(note.frequency * 7.0, 0.0);
    bool tineAudible = note.frequency * 7.0 < kSampleRate * 0.4;
    double phase = 0.0;
    for (size_t i = 0; i < total; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double index = modulationIndex_ * note.velocity * std::exp(-t / 0.35) + 0.25;
        double body = std::sin(phase + index * modulator.Next());
        phase = std::fmod(phase + step, kTwoPi);
        double ring = tineAudible ? 0.12 * std::exp(-t / 0.04) * tine.Next() : 0.0;
        out[i] =
            static_cast<float>((body + ring) * envelope.Level(t, note.seconds) * note.velocity);
    }
    return out;
}
