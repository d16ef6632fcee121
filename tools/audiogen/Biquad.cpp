#include "audiogen/Biquad.h"

#include <algorithm>
#include <cmath>

#include "audiogen/SynthConstants.h"

namespace {
struct Coefficients {
    double cosw;
    double alpha;
};

Coefficients Prepare(double frequency, double q) {
    double f = std::clamp(frequency, 10.0, kSampleRate * 0.45);
    double w = kTwoPi * f / kSampleRate;
    return {std::cos(w), std::sin(w) / (2.0 * std::max(q, 0.05))};
}
}  // namespace

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

Biquad Biquad::LowPass(double frequency, double q) {
    Coefficients c = Prepare(frequency, q);
    return Biquad((1 - c.cosw) / 2, 1 - c.cosw, (1 - c.cosw) / 2, 1 + c.alpha, -2 * c.cosw,
                  1 - c.alpha);
}

Biquad Biquad::HighPass(double frequency, double q) {
    Coefficients c = Prepare(frequency, q);
    return Biquad((1 + c.cosw) / 2, -(1 + c.cosw), (1 + c.cosw) / 2, 1 + c.alpha, -2 * c.cosw,
                  1 - c.alpha);
}

Biquad Biquad::BandPass(double frequency, double q) {
    Coefficients c = Prepare(frequency, q);
    return Biquad(c.alpha, 0.0, -c.alpha, 1 + c.alpha, -2 * c.cosw, 1 - c.alpha);
}

float Biquad::Process(float x) {
    double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return static_cast<float>(y);
}

void Biquad::Reset() {
    x1_ = x2_ = y1_ = y2_ = 0.0;
}
