#include "audiogen/BassVoice.h"

#include <cmath>

#include "audiogen/Envelope.h"
#include "audiogen/SineOscillator.h"
#include "audiogen/SynthConstants.h"

BassVoice::BassVoice(double decaySeconds) : decaySeconds_(decaySeconds) {}

std::vector<float> BassVoice::Render(const NoteRequest& note) const {
    Envelope envelope(0.006, decaySeconds_, 0.35, 0.08);
    size_t total = static_cast<size_t>((note.seconds + envelope.Release()) * kSampleRate);
    std::vector<float> out(total);
    SineOscillator first(note.frequency, 0.0);
    SineOscillator second(note.frequency * 2.0, 0.0);
    SineOscillator third(note.frequency * 3.0, 0.0);
    for (size_t i = 0; i < total; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double bright = 0.35 * std::exp(-t / 0.15);
        double tone = first.Next() + (0.2 + bright) * second.Next() + 0.5 * bright * third.Next();
        out[i] = static_cast<float>(tone * envelope.Level(t, note.seconds) * note.velocity);
    }
    return out;
}
