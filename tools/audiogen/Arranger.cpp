#include "audiogen/Arranger.h"

#include "audiogen/Chord.h"
#include "audiogen/Notation.h"

namespace {
constexpr double kStrumSpreadBeats = 0.02;
constexpr int kDrumPitch = 60;

int ChordTone(const Chord& chord, int lowest, int index) {
    std::vector<int> voicing = chord.Voicing(lowest);
    int count = static_cast<int>(voicing.size());
    return voicing[static_cast<size_t>(index % count)] + 12 * (index / count);
}
}  // namespace

Arranger::Arranger(Sequencer& sequencer, double beatsPerBar)
    : sequencer_(sequencer), beatsPerBar_(beatsPerBar) {}

Arranger::Chords Arranger::Join(std::initializer_list<const Chords*> sections) {
    Chords all;
    for (const Chords* section : sections) {
        all.insert(all.end(), section->begin(), section->end());
    }
    return all;
}

void Arranger::Melody(int voice, const std::string& notation, int bar, float velocity,
                      int transpose) {
    for (const WrittenNote& note : Notation::Parse(notation, BeatOfBar(bar))) {
        sequencer_.Play(NoteEvent{voice, note.beat, note.beats, note.pitch + transpose, velocity});
    }
}

void Arranger::Bass(int voice, const std::vector<std::string>& chords, int bar,
                    const std::vector<PatternStep>& pattern, int lowest, float velocity) {
    for (size_t i = 0; i < chords.size(); ++i) {
        int root = Chord::Parse(chords[i]).RootAtOrAbove(lowest);
        double start = BeatOfBar(bar + static_cast<int>(i));
        for (const PatternStep& step : pattern) {
            sequencer_.Play(NoteEvent{voice, start + step.beat, step.beats, root + step.tone,
                                      velocity * step.accent});
        }
    }
}

void Arranger::Arpeggio(int voice, const std::vector<std::string>& chords, int bar,
                        const std::vector<PatternStep>& pattern, int lowest, float velocity) {
    for (size_t i = 0; i < chords.size(); ++i) {
        Chord chord = Chord::Parse(chords[i]);
        double start = BeatOfBar(bar + static_cast<int>(i));
        for (const PatternStep& step : pattern) {
            sequencer_.Play(NoteEvent{voice, start + step.beat, step.beats,
                                      ChordTone(chord, lowest, step.tone), velocity * step.accent});
        }
    }
}

void Arranger::Strum(int voice, const std::vector<std::string>& chords, int bar,
                     const std::vector<PatternStep>& pattern, int lowest, float velocity) {
    for (size_t i = 0; i < chords.size(); ++i) {
        std::vector<int> tones = Chord::Parse(chords[i]).Voicing(lowest);
        double start = BeatOfBar(bar + static_cast<int>(i));
        for (const PatternStep& step : pattern) {
            for (size_t t = 0; t < tones.size(); ++t) {
                double spread = kStrumSpreadBeats * static_cast<double>(t);
                sequencer_.Play(NoteEvent{voice, start + step.beat + spread, step.beats - spread,
                                          tones[t], velocity * step.accent});
            }
        }
    }
}

void Arranger::Drums(int voice, int bar, int bars, const std::vector<PatternStep>& pattern,
                     float velocity) {
    for (int i = 0; i < bars; ++i) {
        double start = BeatOfBar(bar + i);
        for (const PatternStep& step : pattern) {
            sequencer_.Play(NoteEvent{voice, start + step.beat, step.beats, kDrumPitch,
                                      velocity * step.accent});
        }
    }
}
