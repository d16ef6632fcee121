#pragma once

#include "audiogen/Instrument.h"

// A round plucked bass (upright or tuba-like): fundamental and two soft
// harmonics, a quick thump at the start and a gentle fall.
class BassVoice : public Instrument {
public:
    explicit BassVoice(double decaySeconds);

    std::vector<float> Render(const NoteRequest& note) const override;

private:
    double decaySeconds_;
};
