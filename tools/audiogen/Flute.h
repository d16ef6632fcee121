#pragma once

#include "audiogen/Instrument.h"

// A wooden flute or tin whistle: a nearly pure tone with a breathy onset
// and a vibrato that grows while the note is held.
class Flute : public Instrument {
public:
    explicit Flute(double breath);

    std::vector<float> Render(const NoteRequest& note) const override;

private:
    double breath_;
};
