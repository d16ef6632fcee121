#pragma once

// Attack-decay-sustain-release amplitude shape of a note. Times are in
// seconds; the decay is exponential towards the sustain level and the
// release falls smoothly from wherever the note was when it was let go.
class Envelope {
public:
    Envelope(double attack, double decay, double sustain, double release);

    // Level (0..1) at time t of a note held for `held` seconds.
    double Level(double t, double held) const;
    double Release() const { return release_; }

private:
    double HeldLevel(double t) const;

    double attack_;
    double decay_;
    double sustain_;
    double release_;
};
