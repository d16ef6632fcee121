#include "audiogen/Envelope.h"

#include <algorithm>
#include <cmath>

Envelope::Envelope(double attack, double decay, double sustain, double release)
    : attack_(std::max(attack, 1e-4)),
      decay_(std::max(decay, 1e-4)),
      sustain_(sustain),
      release_(std::max(release, 1e-4)) {}

double Envelope::HeldLevel(double t) const {
    if (t < attack_) {
        // Raised-cosine attack: no corner at the start of the note.
        return 0.5 - 0.5 * std::cos(3.14159265358979 * t / attack_);
    }
    return sustain_ + (1.0 - sustain_) * std::exp(-(t - attack_) / decay_);
}

double Envelope::Level(double t, double held) const {
    if (t < 0.0) {
        return 0.0;
    }
    if (t < held) {
        return HeldLevel(t);
    }
    double fall = (t - held) / release_;
    if (fall >= 1.0) {
        return 0.0;
    }
    double shape = 1.0 - fall;
    return HeldLevel(held) * shape * shape;
}
