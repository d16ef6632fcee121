#include "audiogen/EngineSounds.h"

#include <algorithm>
#include <cmath>

#include "audiogen/Biquad.h"
#include "audiogen/LoopBuffer.h"
#include "audiogen/NoiseSource.h"
#include "audiogen/PcmConverter.h"
#include "audiogen/SampleMix.h"
#include "audiogen/SynthConstants.h"

namespace {
constexpr uint64_t kEngineSeed = 0x436875666621ULL;
constexpr double kChuffSeconds = 0.42;

// Runs a filter over a loop twice and keeps the second pass, so the
// filter's memory at the start is what the loop's end left in it.
std::vector<float> FilterLoop(Biquad filter, const std::vector<float>& input) {
    std::vector<float> out(input.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < input.size(); ++i) {
            out[i] = filter.Process(input[i]);
        }
    }
    return out;
}
}  // namespace

std::vector<float> EngineSounds::Chuff(float strength, uint64_t seed) {
    std::vector<float> out(SampleMix::Samples(kChuffSeconds));
    NoiseSource noise(seed);
    Biquad body = Biquad::LowPass(420.0, 0.7);
    double phase = 0.0;
    double low = 0.0;
    double band = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        // The exhaust's hiss falls from bright to dull as the burst spends
        // itself: a band-pass (state-variable filter) sweeping downwards.
        double centre = 500.0 + 1300.0 * std::exp(-t / 0.05);
        double tuning = 2.0 * std::sin(kPi * centre / kSampleRate);
        float n = noise.Next();
        double high = n - low - 1.1 * band;
        band += tuning * high;
        low += tuning * band;
        double attack = t < 0.008 ? 0.5 - 0.5 * std::cos(kPi * t / 0.008) : 1.0;
        double burst = std::exp(-t / 0.055) + 0.25 * std::exp(-t / 0.16);
        double tail = 1.0 - t / kChuffSeconds;
        double hiss = band * 1.2 + body.Process(n) * 1.6;
        phase += kTwoPi * (48.0 + 30.0 * std::exp(-t / 0.03)) / kSampleRate;
        double thump = 0.45 * std::sin(phase) * std::exp(-t / 0.05);
        out[i] = static_cast<float>((hiss * burst + thump) * attack * tail * strength);
    }
    // Take the sharpest highs off so the chuff sounds like steam, not static.
    Biquad soften = Biquad::LowPass(3200.0, 0.6);
    for (float& s : out) {
        s = soften.Process(s);
    }
    return out;
}

std::vector<float> EngineSounds::LoopedNoiseBed(size_t length, uint64_t seed) {
    NoiseSource noise(seed);
    std::vector<float> white(length);
    for (float& s : white) {
        s = noise.Next();
    }
    std::vector<float> rumble = FilterLoop(Biquad::LowPass(120.0, 0.7), white);
    std::vector<float> hiss = FilterLoop(Biquad::HighPass(4000.0, 0.7), white);
    std::vector<float> bed(length);
    for (size_t i = 0; i < length; ++i) {
        bed[i] = 0.9f * rumble[i] + 0.02f * hiss[i];
    }
    return bed;
}

std::vector<float> EngineSounds::Clank(uint64_t seed) {
    std::vector<float> out(SampleMix::Samples(0.12));
    NoiseSource noise(seed);
    Biquad ring = Biquad::BandPass(2300.0, 12.0);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double attack = std::min(1.0, t / 0.001);
        out[i] = static_cast<float>(ring.Process(noise.Next()) * attack * std::exp(-t / 0.02) *
                                    (1.0 - t / 0.12));
    }
    return out;
}

std::vector<float> EngineSounds::RunningLoop() {
    size_t length = SampleMix::Samples(kLoopSeconds);
    LoopBuffer loop(length);
    // Four beats a wheel turn, the first strongest; two turns per loop.
    const float accents[kChuffsPerLoop] = {1.0f, 0.62f, 0.85f, 0.58f, 0.97f, 0.64f, 0.82f, 0.6f};
    long long spacing = static_cast<long long>(length / kChuffsPerLoop);
    for (int beat = 0; beat < kChuffsPerLoop; ++beat) {
        loop.Add(Chuff(accents[beat], kEngineSeed + beat), beat * spacing, 1.0f);
        // The coupling rods knock once a wheel turn, between two chuffs.
        if (beat % 4 == 1) {
            loop.Add(Clank(kEngineSeed * 3 + beat), beat * spacing + spacing / 2, 0.25f);
        }
    }
    std::vector<float> bed = LoopedNoiseBed(length, kEngineSeed ^ 0x5A5A);
    loop.Add(bed, 0, 0.5f);
    return loop.Samples();
}

std::vector<float> EngineSounds::Slowing() {
    std::vector<float> out(SampleMix::Samples(3.4));
    double at = 0.0;
    double gap = 0.25;
    float strength = 1.0f;
    for (int beat = 0; beat < 9; ++beat) {
        float accent = beat % 2 == 0 ? 1.0f : 0.72f;
        SampleMix::AddAt(out, Chuff(strength * accent, kEngineSeed + 100 + beat), at, 1.0f);
        at += gap;
        gap *= 1.13;
        strength *= 0.86f;
    }
    PcmConverter::FadeEdges(out, 0.002, 0.2);
    return out;
}

std::vector<float> EngineSounds::BrakeSqueal(double seconds) {
    std::vector<float> out(SampleMix::Samples(seconds));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double frequency = 2150.0 + 40.0 * std::sin(kTwoPi * 6.5 * t) - 120.0 * t / seconds;
        phase += kTwoPi * frequency / kSampleRate;
        double swell = std::sin(kPi * t / seconds);
        out[i] =
            static_cast<float>((std::sin(phase) + 0.3 * std::sin(2.0 * phase)) * swell * swell);
    }
    return out;
}

std::vector<float> EngineSounds::SteamBlowOff(double seconds, uint64_t seed) {
    std::vector<float> out(SampleMix::Samples(seconds));
    NoiseSource noise(seed);
    Biquad high = Biquad::HighPass(1800.0, 0.7);
    Biquad low = Biquad::LowPass(7000.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double swell = std::min(1.0, t / 0.12) * std::exp(-t / (seconds * 0.35));
        out[i] = static_cast<float>(low.Process(high.Process(noise.Next())) * swell);
    }
    return out;
}

std::vector<float> EngineSounds::Stopping() {
    std::vector<float> out(SampleMix::Samples(3.2));
    double at = 0.0;
    double gap = 0.3;
    float strength = 0.9f;
    for (int beat = 0; beat < 3; ++beat) {
        SampleMix::AddAt(out, Chuff(strength, kEngineSeed + 200 + beat), at, 1.0f);
        at += gap;
        gap *= 1.3;
        strength *= 0.7f;
    }
    SampleMix::AddAt(out, BrakeSqueal(1.3), 0.15, 0.07f);
    SampleMix::AddAt(out, SteamBlowOff(2.2, kEngineSeed + 300), 0.9, 0.55f);
    SampleMix::AddAt(out, Chuff(0.9f, kEngineSeed + 301), 1.35, 0.5f);
    SampleMix::AddAt(out, Clank(kEngineSeed + 302), 1.4, 0.6f);
    PcmConverter::FadeEdges(out, 0.002, 0.3);
    return out;
}
