#pragma once

#include <cstdint>
#include <vector>

// One note to be played: its pitch, how long it is held, how hard it is
// struck and the seed for any randomness in its sound.
struct NoteRequest {
    double frequency = 440.0;
    double seconds = 0.5;
    float velocity = 1.0f;
    uint64_t seed = 1;
};

// A voice of the synthesiser. It renders one note into a fresh buffer that
// includes the note's release tail, and must end in silence.
class Instrument {
public:
    virtual ~Instrument() = default;
    virtual std::vector<float> Render(const NoteRequest& note) const = 0;
};
