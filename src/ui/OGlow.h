#pragma once

// The glow that grows from a start size to an end size after a control is
// selected (its alpha is end - value), then stops and waits to be restarted.
class OGlow {
public:
    static constexpr double kPerMs = 0.00125;

    OGlow(double start, double end) : value(start), start(start), end(end) {}

    // Starts a new glow unless one is still running.
    void Restart() {
        if (done == 1) {
            done = 0;
        }
    }
    void Advance(int ms) {
        if (done != 0) {
            return;
        }
        value += ms * kPerMs;
        if (value >= end) {
            done = 1;
            value = start;
        }
    }
    bool Running() const { return done == 0; }
    // Alpha of the glow copy.
    float Alpha() const { return static_cast<float>(end - value); }

    double value;
    int done = 1;  // 1: no glow running
    double start;
    double end;
};
