#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audio/AudioWriter.h"
#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "support/TempDir.h"
#include "support/TestTone.h"

// A sound system open on SDL's disk audio driver over a small archive of
// generated sounds, so tests hear what was really mixed: the driver appends
// the output to a file as raw 16-bit stereo at 44100 Hz, in real time.
class SoundFixture : public ::testing::Test {
protected:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;
    static constexpr double kEffectHz = 440.0;
    static constexpr double kMusicHz = 1000.0;
    static constexpr double kStepLowHz = 500.0;
    static constexpr double kStepHighHz = 800.0;
    static constexpr double kToneAmplitude = 12000.0;
    // Anything clearly below the quietest sound the tests expect to hear.
    static constexpr double kSilence = 60.0;
    // Ids of the test samples: a 300 ms WAV, a looping 100 ms WAV, a 300 ms OGG.
    static constexpr int kBeep = 10;
    static constexpr int kLoop = 11;
    static constexpr int kHum = 12;
    // Music: 500 Hz for 200 ms then 800 Hz (2 s in all), 2 s and 200 ms of 1000 Hz.
    static constexpr const char* kStepsTrack = "Data/Music/Test/Steps.Mp3";
    static constexpr const char* kToneTrack = "Data/Music/Test/Tone.Mp3";
    static constexpr const char* kShortTrack = "Data/Music/Test/Short.Mp3";

    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", OutputFile().c_str(), 1);
        static const std::vector<uint8_t> archive = BuildArchive();
        TempDir::Write(dir.File("Resource.Kvr"), std::string(archive.begin(), archive.end()));
        OResourceArchive::Instance().SetPath(dir.File("Resource.Kvr"));
        ASSERT_TRUE(OResourceArchive::Instance().ReadDirectory());
        ResetSystemOptions();
        SystemOptions = LoudOptions();
        ASSERT_TRUE(sound.Init()) << SDL_GetError();
        sound.CopyOptions(SystemOptions);
        sound.ClearPlayedIds();
        ASSERT_TRUE(sound.LoadSample(kBeep, "Data/Sounds/Test/Beep.Wav", false));
        ASSERT_TRUE(sound.LoadSample(kLoop, "Data/Sounds/Test/Loop.Wav", true));
        ASSERT_TRUE(sound.LoadSample(kHum, "Data/Sounds/Test/Hum.Ogg", false));
    }

    void TearDown() override {
        sound.RegisterMusic(0, nullptr);
        sound.RegisterMusic(1, nullptr);
        sound.Close();
        sound.ClearPlayedIds();
        OResourceArchive::Instance().SetPath(OResourceArchive::kDefaultPath);
        ResetSystemOptions();
        unsetenv("SDL_DISKAUDIOFILE");
        unsetenv("SDL_AUDIODRIVER");
    }

    // Full volumes and both switches on, unless said otherwise.
    static SystemOptionsRecord LoudOptions(int soundOn = 1, int soundVolume = 255,
                                           int musicVolume = 255) {
        SystemOptionsRecord options;
        options.Sound = soundOn;
        options.Music = 1;
        options.SoundVolume = soundVolume;
        options.MusicVolume = musicVolume;
        return options;
    }

    // Hands every pending SDL event to the sound system; returns how many it
    // took as music end reports.
    int PumpEvents() {
        int taken = 0;
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0)
            taken += sound.HandleEvent(event) ? 1 : 0;
        return taken;
    }

    OMusicPlayer* AddPlayer(int index, const std::vector<std::string>& tracks) {
        auto player = std::make_unique<OMusicPlayer>();
        for (const std::string& track : tracks) {
            EXPECT_TRUE(player->AddTrack(track)) << track;
        }
        return sound.RegisterMusic(index, std::move(player));
    }

    // Polls until the condition holds or `timeoutMs` pass (the mixer runs in
    // real time, and on a busy machine a little behind it); returns whether
    // it held.
    template <typename Condition>
    static bool WaitUntil(Condition condition, int timeoutMs = 3000) {
        const Uint32 deadline = SDL_GetTicks() + static_cast<Uint32>(timeoutMs);
        while (!condition() && SDL_GetTicks() <= deadline)
            SDL_Delay(5);
        return condition();
    }

    // Milliseconds into the music now playing.
    static double MusicPositionMs() { return Mix_GetMusicPosition(nullptr) * 1000.0; }

    // Waits `settleMs` (so that sound started or stopped just before has
    // reached the output), then returns the next `ms` milliseconds written.
    std::vector<int16_t> Listen(int ms, int settleMs = 60) const {
        SDL_Delay(static_cast<Uint32>(settleMs));
        const uint64_t start = OutputSize();
        const uint64_t wanted = static_cast<uint64_t>(ms) * kRate / 1000 * kChannels * 2;
        // The driver writes about every 23 ms; give it some slack.
        const Uint32 deadline = SDL_GetTicks() + static_cast<Uint32>(ms) * 3 + 500;
        while (OutputSize() < start + wanted && SDL_GetTicks() < deadline) {
            SDL_Delay(5);
        }
        std::ifstream in(OutputFile(), std::ios::binary);
        in.seekg(static_cast<std::streamoff>(start));
        std::vector<int16_t> samples(wanted / 2);
        in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(wanted));
        samples.resize(static_cast<size_t>(in.gcount()) / 2);
        return samples;
    }

    static double Level(const std::vector<int16_t>& heard, double frequency) {
        return TestTone::Level(heard, kChannels, frequency);
    }

