#pragma once

#include "audiogen/Instrument.h"

// A plucked string (Karplus-Strong): a burst of noise circulating in a
// tuned, gently low-passed delay line. Sounds like a harp, guitar or
// mandolin depending on brightness and ring time.
class PluckedString : public Instrument {
public:
    // brightness 0..1 colours the pluck; ringSeconds is the time to fade
    // by about 60 dB while held.
    PluckedString(float brightness, double ringSeconds);

    std::vector<float> Render(const NoteRequest& note) const override;

private:
    float brightness_;
    double ringSeconds_;
};
