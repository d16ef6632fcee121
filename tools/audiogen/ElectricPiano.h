#pragma once

#include "audiogen/Instrument.h"

// A soft electric-piano voice: two-operator FM whose brightness fades after
// the strike, with a faint metallic tine at the start.
class ElectricPiano : public Instrument {
public:
    ElectricPiano(double modulationIndex, double decaySeconds);

    std::vector<float> Render(const NoteRequest& note) const override;

private:
    double modulationIndex_;
    double decaySeconds_;
};
