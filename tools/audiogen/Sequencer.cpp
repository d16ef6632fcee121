#include "audiogen/Sequencer.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "audiogen/LoopBuffer.h"
#include "audiogen/NoiseSource.h"
#include "audiogen/SynthConstants.h"

namespace {
constexpr double kTimingJitterSeconds = 0.004;
constexpr double kVelocityJitter = 0.06;

double PitchToFrequency(int pitch) {
    return 440.0 * std::pow(2.0, (pitch - 69) / 12.0);
}
}  // namespace

Sequencer::Sequencer(double beatsPerMinute, double loopBeats)
    : beatsPerMinute_(beatsPerMinute), loopBeats_(loopBeats) {}

int Sequencer::AddInstrument(std::unique_ptr<Instrument> voice, float gain, float reverbSend) {
    voices_.push_back(Voice{std::move(voice), gain, reverbSend});
    return static_cast<int>(voices_.size()) - 1;
}

void Sequencer::Play(const NoteEvent& event) {
    if (event.instrument < 0 || event.instrument >= static_cast<int>(voices_.size())) {
        throw std::out_of_range("note for an unknown voice");
    }
    events_.push_back(event);
}

size_t Sequencer::LoopSamples() const {
    return static_cast<size_t>(std::llround(loopBeats_ * SecondsPerBeat() * kSampleRate));
}

std::vector<float> Sequencer::Render(uint64_t seed, const Reverb& reverb) const {
    LoopBuffer dry(LoopSamples());
    LoopBuffer send(LoopSamples());
    NoiseSource touch(seed);
    for (const NoteEvent& event : events_) {
        const Voice& voice = voices_[static_cast<size_t>(event.instrument)];
        double jitter = kTimingJitterSeconds * touch.Next();
        float loudness = event.velocity * static_cast<float>(1.0 + kVelocityJitter * touch.Next());
        NoteRequest request;
        request.frequency = PitchToFrequency(event.pitch);
        request.seconds = event.beats * SecondsPerBeat();
        request.velocity = loudness;
        request.seed = touch.NextBits();
        std::vector<float> sound = voice.instrument->Render(request);
        double start = event.beat * SecondsPerBeat() + jitter;
        long long offset = std::llround(start * kSampleRate);
        dry.Add(sound, offset, voice.gain);
        if (voice.reverbSend > 0.0f) {
            send.Add(sound, offset, voice.gain * voice.reverbSend);
        }
    }
    std::vector<float> mix = std::move(dry.Samples());
    std::vector<float> wet = reverb.ProcessLoop(send.Samples());
    for (size_t i = 0; i < mix.size(); ++i) {
        mix[i] += wet[i];
    }
    return mix;
}
