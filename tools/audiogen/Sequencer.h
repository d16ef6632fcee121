#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "audiogen/Instrument.h"
#include "audiogen/Reverb.h"

// One note of a tune: which voice, when (in beats), for how long, which
// MIDI pitch and how loud.
struct NoteEvent {
    int instrument = 0;
    double beat = 0.0;
    double beats = 1.0;
    int pitch = 60;
    float velocity = 1.0f;
};

// Plays notes on a set of voices into a loop of a fixed number of beats.
// Notes running past the end of the loop continue at its start, and the
// reverb is fed from the loop's end, so the rendered tune repeats without
// a seam. A player's touch is imitated by tiny seeded shifts of timing and
// loudness.
class Sequencer {
public:
    Sequencer(double beatsPerMinute, double loopBeats);

    // Returns the voice's number for Play. gain scales the voice in the mix,
    // reverbSend how much of it goes to the room.
    int AddInstrument(std::unique_ptr<Instrument> voice, float gain, float reverbSend);
    void Play(const NoteEvent& event);

    std::vector<float> Render(uint64_t seed, const Reverb& reverb) const;

    size_t LoopSamples() const;
    double SecondsPerBeat() const { return 60.0 / beatsPerMinute_; }
    const std::vector<NoteEvent>& Events() const { return events_; }

private:
    struct Voice {
        std::unique_ptr<Instrument> instrument;
        float gain;
        float reverbSend;
    };

    double beatsPerMinute_;
    double loopBeats_;
    std::vector<Voice> voices_;
    std::vector<NoteEvent> events_;
};
