#include "audiogen/SoundEffects.h"

#include <algorithm>
#include <cmath>

#include "audiogen/Biquad.h"
#include "audiogen/NoiseSource.h"
#include "audiogen/PcmConverter.h"
#include "audiogen/SampleMix.h"
#include "audiogen/SynthConstants.h"

namespace {
constexpr uint64_t kEffectsSeed = 0x5346584CULL;
}  // namespace

std::vector<float> SoundEffects::WhistleBlast(double seconds, uint64_t seed) {
    // Two chimes a minor third apart, as on many locomotive whistles; the
    // pitch scoops up as the steam pressure builds in the bell.
    const double chimes[2] = {523.0, 622.0};
    std::vector<float> out(SampleMix::Samples(seconds));
    NoiseSource noise(seed);
    Biquad breath = Biquad::BandPass(2600.0, 1.5);
    Biquad soften = Biquad::LowPass(5000.0, 0.7);
    double phases[2] = {0.0, 1.3};
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double scoop = 1.0 - 0.06 * std::exp(-t / 0.06);
        double swell = std::min(1.0, t / 0.05) * std::min(1.0, (seconds - t) / 0.08);
        double tone = 0.0;
        for (int c = 0; c < 2; ++c) {
            phases[c] += kTwoPi * chimes[c] * scoop / kSampleRate;
            tone += std::sin(phases[c]) + 0.35 * std::sin(2.0 * phases[c]) +
                    0.12 * std::sin(3.0 * phases[c]);
        }
        double air = 0.3 * soften.Process(breath.Process(noise.Next()));
        out[i] = static_cast<float>((tone * 0.5 + air) * swell);
    }
    return out;
}

std::vector<float> SoundEffects::Whistle() {
    std::vector<float> out(SampleMix::Samples(1.45));
    SampleMix::AddAt(out, WhistleBlast(0.32, kEffectsSeed + 1), 0.0, 1.0f);
    SampleMix::AddAt(out, WhistleBlast(0.95, kEffectsSeed + 2), 0.45, 1.0f);
    PcmConverter::FadeEdges(out, 0.002, 0.01);
    return out;
}

std::vector<float> SoundEffects::BellStrike(double seconds) {
    // A small bell's partials are not harmonic; higher ones die faster.
    const double ratios[] = {1.0, 2.32, 3.01, 4.16, 5.43};
    const double levels[] = {1.0, 0.6, 0.35, 0.25, 0.15};
    const double decays[] = {0.9, 0.55, 0.35, 0.2, 0.12};
    const double fundamental = 1180.0;
    std::vector<float> out(SampleMix::Samples(seconds));
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double sum = 0.0;
        for (int p = 0; p < 5; ++p) {
            sum += levels[p] * std::exp(-t / decays[p]) *
                   std::sin(kTwoPi * fundamental * ratios[p] * t);
        }
        double strike = std::min(1.0, t / 0.0015);
        out[i] = static_cast<float>(sum * strike);
    }
    // A damper ends the ring smoothly.
    PcmConverter::FadeEdges(out, 0.0, 0.15);
    return out;
}

std::vector<float> SoundEffects::SignalBell() {
    std::vector<float> out(SampleMix::Samples(1.6));
    SampleMix::AddAt(out, BellStrike(1.35), 0.0, 1.0f);
    SampleMix::AddAt(out, BellStrike(1.3), 0.28, 0.85f);
    PcmConverter::FadeEdges(out, 0.001, 0.25);
    return out;
}

std::vector<float> SoundEffects::WoodTap(double frequency, double decaySeconds, uint64_t seed) {
    std::vector<float> out(SampleMix::Samples(decaySeconds * 6.0));
    NoiseSource noise(seed);
    Biquad knock = Biquad::BandPass(frequency * 4.0, 2.0);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double strike = std::min(1.0, t / 0.0008);
        double body = std::sin(kTwoPi * frequency * t) * std::exp(-t / decaySeconds);
        double crack = knock.Process(noise.Next()) * std::exp(-t / (decaySeconds * 0.25));
        double tail = 1.0 - t / (decaySeconds * 6.0);
        out[i] = static_cast<float>((body + 1.5 * crack) * strike * tail);
    }
    return out;
}

std::vector<float> SoundEffects::Ratchet() {
    std::vector<float> out(SampleMix::Samples(0.36));
    for (int click = 0; click < 7; ++click) {
        float strength = click == 6 ? 1.0f : 0.55f + 0.05f * static_cast<float>(click);
        double at = 0.035 * click + (click == 6 ? 0.02 : 0.0);
        SampleMix::AddAt(out, WoodTap(620.0 + 25.0 * click, 0.006, kEffectsSeed + 10 + click), at,
                         strength);
    }
    PcmConverter::FadeEdges(out, 0.0005, 0.02);
    return out;
}

std::vector<float> SoundEffects::WoodSlide() {
    std::vector<float> out(SampleMix::Samples(0.5));
    NoiseSource noise(kEffectsSeed + 20);
    NoiseSource grain(kEffectsSeed + 21);
    Biquad band = Biquad::BandPass(900.0, 1.2);
    Biquad dull = Biquad::LowPass(2500.0, 0.7);
    Biquad roughness = Biquad::LowPass(35.0, 0.7);
    const double slide = 0.32;
    for (size_t i = 0; i < SampleMix::Samples(slide); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        // Friction is uneven: slow random swells of the scraping noise.
        double rough = 0.6 + 4.0 * std::fabs(roughness.Process(grain.Next()));
        double shape = std::sin(kPi * t / slide);
        out[i] = static_cast<float>(dull.Process(band.Process(noise.Next())) * rough * shape);
    }
    SampleMix::AddAt(out, WoodTap(160.0, 0.03, kEffectsSeed + 22), slide - 0.01, 0.8f);
    PcmConverter::FadeEdges(out, 0.002, 0.03);
    return out;
}

std::vector<float> SoundEffects::Knock() {
    std::vector<float> out(SampleMix::Samples(0.3));
    SampleMix::AddAt(out, WoodTap(120.0, 0.045, kEffectsSeed + 30), 0.0, 1.0f);
    Biquad dull = Biquad::LowPass(900.0, 0.7);
    for (float& s : out) {
        s = dull.Process(s);
    }
    PcmConverter::FadeEdges(out, 0.0005, 0.05);
    return out;
}

std::vector<float> SoundEffects::Tick() {
    std::vector<float> out(SampleMix::Samples(0.04));
    NoiseSource noise(kEffectsSeed + 40);
    Biquad band = Biquad::BandPass(3800.0, 3.0);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double strike = std::min(1.0, t / 0.0005);
        out[i] = static_cast<float>(band.Process(noise.Next()) * strike * std::exp(-t / 0.004));
    }
    PcmConverter::FadeEdges(out, 0.0003, 0.01);
    return out;
}

std::vector<float> SoundEffects::Click() {
    std::vector<float> out(SampleMix::Samples(0.08));
    SampleMix::AddAt(out, WoodTap(900.0, 0.006, kEffectsSeed + 50), 0.0, 1.0f);
    NoiseSource noise(kEffectsSeed + 51);
    Biquad band = Biquad::BandPass(3000.0, 2.0);
    for (size_t i = 0; i < SampleMix::Samples(0.02); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        out[i] += static_cast<float>(band.Process(noise.Next()) * std::exp(-t / 0.003) * 0.8 *
                                     std::min(1.0, t / 0.0004));
    }
    PcmConverter::FadeEdges(out, 0.0003, 0.015);
    return out;
}
