#include "audiogen/GameTune.h"

#include <memory>
#include <string>
#include <vector>

#include "audiogen/Arranger.h"
#include "audiogen/BassVoice.h"
#include "audiogen/Drum.h"
#include "audiogen/ElectricPiano.h"
#include "audiogen/Flute.h"
#include "audiogen/PluckedString.h"
#include "audiogen/ReedOrgan.h"
#include "audiogen/Reverb.h"

namespace {
using Chords = std::vector<std::string>;

const Chords kIntroChords = {"D", "G", "A7", "D"};
const Chords kVerseChords = {"D", "G", "D", "A", "D", "G", "A7", "D"};
const Chords kChorusChords = {"G", "D", "Em", "A", "G", "D", "A7", "D"};

const char* const kVerse =
    "a4:0.5 d5:0.5 f#5:0.5 d5:0.5 a5:1 f#5:1 | g5:0.5 f#5:0.5 e5:0.5 d5:0.5 b4:1 d5:1 |"
    "a4:0.5 d5:0.5 f#5:0.5 a5:0.5 d6:1 a5:1 | g5:0.5 f#5:0.5 e5:0.5 d5:0.5 c#5:1 a4:1 |"
    "f#5:0.5 e5:0.5 f#5:0.5 a5:0.5 d5:1 f#5:1 | g5:0.5 a5:0.5 b5:0.5 g5:0.5 e5:1 g5:1 |"
    "f#5:0.5 e5:0.5 d5:0.5 e5:0.5 c#5:0.5 b4:0.5 a4:1 | d5:1 a4:1 d5:1 r:1";
const char* const kChorus =
    "b4:1.5 d5:0.5 g5:2 | f#5:1.5 e5:0.5 d5:2 | e5:1 g5:1 b5:1 g5:1 | a5:1.5 g5:0.5 e5:1 c#5:1 |"
    "b4:1.5 d5:0.5 g5:1 b5:1 | a5:1 f#5:1 d5:1 f#5:1 |"
    "e5:0.5 f#5:0.5 g5:0.5 e5:0.5 c#5:1 e5:1 | d5:2 r:2";

constexpr int kIntro = 0;
constexpr int kVerseA = 4;
constexpr int kChorusA = 12;
constexpr int kVerseB = 20;
constexpr int kChorusB = 28;

Chords AllChords() {
    return Arranger::Join(
        {&kIntroChords, &kVerseChords, &kChorusChords, &kVerseChords, &kChorusChords});
}

struct Voices {
    int accordion;
    int flute;
    int mandolin;
    int guitar;
    int piano;
    int bass;
    int kick;
    int snare;
    int hat;
};

Voices AddVoices(Sequencer& sequencer) {
    Voices v{};
    v.accordion = sequencer.AddInstrument(
        std::make_unique<ReedOrgan>(
            std::vector<float>{1.0f, 0.55f, 0.45f, 0.3f, 0.22f, 0.15f, 0.1f, 0.07f}, 7.0,
            Envelope(0.02, 0.3, 0.8, 0.06)),
        0.20f, 0.20f);
    v.flute = sequencer.AddInstrument(std::make_unique<Flute>(0.1), 0.32f, 0.30f);
    v.mandolin = sequencer.AddInstrument(std::make_unique<PluckedString>(0.8f, 1.0), 0.28f, 0.2f);
    v.guitar = sequencer.AddInstrument(std::make_unique<PluckedString>(0.4f, 1.2), 0.10f, 0.2f);
    v.piano = sequencer.AddInstrument(std::make_unique<ElectricPiano>(1.0, 0.5), 0.12f, 0.15f);
    v.bass = sequencer.AddInstrument(std::make_unique<BassVoice>(0.35), 0.45f, 0.03f);
    v.kick = sequencer.AddInstrument(std::make_unique<Drum>(Drum::Kind::Kick), 0.42f, 0.03f);
    v.snare = sequencer.AddInstrument(std::make_unique<Drum>(Drum::Kind::Snare), 0.16f, 0.12f);
    v.hat = sequencer.AddInstrument(std::make_unique<Drum>(Drum::Kind::Hat), 0.09f, 0.05f);
    return v;
}

void WriteMelody(Arranger& arranger, const Voices& v) {
    arranger.Melody(v.accordion, kVerse, kVerseA, 0.85f);
    arranger.Melody(v.flute, kChorus, kChorusA, 0.85f);
    arranger.Melody(v.mandolin, kChorus, kChorusA, 0.55f, -12);
    arranger.Melody(v.accordion, kVerse, kVerseB, 0.85f);
    arranger.Melody(v.mandolin, kVerse, kVerseB, 0.5f, -12);
    arranger.Melody(v.accordion, kChorus, kChorusB, 0.8f);
    arranger.Melody(v.flute, kChorus, kChorusB, 0.45f, 12);
}

void WriteAccompaniment(Arranger& arranger, const Voices& v) {
    Chords all = AllChords();
    // Oom-pah: root on the first beat, fifth on the third, a passing
    // octave before the bar line.
    arranger.Bass(v.bass, all, kIntro,
                  {{0.0, 0.9, 0, 1.0f}, {2.0, 0.9, 7, 0.8f}, {3.5, 0.45, 12, 0.5f}}, 38, 0.95f);
    arranger.Strum(v.piano, all, kIntro, {{1.0, 0.45, 0, 0.9f}, {3.0, 0.45, 0, 0.9f}}, 62, 0.9f);
    Chords chorus(all.begin() + kChorusA, all.begin() + kVerseB);
    std::vector<PatternStep> strum = {{0.0, 0.9, 0, 1.0f}, {1.0, 0.4, 0, 0.6f},
                                      {1.5, 0.4, 0, 0.5f}, {2.0, 0.9, 0, 0.8f},
                                      {3.0, 0.4, 0, 0.6f}, {3.5, 0.4, 0, 0.5f}};
    arranger.Strum(v.guitar, chorus, kChorusA, strum, 55, 0.8f);
    arranger.Strum(v.guitar, Chords(all.begin() + kChorusB, all.end()), kChorusB, strum, 55, 0.8f);
}

void WriteDrums(Arranger& arranger, const Voices& v) {
    arranger.Drums(v.kick, kIntro, GameTune::kBars, {{0.0, 0.3, 0, 1.0f}, {2.0, 0.3, 0, 0.85f}},
                   0.9f);
    std::vector<PatternStep> hats;
    for (int i = 0; i < 8; ++i) {
        hats.push_back({0.5 * i, 0.1, 0, i % 2 == 1 ? 1.0f : 0.55f});
    }
    arranger.Drums(v.hat, kIntro, GameTune::kBars, hats, 0.8f);
    arranger.Drums(v.snare, kVerseA, GameTune::kBars - kVerseA,
                   {{1.0, 0.2, 0, 1.0f}, {3.0, 0.2, 0, 1.0f}}, 0.85f);
    // A small fill leading into each section.
    for (int bar : {kVerseA - 1, kChorusA - 1, kVerseB - 1, kChorusB - 1, GameTune::kBars - 1}) {
        arranger.Drums(v.snare, bar, 1, {{3.5, 0.2, 0, 0.6f}, {3.75, 0.2, 0, 0.7f}}, 0.85f);
    }
}
}  // namespace

Sequencer GameTune::Compose() {
    Sequencer sequencer(kBeatsPerMinute, static_cast<double>(kBars * kBeatsPerBar));
    Arranger arranger(sequencer, kBeatsPerBar);
    Voices voices = AddVoices(sequencer);
    WriteMelody(arranger, voices);
    WriteAccompaniment(arranger, voices);
    WriteDrums(arranger, voices);
    return sequencer;
}

std::vector<float> GameTune::Render(uint64_t seed) {
    return Compose().Render(seed, Reverb(0.8f, 0.4f));
}
