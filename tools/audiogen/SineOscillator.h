#pragma once

// A sine wave at a fixed frequency made by rotating a unit vector one step
// per sample: much cheaper than calling sin for every sample of a
// many-harmonic voice, and accurate for far longer than any note lasts.
class SineOscillator {
public:
    SineOscillator(double frequency, double startPhase);

    // The current value, then one sample onwards.
    double Next() {
        double value = sine_;
        double nextSine = sine_ * stepCos_ + cosine_ * stepSin_;
        cosine_ = cosine_ * stepCos_ - sine_ * stepSin_;
        sine_ = nextSine;
        return value;
    }

private:
    double sine_;
    double cosine_;
    double stepSin_;
    double stepCos_;
};
