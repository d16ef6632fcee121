// Sound loading and playing costs: ten one-second OGG effects and one
// 60-second MP3 stream loaded from an in-memory archive entry, and the time
// PlaySound takes on the calling thread (the game calls it from its frame).
#include <SDL.h>
#include <SDL_mixer.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audio/AudioWriter.h"
#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"

namespace {

constexpr int kRate = 44100;
constexpr int kEffects = 10;
constexpr const char* kTrack = "Data/Music/Long.Mp3";

std::string EffectName(int index) {
    return "Data/Sounds/Effect" + std::to_string(index) + ".Ogg";
}

// A tone with a decaying envelope and a little noise, so the encoders see
// something like a real effect or tune rather than a pure sine.
std::vector<int16_t> Tone(double frequency, double seconds, int channels, unsigned seed) {
    const size_t frames = static_cast<size_t>(seconds * kRate);
    std::vector<int16_t> samples;
    samples.reserve(frames * static_cast<size_t>(channels));
    unsigned state = seed;
    for (size_t i = 0; i < frames; ++i) {
        state = state * 1664525u + 1013904223u;
        const double t = static_cast<double>(i) / kRate;
        const double envelope = 0.6 + 0.4 * std::exp(-3.0 * std::fmod(t, 1.0));
        const double noise = (static_cast<double>(state >> 16) / 65536.0 - 0.5) * 0.05;
        const double value = envelope * (0.5 * std::sin(2 * M_PI * frequency * t) +
                                         0.2 * std::sin(2 * M_PI * 2.01 * frequency * t)) +
                             noise;
        for (int c = 0; c < channels; ++c) {
            samples.push_back(static_cast<int16_t>(std::lround(value * 20000.0)));
        }
    }
    return samples;
}

bool WriteArchive(const std::string& path) {
    OArchiveWriter writer;
    for (int i = 0; i < kEffects; ++i) {
        writer.Add(EffectName(i),
                   AudioWriter::EncodeOgg(Tone(220.0 + 40.0 * i, 1.0, 1, i + 1), kRate, 1, 0.4f));
    }
    writer.Add(kTrack, AudioWriter::EncodeMp3(Tone(196.0, 60.0, 2, 99), kRate, 2, 128));
    std::string error;
    if (!writer.Write(path, error)) {
        std::fprintf(stderr, "archive: %s\n", error.c_str());
        return false;
    }
    return true;
}

void BM_LoadTenOggSamples(benchmark::State& state) {
    OSoundSystem& sound = OSoundSystem::Instance();
    for (auto _ : state) {
        for (int i = 0; i < kEffects; ++i) {
            if (!sound.LoadSample(100 + i, EffectName(i), false)) {
                state.SkipWithError("sample not loaded");
                return;
            }
        }
    }
}
BENCHMARK(BM_LoadTenOggSamples)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Load60SecondMp3Stream(benchmark::State& state) {
    for (auto _ : state) {
        auto player = std::make_unique<OMusicPlayer>();
        if (!player->AddTrack(kTrack)) {
            state.SkipWithError("stream not opened");
            return;
        }
        benchmark::DoNotOptimize(player.get());
    }
}
BENCHMARK(BM_Load60SecondMp3Stream)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Resume 45 s into the track: a start with a seek through the stream.
void BM_ResumeMusicAt45Seconds(benchmark::State& state) {
    OSoundSystem& sound = OSoundSystem::Instance();
    auto owned = std::make_unique<OMusicPlayer>();
    owned->AddTrack(kTrack);
    OMusicPlayer* player = sound.RegisterMusic(0, std::move(owned));
    sound.SelectMusic(0);
    for (auto _ : state) {
        state.PauseTiming();
        player->PlayCurrent();
        Mix_SetMusicPosition(45.0);
        player->Stop();
        SDL_FlushEvent(sound.GetStreamEndEventType());
        state.ResumeTiming();
        player->Resume();
    }
    const double position = Mix_GetMusicPosition(nullptr);
    if (!player->IsPlaying() || position < 44.9 || position > 45.5) {
        state.SkipWithError("music not playing at 45 s");
    }
    player->Stop();
    SDL_FlushEvent(sound.GetStreamEndEventType());
}
BENCHMARK(BM_ResumeMusicAt45Seconds)->Unit(benchmark::kMicrosecond);

void BM_PlaySound(benchmark::State& state) {
    OSoundSystem& sound = OSoundSystem::Instance();
    sound.LoadSample(1, EffectName(0), false);
    for (auto _ : state) {
        const int channel = sound.PlaySound(1, 0);
        if (channel >= OSoundSystem::kMixChannels || channel < 0) {
            // Every channel is busy: free them outside the measurement.
            state.PauseTiming();
            sound.StopAllSounds();
            state.ResumeTiming();
        }
    }
    sound.StopAllSounds();
    sound.ClearPlayedIds();
}
BENCHMARK(BM_PlaySound)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    char pattern[] = "/tmp/carrowmoor-bench-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (dir == nullptr) {
        return 1;
    }
    const std::string archivePath = std::string(dir) + "/Resource.Kvr";
    // The dummy driver mixes on its own thread like a real device but writes
    // nothing anywhere.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    int status = 1;
    if (WriteArchive(archivePath)) {
        OResourceArchive::Instance().SetPath(archivePath);
        OResourceArchive::Instance().ReadDirectory();
        if (OSoundSystem::Instance().Init()) {
            benchmark::Initialize(&argc, argv);
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
            status = 0;
        } else {
            std::fprintf(stderr, "no audio: %s\n", SDL_GetError());
        }
        OSoundSystem::Instance().Close();
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return status;
}
