#include "audiogen/Drum.h"

#include <algorithm>
#include <cmath>

#include "audiogen/Biquad.h"
#include "audiogen/NoiseSource.h"
#include "audiogen/SynthConstants.h"

namespace {
size_t Samples(double seconds) {
    return static_cast<size_t>(seconds * kSampleRate);
}

// Raised-cosine fade over the first few samples: a drum hit must not click.
double Onset(size_t i) {
    return i < 48 ? 0.5 - 0.5 * std::cos(kPi * i / 48.0) : 1.0;
}
}  // namespace

Drum::Drum(Kind kind) : kind_(kind) {}

std::vector<float> Drum::Render(const NoteRequest& note) const {
    switch (kind_) {
        case Kind::Kick:
            return Kick(note);
        case Kind::Snare:
            return Snare(note);
        case Kind::Hat:
            return Hat(note);
        case Kind::Brush:
            return Brush(note);
    }
    return {};
}

std::vector<float> Drum::Kick(const NoteRequest& note) const {
    std::vector<float> out(Samples(0.45));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double frequency = 48.0 + 70.0 * std::exp(-t / 0.035);
        phase += kTwoPi * frequency / kSampleRate;
        double tail = 1.0 - t / 0.45;
        out[i] = static_cast<float>(std::sin(phase) * std::exp(-t / 0.16) * tail * Onset(i) *
                                    note.velocity);
    }
    return out;
}

std::vector<float> Drum::Snare(const NoteRequest& note) const {
    std::vector<float> out(Samples(0.3));
    NoiseSource noise(note.seed);
    Biquad band = Biquad::BandPass(3000.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double tail = 1.0 - t / 0.3;
        double rattle = 1.6 * band.Process(noise.Next()) * std::exp(-t / 0.07);
        double body = 0.5 * std::sin(kTwoPi * 190.0 * t) * std::exp(-t / 0.04);
        out[i] = static_cast<float>((rattle + body) * tail * Onset(i) * note.velocity);
    }
    return out;
}

std::vector<float> Drum::Hat(const NoteRequest& note) const {
    std::vector<float> out(Samples(0.12));
    NoiseSource noise(note.seed);
    Biquad high = Biquad::HighPass(7000.0, 0.8);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double tail = 1.0 - t / 0.12;
        out[i] = static_cast<float>(high.Process(noise.Next()) * std::exp(-t / 0.025) * tail *
                                    Onset(i) * note.velocity);
    }
    return out;
}

std::vector<float> Drum::Brush(const NoteRequest& note) const {
    std::vector<float> out(Samples(0.25));
    NoiseSource noise(note.seed);
    Biquad band = Biquad::BandPass(4500.0, 0.5);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double swell = std::min(1.0, t / 0.015);
        double tail = 1.0 - t / 0.25;
        out[i] = static_cast<float>(band.Process(noise.Next()) * swell * std::exp(-t / 0.06) *
                                    tail * note.velocity);
    }
    return out;
}
