#include "audiogen/MenuTune.h"

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

const Chords kIntroChords = {"G", "C", "D", "G"};
const Chords kVerseChords = {"G", "Em", "C", "D", "G", "Em", "Am", "D"};
const Chords kVerseEndChords = {"G", "Em", "C", "D", "G", "C", "D7", "G"};
const Chords kBridgeChords = {"C", "G", "Am", "Em", "C", "G", "A7", "D"};

const char* const kVerse =
    "d5:1.5 b4:0.5 g4:1 | e5:2 d5:1 | c5:1 e5:1 g5:1 | f#5:2 e5:0.5 d5:0.5 |"
    "d5:1.5 b4:0.5 g4:1 | g4:1 b4:1 e5:1 | c5:1 b4:1 a4:1 | a4:3";
const char* const kVerseEnd =
    "d5:1.5 b4:0.5 g4:1 | e5:2 d5:1 | c5:1 e5:1 g5:1 | f#5:2 e5:0.5 d5:0.5 |"
    "d5:1.5 b4:0.5 g5:1 | e5:1 g5:1 e5:1 | d5:1 c5:1 a4:1 | g4:3";
const char* const kBridge =
    "e5:1.5 d5:0.5 c5:1 | d5:1.5 c5:0.5 b4:1 | c5:1 e5:1 a5:1 | g5:2 e5:1 |"
    "e5:1.5 d5:0.5 c5:1 | d5:1.5 b4:0.5 g4:1 | a4:1 c#5:1 e5:1 | f#5:1.5 e5:0.5 d5:0.5 c5:0.5";

// Bars where each section starts.
constexpr int kIntro = 0;
constexpr int kVerseA = 4;
constexpr int kVerseB = 12;
constexpr int kBridgeBar = 20;
constexpr int kVerseC = 28;

Chords AllChords() {
    return Arranger::Join(
        {&kIntroChords, &kVerseChords, &kVerseEndChords, &kBridgeChords, &kVerseEndChords});
}

struct Voices {
    int flute;
    int harp;
    int organ;
    int piano;
    int bass;
    int brush;
    int kick;
};

Voices AddVoices(Sequencer& sequencer) {
    Voices v{};
    v.flute = sequencer.AddInstrument(std::make_unique<Flute>(0.08), 0.34f, 0.35f);
    v.harp = sequencer.AddInstrument(std::make_unique<PluckedString>(0.45f, 2.5), 0.30f, 0.30f);
    v.organ = sequencer.AddInstrument(
        std::make_unique<ReedOrgan>(std::vector<float>{1.0f, 0.35f, 0.15f, 0.06f}, 0.0,
                                    Envelope(0.35, 1.0, 0.8, 0.5)),
        0.06f, 0.40f);
    v.piano = sequencer.AddInstrument(std::make_unique<ElectricPiano>(1.2, 1.2), 0.26f, 0.25f);
    v.bass = sequencer.AddInstrument(std::make_unique<BassVoice>(0.9), 0.42f, 0.05f);
    v.brush = sequencer.AddInstrument(std::make_unique<Drum>(Drum::Kind::Brush), 0.10f, 0.15f);
    v.kick = sequencer.AddInstrument(std::make_unique<Drum>(Drum::Kind::Kick), 0.30f, 0.05f);
    return v;
}

void WriteMelody(Arranger& arranger, const Voices& v) {
    arranger.Melody(v.flute, kVerse, kVerseA, 0.8f);
    arranger.Melody(v.flute, kVerseEnd, kVerseB, 0.8f);
    arranger.Melody(v.piano, kBridge, kBridgeBar, 0.85f);
    arranger.Melody(v.flute, kBridge, kBridgeBar, 0.25f, 12);
    arranger.Melody(v.flute, kVerseEnd, kVerseC, 0.8f);
    arranger.Melody(v.piano, kVerseEnd, kVerseC, 0.35f, -12);
}

void WriteAccompaniment(Arranger& arranger, const Voices& v) {
    Chords all = AllChords();
    // Harp: rising and falling eighths through each chord, all the way.
    arranger.Arpeggio(v.harp, all, kIntro,
                      {{0.0, 1.5, 0, 1.0f},
                       {0.5, 1.0, 1, 0.6f},
                       {1.0, 1.0, 2, 0.7f},
                       {1.5, 1.0, 3, 0.6f},
                       {2.0, 1.0, 4, 0.65f},
                       {2.5, 0.5, 2, 0.55f}},
                      55, 0.75f);
    Chords withoutIntro(all.begin() + kVerseA, all.end());
    arranger.Strum(v.organ, withoutIntro, kVerseA, {{0.0, 3.0, 0, 1.0f}}, 59, 0.8f);
    arranger.Bass(v.bass, Chords(all.begin(), all.begin() + kBridgeBar), kIntro,
                  {{0.0, 2.5, 0, 1.0f}}, 43, 0.9f);
    arranger.Bass(v.bass, Chords(all.begin() + kBridgeBar, all.end()), kBridgeBar,
                  {{0.0, 1.8, 0, 1.0f}, {2.0, 0.9, 7, 0.65f}}, 43, 0.9f);
}

void WriteDrums(Arranger& arranger, const Voices& v) {
    int bars = MenuTune::kBars - kVerseA;
    arranger.Drums(v.brush, kVerseA, bars, {{1.0, 0.3, 0, 0.8f}, {2.0, 0.3, 0, 0.6f}}, 0.9f);
    arranger.Drums(v.kick, kVerseB, MenuTune::kBars - kVerseB, {{0.0, 0.3, 0, 1.0f}}, 0.7f);
}
}  // namespace

Sequencer MenuTune::Compose() {
    Sequencer sequencer(kBeatsPerMinute, static_cast<double>(kBars * kBeatsPerBar));
    Arranger arranger(sequencer, kBeatsPerBar);
    Voices voices = AddVoices(sequencer);
    WriteMelody(arranger, voices);
    WriteAccompaniment(arranger, voices);
    WriteDrums(arranger, voices);
    return sequencer;
}

std::vector<float> MenuTune::Render(uint64_t seed) {
    return Compose().Render(seed, Reverb(0.84f, 0.35f));
}
