#include "audiogen/AudioAssets.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "audio/AudioWriter.h"
#include "audiogen/EngineSounds.h"
#include "audiogen/GameTune.h"
#include "audiogen/MenuTune.h"
#include "audiogen/PcmConverter.h"
#include "audiogen/SoundEffects.h"
#include "audiogen/SynthConstants.h"

namespace {
constexpr float kOggQuality = 0.5f;
constexpr int kMp3BitrateKbps = 128;
constexpr double kMusicPeakDbfs = -1.0;

// Effects sit at different levels so that the interface ticks stay
// discreet and the running engine does not drown the music.
std::vector<AudioAssets::Asset> MakeList() {
    using F = AudioAssets::Format;
    return {
        {"Data/Sounds/Engine.Wav", F::Wav, -5.0, true, EngineSounds::RunningLoop},
        {"Data/Sounds/TuTu.Ogg", F::Ogg, -5.0, false, SoundEffects::Whistle},
        {"Data/Sounds/EngineStop.Ogg", F::Ogg, -3.0, false, EngineSounds::Stopping},
        {"Data/Sounds/EngineSlow.Ogg", F::Ogg, -4.0, false, EngineSounds::Slowing},
        {"Data/Sounds/SemaforNear.Ogg", F::Ogg, -3.0, false, SoundEffects::SignalBell},
        {"Data/Sounds/RotateRail.Wav", F::Wav, -3.0, false, SoundEffects::Ratchet},
        {"Data/Sounds/MoveRail.Wav", F::Wav, -3.0, false, SoundEffects::WoodSlide},
        {"Data/Sounds/NoMove.Wav", F::Wav, -3.0, false, SoundEffects::Knock},
        {"Data/Sounds/Interface/MsOver.Wav", F::Wav, -14.0, false, SoundEffects::Tick},
        {"Data/Sounds/Interface/MsClik.Wav", F::Wav, -8.0, false, SoundEffects::Click},
        {"Data/Music/Menu.Mp3", F::Mp3, kMusicPeakDbfs, true, [] { return MenuTune::Render(); }},
        {"Data/Music/Game/A.Mp3", F::Mp3, kMusicPeakDbfs, true, [] { return GameTune::Render(); }},
    };
}
}  // namespace

const std::vector<AudioAssets::Asset>& AudioAssets::All() {
    static const std::vector<Asset> assets = MakeList();
    return assets;
}

std::vector<int16_t> AudioAssets::RenderPcm(const Asset& asset) {
    return PcmConverter::Normalise(asset.synthesise(), asset.peakDbfs);
}

std::vector<uint8_t> AudioAssets::Encode(const Asset& asset, const std::vector<int16_t>& pcm) {
    switch (asset.format) {
        case Format::Wav:
            return AudioWriter::EncodeWav(pcm, kSampleRate, 1);
        case Format::Ogg:
            return AudioWriter::EncodeOgg(pcm, kSampleRate, 1, kOggQuality);
        case Format::Mp3:
            return AudioWriter::EncodeMp3(pcm, kSampleRate, 1, kMp3BitrateKbps);
    }
    return {};
}

std::vector<std::string> AudioAssets::WriteAll(const std::string& root, bool verbose) {
    std::vector<std::string> failed;
    for (const Asset& asset : All()) {
        auto start = std::chrono::steady_clock::now();
        std::vector<int16_t> pcm = RenderPcm(asset);
        std::vector<uint8_t> bytes = Encode(asset, pcm);
        std::string path = (std::filesystem::path(root) / asset.name).string();
        if (bytes.empty() || !AudioWriter::WriteFile(path, bytes)) {
            failed.push_back(asset.name);
            continue;
        }
        if (verbose) {
            double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            std::printf("%-34s %7.2f s %9zu bytes %7.0f ms\n", asset.name.c_str(),
                        static_cast<double>(pcm.size()) / kSampleRate, bytes.size(), ms);
        }
    }
    return failed;
}
