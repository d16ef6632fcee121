#pragma once

#include <vector>

#include "audiogen/Envelope.h"
#include "audiogen/Instrument.h"

// A sustained reed or pipe voice built from harmonics. Two sets of reeds
// tuned a few cents apart beat against each other like an accordion's;
// with no detune and soft upper harmonics it is a quiet organ.
class ReedOrgan : public Instrument {
public:
    ReedOrgan(std::vector<float> harmonics, double detuneCents, Envelope envelope);

    std::vector<float> Render(const NoteRequest& note) const override;

private:
    std::vector<float> harmonics_;
    double detuneCents_;
    Envelope envelope_;
};
