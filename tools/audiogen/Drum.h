#pragma once

#include "audiogen/Instrument.h"

// Simple drums from noise and swept sines. The note's pitch is ignored;
// its velocity sets the loudness and its seed the grain of the noise.
class Drum : public Instrument {
public:
    enum class Kind { Kick, Snare, Hat, Brush };

    explicit Drum(Kind kind);

    std::vector<float> Render(const NoteRequest& note) const override;

private:
    std::vector<float> Kick(const NoteRequest& note) const;
    std::vector<float> Snare(const NoteRequest& note) const;
    std::vector<float> Hat(const NoteRequest& note) const;
    std::vector<float> Brush(const NoteRequest& note) const;

    Kind kind_;
};
