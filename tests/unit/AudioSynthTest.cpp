#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "audiogen/BassVoice.h"
#include "audiogen/Drum.h"
#include "audiogen/ElectricPiano.h"
#include "audiogen/Envelope.h"
#include "audiogen/Flute.h"
#include "audiogen/LoopBuffer.h"
#include "audiogen/PcmConverter.h"
#include "audiogen/PluckedString.h"
#include "audiogen/ReedOrgan.h"
#include "audiogen/Reverb.h"
#include "audiogen/Sequencer.h"
#include "audiogen/SynthConstants.h"

namespace {
// Period of the strongest repetition in the signal between the given
// frequencies, refined by parabolic interpolation: the note's pitch.
double MeasuredFrequency(const std::vector<float>& s, size_t from, size_t count, double low,
                         double high) {
    const size_t minLag = size_t(kSampleRate / high), maxLag = size_t(kSampleRate / low);
    std::vector<double> corr(maxLag + 2, 0.0);
    for (size_t lag = minLag - 1; lag <= maxLag + 1; ++lag)
        for (size_t i = from; i < from + count; ++i)
            corr[lag] += double(s[i]) * s[i + lag];
    const size_t best =
        size_t(std::max_element(corr.begin() + minLag, corr.begin() + maxLag + 1) - corr.begin());
    const double a = corr[best - 1], b = corr[best], c = corr[best + 1];
    return kSampleRate / (best + 0.5 * (a - c) / (a - 2 * b + c));
}

double Rms(const std::vector<float>& s, size_t from, size_t count) {
    double sum = 0.0;
    for (size_t i = from; i < from + count && i < s.size(); ++i)
        sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(count));
}

}  // namespace

TEST(AudioSynthTest, NotesAreInTuneFiniteBoundedEndInSilenceAndFollowTheirSeed) {
    std::vector<std::pair<const char*, std::unique_ptr<Instrument>>> voices;
    voices.emplace_back("pluck", std::make_unique<PluckedString>(0.6f, 1.5));
    voices.emplace_back("piano", std::make_unique<ElectricPiano>(1.2, 1.0));
    voices.emplace_back("reed", std::make_unique<ReedOrgan>(std::vector<float>{1.0f, 0.5f, 0.3f},
                                                            7.0, Envelope(0.02, 0.3, 0.8, 0.06)));
    voices.emplace_back("flute", std::make_unique<Flute>(0.1));
    voices.emplace_back("bass", std::make_unique<BassVoice>(0.5));
    const size_t pitched = voices.size();
    for (auto kind : {Drum::Kind::Kick, Drum::Kind::Snare, Drum::Kind::Hat, Drum::Kind::Brush})
        voices.emplace_back("drum", std::make_unique<Drum>(kind));
    for (size_t i = 0; i < voices.size(); ++i) {
        const auto& [name, voice] = voices[i];
        for (double frequency : {98.0, 220.0, 587.33, 1760.0}) {
            SCOPED_TRACE(std::string(name) + std::to_string(i) + " at " +
                         std::to_string(frequency));
            const NoteRequest note{frequency, frequency > 1000 ? 0.3 : 0.6, 1.0f, 11};
            const std::vector<float> sound = voice->Render(note);
            ASSERT_GT(sound.size(), 100u);
            if (frequency < 1000 && i < pitched) {
                const double measured =
                    MeasuredFrequency(sound, 4410, 4096, frequency * 0.7, frequency * 1.4);
                EXPECT_NEAR(measured / frequency, 1.0, 0.006);
            }
            for (float s : sound)
                ASSERT_TRUE(std::isfinite(s) && std::fabs(s) < 4.0f) << s;
            EXPECT_GT(PcmConverter::Peak(sound), 0.05);
            // Neither the first nor the last sample may jump: no clicks.
            EXPECT_LT(std::fabs(sound.front()), 0.02f);
            EXPECT_LT(Rms(sound, sound.size() - 64, 64), 0.01);
            // The same seed gives the same note.
            EXPECT_EQ(voice->Render(note), sound);
        }
    }
    // Another seed gives other noise.
    NoteRequest note, other;
    note.seed = 11;
    other.seed = 12;
    EXPECT_NE(PluckedString(0.5f, 1.0).Render(note), PluckedString(0.5f, 1.0).Render(other));
    EXPECT_NE(Drum(Drum::Kind::Snare).Render(note), Drum(Drum::Kind::Snare).Render(other));
}

TEST(AudioSynthTest, EnvelopeIsContinuousThroughAttackAndRelease) {
    Envelope envelope(0.01, 0.2, 0.5, 0.1);
    EXPECT_DOUBLE_EQ(envelope.Level(0.0, 1.0), 0.0);
    EXPECT_NEAR(envelope.Level(0.01, 1.0), 1.0, 1e-9);
    EXPECT_NEAR(envelope.Level(5.0, 10.0), 0.5, 1e-6);
    for (double held : {0.005, 0.3}) {
        EXPECT_NEAR(envelope.Level(held - 1e-7, held), envelope.Level(held + 1e-7, held), 1e-4);
        EXPECT_DOUBLE_EQ(envelope.Level(held + 0.1, held), 0.0);
    }
    EXPECT_DOUBLE_EQ(envelope.Level(-0.1, 1.0), 0.0);
}

