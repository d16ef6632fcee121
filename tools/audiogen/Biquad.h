#pragma once

// Second-order filter section (the usual audio-cookbook designs), used for
// shaping noise into chuffs, hisses, drums and knocks.
class Biquad {
public:
    static Biquad LowPass(double frequency, double q);
    static Biquad HighPass(double frequency, double q);
    static Biquad BandPass(double frequency, double q);

    float Process(float x);
    void Reset();

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);

    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};
