#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "audiogen/Sequencer.h"

// One step of an accompaniment pattern within a bar: when, how long, which
// tone (meaning depends on the part: a chord-tone index, or semitones above
// the root for the bass) and an accent multiplying the part's loudness.
struct PatternStep {
    double beat;
    double beats;
    int tone;
    float accent;
};

// Writes the parts of a tune into a sequencer bar by bar: melodies from
// notation, and bass, arpeggios, strummed chords, pads and drums from a
// chord per bar and a one-bar pattern.
class Arranger {
public:
    using Chords = std::vector<std::string>;

    Arranger(Sequencer& sequencer, double beatsPerBar);

    // The chords of a whole tune, a chord per bar, from its sections in order.
    static Chords Join(std::initializer_list<const Chords*> sections);

    void Melody(int voice, const std::string& notation, int bar, float velocity, int transpose = 0);
    // tone = semitones above the chord's root placed at or above `lowest`.
    void Bass(int voice, const std::vector<std::string>& chords, int bar,
              const std::vector<PatternStep>& pattern, int lowest, float velocity);
    // tone = index into the chord's tones stacked upward from `lowest`.
    void Arpeggio(int voice, const std::vector<std::string>& chords, int bar,
                  const std::vector<PatternStep>& pattern, int lowest, float velocity);
    // Every chord tone at each step, spread a little like a strum.
    void Strum(int voice, const std::vector<std::string>& chords, int bar,
               const std::vector<PatternStep>& pattern, int lowest, float velocity);
    // tone is ignored; the pattern repeats for `bars` bars.
    void Drums(int voice, int bar, int bars, const std::vector<PatternStep>& pattern,
               float velocity);

    double BeatOfBar(int bar) const { return bar * beatsPerBar_; }

private:
    Sequencer& sequencer_;
    double beatsPerBar_;
};