TEST(AudioSynthTest, LoopBufferWrapsWhatRunsPastItsEnd) {
    LoopBuffer loop(10);
    loop.Add({1, 2, 3, 4}, 8, 2.0f);
    loop.Add({5}, -1, 1.0f);  // negative offsets count back from the end
    loop.Add({7}, 23, 1.0f);  // offsets beyond the length wrap
    std::vector<float> expected = {6, 8, 0, 7, 0, 0, 0, 0, 2, 9};
    EXPECT_EQ(loop.Samples(), expected);
    LoopBuffer empty(0);
    empty.Add({1, 2}, 3, 1.0f);
    EXPECT_TRUE(empty.Samples().empty());
}

TEST(AudioSynthTest, ReverbTailOfTheLoopsEndRingsIntoItsStart) {
    std::vector<float> loop(kSampleRate, 0.0f);
    loop[loop.size() - 200] = 1.0f;
    std::vector<float> wet = Reverb(0.8f, 0.3f).ProcessLoop(loop);
    ASSERT_EQ(wet.size(), loop.size());
    EXPECT_GT(Rms(wet, 0, 4410), 1e-4);
    // Before the impulse (and after its echoes from the start died) is quiet.
    EXPECT_LT(Rms(wet, loop.size() / 2, 4410), Rms(wet, 0, 4410) * 0.1);
}

TEST(AudioSynthTest, SequencerLoopCarriesLongNotesOverTheSeam) {
    Sequencer sequencer(120.0, 8.0);  // 4 seconds
    int organ = sequencer.AddInstrument(
        std::make_unique<ReedOrgan>(std::vector<float>{1.0f}, 0.0, Envelope(0.01, 1.0, 1.0, 0.05)),
        0.5f, 0.0f);
    EXPECT_THROW(sequencer.Play(NoteEvent{organ + 1, 0.0, 1.0, 60, 1.0f}), std::out_of_range);
    sequencer.Play(NoteEvent{organ, 7.0, 2.0, 69, 1.0f});  // last beat and one beyond
    ASSERT_EQ(sequencer.LoopSamples(), static_cast<size_t>(4 * kSampleRate));
    std::vector<float> loop = sequencer.Render(3, Reverb(0.5f, 0.5f));
    size_t beat = kSampleRate / 2;
    EXPECT_GT(Rms(loop, beat / 4, beat / 2), 0.2);   // the note goes on after the seam
    EXPECT_LT(Rms(loop, 2 * beat, 4 * beat), 0.01);  // and stops during the second beat
    EXPECT_GT(Rms(loop, loop.size() - beat / 2, beat / 4), 0.2);
    double jump = std::fabs(loop.back() - loop.front());
    // No larger than the biggest step of the sine itself (amplitude about 0.5).
    EXPECT_LT(jump, 0.6 * kTwoPi * 440.0 / kSampleRate);
    EXPECT_EQ(loop, sequencer.Render(3, Reverb(0.5f, 0.5f)));
    // The seed moves the player's touch: timing and loudness differ.
    EXPECT_NE(loop, sequencer.Render(4, Reverb(0.5f, 0.5f)));
}

TEST(AudioSynthTest, NormalisingPutsThePeakAtTheRequestedLevelAndFadingSilencesTheEnds) {
    std::vector<float> signal = {0.0f, 0.25f, -2.0f, 1.0f};
    std::vector<int16_t> pcm = PcmConverter::Normalise(signal, -6.0);
    int target = static_cast<int>(std::lround(32767.0 * std::pow(10.0, -6.0 / 20.0)));
    EXPECT_EQ(pcm[2], -target);
    EXPECT_EQ(pcm[3], std::lround(target / 2.0));
    EXPECT_EQ(pcm[0], 0);
    // A level above full scale is held at full scale; silence stays silent.
    EXPECT_EQ(PcmConverter::Normalise(signal, 3.0)[2], -32767);
    EXPECT_EQ(PcmConverter::Normalise({0.0f, 0.0f}, -1.0), (std::vector<int16_t>{0, 0}));
    // Fading silences both ends and leaves the middle.
    std::vector<float> ones(1000, 1.0f);
    PcmConverter::FadeEdges(ones, 100.0 / kSampleRate, 200.0 / kSampleRate);
    EXPECT_EQ(std::vector<float>({ones.front(), ones[500], ones.back()}),
              std::vector<float>({0.0f, 1.0f, 0.0f}));
    EXPECT_LT(ones[50], ones[99]);
    EXPECT_LT(ones[999 - 50], ones[999 - 150]);
}
