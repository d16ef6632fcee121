#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "audio/AudioWriter.h"
#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "support/DiskAudio.h"
#include "support/TempDir.h"
#include "support/TestTone.h"

// A sound system open on SDL's disk audio driver over a small archive of
// generated sounds, so tests hear what was really mixed.
class SoundFixture : public ::testing::Test {
protected:
    static constexpr double kEffectHz = 440.0;
    static constexpr double kMusicHz = 1000.0;
    static constexpr double kStepLowHz = 500.0;
    static constexpr double kStepHighHz = 800.0;
    static constexpr double kToneAmplitude = 12000.0;
    // Ids of the test samples.
    static constexpr int kBeep = 10;  // 300 ms WAV
    static constexpr int kLoop = 11;  // 100 ms WAV, looping
    static constexpr int kHum = 12;   // 300 ms OGG
    static constexpr const char* kStepsTrack = "Data/Music/Test/Steps.Mp3";
    static constexpr const char* kToneTrack = "Data/Music/Test/Tone.Mp3";
    static constexpr const char* kShortTrack = "Data/Music/Test/Short.Mp3";

    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", dir.File("out.raw").c_str(), 1);
        WriteArchive(dir.File("Resource.Kvr"));
        OResourceArchive::Instance().SetPath(dir.File("Resource.Kvr"));
        ASSERT_TRUE(OResourceArchive::Instance().ReadDirectory());
        ResetSystemOptions();
        SystemOptions = LoudOptions();
        ASSERT_TRUE(sound.Init()) << SDL_GetError();
        int rate = 0;
        Uint16 format = 0;
        int channels = 0;
        ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
        ASSERT_EQ(rate, DiskAudio::kRate);
        ASSERT_EQ(format, AUDIO_S16SYS);
        ASSERT_EQ(channels, DiskAudio::kChannels);
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

    // Full volumes, both switches on.
    static SystemOptionsRecord LoudOptions() {
        SystemOptionsRecord options;
        options.Sound = 1;
        options.Music = 1;
        options.SoundVolume = 255;
        options.MusicVolume = 255;
        return options;
    }

    // Hands every pending SDL event to the sound system; returns how many it
    // took as music end reports.
    int PumpEvents() {
        int taken = 0;
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            if (sound.HandleEvent(event)) {
                ++taken;
            }
        }
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
        while (!condition()) {
            if (SDL_GetTicks() > deadline) {
                return false;
            }
            SDL_Delay(5);
        }
        return true;
    }

    // Milliseconds into the music now playing.
    static double MusicPositionMs() { return Mix_GetMusicPosition(nullptr) * 1000.0; }

    static double Level(const std::vector<int16_t>& heard, double frequency) {
        return TestTone::Level(heard, DiskAudio::kChannels, frequency);
    }

    OSoundSystem& sound = OSoundSystem::Instance();
    TempDir dir;
    DiskAudio output{dir.File("out.raw")};

private:
    static void WriteArchive(const std::string& path) {
        static const std::vector<uint8_t> bytes = BuildArchive();
        TempDir::Write(path, std::string(bytes.begin(), bytes.end()));
    }

public:
    // A short WAV whose data chunk claims almost 4 GiB.
    static std::vector<uint8_t> HugeWav() {
        std::vector<uint8_t> wav = AudioWriter::EncodeWav(TestTone::Sine(kEffectHz, 20), 44100, 1);
        const size_t data = 36;  // "data" follows the 16-byte fmt chunk
        EXPECT_EQ(std::string(wav.begin() + data, wav.begin() + data + 4), "data");
        wav[data + 4] = 0x00;
        wav[data + 5] = 0x00;
        wav[data + 6] = 0xFF;
        wav[data + 7] = 0xFF;
        return wav;
    }

private:
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
        writer.Add("Data/Sounds/Damaged/Cut.Ogg",
                   std::vector<uint8_t>(ogg.begin(), ogg.begin() + ogg.size() / 2));
        const std::vector<uint8_t> wav = AudioWriter::EncodeWav({1, 2, 3, 4}, 44100, 1);
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
        const auto mp3 = [](const std::vector<int16_t>& samples) {
            return AudioWriter::EncodeMp3(samples, 44100, 1, 128);
        };
        OArchiveWriter writer;
        writer.Add("Data/Sounds/Test/Beep.Wav", wav(300));
        // 100 ms hold exactly 44 periods, so the loop joins without a click.
        writer.Add("Data/Sounds/Test/Loop.Wav", wav(100));
        writer.Add("Data/Sounds/Test/Hum.Ogg", ogg(300));
        writer.Add(kStepsTrack, mp3(TestTone::Steps({{kStepLowHz, 200}, {kStepHighHz, 1800}})));
        writer.Add(kToneTrack, mp3(TestTone::Sine(kMusicHz, 2000)));
        writer.Add(kShortTrack, mp3(TestTone::Sine(kMusicHz, 200)));
        for (const char* name : {"Interface/MsOver.Wav", "Interface/MsClik.Wav", "Engine.Wav",
                                 "RotateRail.Wav", "MoveRail.Wav", "NoMove.Wav"}) {
            writer.Add(std::string("Data/Sounds/") + name, wav(100));
        }
        for (const char* name :
             {"TuTu.Ogg", "EngineStop.Ogg", "EngineSlow.Ogg", "SemaforNear.Ogg"}) {
            writer.Add(std::string("Data/Sounds/") + name, ogg(100));
        }
        AddDamagedEntries(writer, ogg(300), mp3(TestTone::Sine(kMusicHz, 1000)));
        writer.Add("Data/Music/Menu.Mp3", mp3(TestTone::Sine(kMusicHz, 500)));
        writer.Add("Data/Music/Game/A.Mp3", mp3(TestTone::Sine(kStepHighHz, 500)));
        std::vector<uint8_t> archive;
        std::string error;
        EXPECT_TRUE(writer.Build(archive, error)) << error;
        return archive;
    }
};