public:
    // A short WAV whose data chunk claims almost 4 GiB.
    static std::vector<uint8_t> HugeWav() {
        std::vector<uint8_t> wav = AudioWriter::EncodeWav(TestTone::Sine(kEffectHz, 20), 44100, 1);
        const size_t data = 36;  // "data" follows the 16-byte fmt chunk
        EXPECT_EQ(std::string(wav.begin() + data, wav.begin() + data + 4), "data");
        wav[data + 6] = wav[data + 7] = 0xFF;
        wav[data + 4] = wav[data + 5] = 0x00;
        return wav;
    }

protected:
    OSoundSystem& sound = OSoundSystem::Instance();
    TempDir dir;

private:
    std::string OutputFile() const { return dir.File("out.raw"); }

    uint64_t OutputSize() const {
        std::error_code error;
        const uint64_t size = std::filesystem::file_size(OutputFile(), error);
        return error ? 0 : size / 4 * 4;  // whole stereo frames only
    }

    // Entries a damaged archive could hand over: cut short, noise, a header
    // claiming gigabytes, nothing.
    static void AddDamagedEntries(OArchiveWriter& writer, const std::vector<uint8_t>& ogg,
                                  const std::vector<uint8_t>& mp3) {
        std::vector<uint8_t> noise(4096);
        uint32_t state = 12345;
        for (uint8_t& byte : noise) {
            state = state * 1103515245u + 12345u;
            byte = static_cast<uint8_t>(state >> 16);
        }
        const std::vector<uint8_t> wav = AudioWriter::EncodeWav({1, 2, 3, 4}, 44100, 1);
        writer.Add("Data/Sounds/Damaged/Cut.Ogg",
                   std::vector<uint8_t>(ogg.begin(), ogg.begin() + ogg.size() / 2));
        writer.Add("Data/Sounds/Damaged/Header.Wav",
                   std::vector<uint8_t>(wav.begin(), wav.begin() + 30));
        writer.Add("Data/Sounds/Damaged/Noise.Wav", noise);
        writer.Add("Data/Sounds/Damaged/Huge.Wav", HugeWav());
        writer.Add("Data/Music/Damaged/Huge.Wav", HugeWav());
        writer.Add("Data/Sounds/Damaged/Empty.Wav", {});
        writer.Add("Data/Music/Damaged/Cut.Mp3",
                   std::vector<uint8_t>(mp3.begin(), mp3.begin() + mp3.size() / 3));
        writer.Add("Data/Music/Damaged/Noise.Mp3", noise);
        writer.Add("Data/Music/Damaged/Empty.Mp3", {});
    }

    static std::vector<uint8_t> BuildArchive() {
        const auto wav = [](int ms) {
            return AudioWriter::EncodeWav(TestTone::Sine(kEffectHz, ms), 44100, 1);
        };
        const auto ogg = [](int ms) {
            return AudioWriter::EncodeOgg(TestTone::Sine(kEffectHz, ms), 44100, 1, 0.5f);
        };
        const auto mp3 = [](double frequency, int ms) {
            return AudioWriter::EncodeMp3(TestTone::Sine(frequency, ms), 44100, 1, 128);
        };
        // 200 ms hold a whole number of 500 Hz periods: the steps join smoothly.
        std::vector<int16_t> steps = TestTone::Sine(kStepLowHz, 200);
        const std::vector<int16_t> high = TestTone::Sine(kStepHighHz, 1800);
        steps.insert(steps.end(), high.begin(), high.end());
        OArchiveWriter writer;
        writer.Add("Data/Sounds/Test/Beep.Wav", wav(300));
        // 100 ms hold exactly 44 periods, so the loop joins without a click.
        writer.Add("Data/Sounds/Test/Loop.Wav", wav(100));
        writer.Add("Data/Sounds/Test/Hum.Ogg", ogg(300));
        writer.Add(kStepsTrack, AudioWriter::EncodeMp3(steps, 44100, 1, 128));
        writer.Add(kToneTrack, mp3(kMusicHz, 2000));
        writer.Add(kShortTrack, mp3(kMusicHz, 200));
        for (const char* name : {"Interface/MsOver.Wav", "Interface/MsClik.Wav", "Engine.Wav",
                                 "RotateRail.Wav", "MoveRail.Wav", "NoMove.Wav"}) {
            writer.Add(std::string("Data/Sounds/") + name, wav(100));
        }
        for (const char* name :
             {"TuTu.Ogg", "EngineStop.Ogg", "EngineSlow.Ogg", "SemaforNear.Ogg"}) {
            writer.Add(std::string("Data/Sounds/") + name, ogg(100));
        }
        AddDamagedEntries(writer, ogg(300), mp3(kMusicHz, 1000));
        writer.Add("Data/Music/Menu.Mp3", mp3(kMusicHz, 500));
        writer.Add("Data/Music/Game/A.Mp3", mp3(kStepHighHz, 500));
        std::vector<uint8_t> archive;
        std::string error;
        EXPECT_TRUE(writer.Build(archive, error)) << error;
        return archive;
    }
};
