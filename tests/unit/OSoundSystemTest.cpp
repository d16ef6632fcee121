#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <deque>

#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "sound/WaveHeaderCheck.h"
#include "support/SoundFixture.h"

namespace {

using OSoundSystemTest = SoundFixture;

// Samples are mixed at their own amplitude on channels counted from 1; id 0
// is no request at all, unknown or unloaded ids play nothing but are
// recorded all the same, and only channels 1 to 32 can be stopped.
TEST_F(OSoundSystemTest, SamplesPlayOnChannelsFromOneAndTheRestIsRefusedQuietly) {
    EXPECT_EQ(sound.PlaySound(0, 0), 0);
    EXPECT_EQ(sound.PlaySound3D(0, nullptr, true, 0), 0);
    EXPECT_EQ(sound.PlaySound(99, 0), -1);
    EXPECT_FALSE(sound.LoadSample(13, "Data/Sounds/Missing.Wav", false));
    EXPECT_EQ(sound.PlaySound(13, 0), -1);
    EXPECT_LT(Level(Listen(100), kEffectHz), kSilence);
    for (int channel : {0, -1, OSoundSystem::kMixChannels + 1})
        EXPECT_FALSE(sound.StopChannel(channel)) << channel;

    const int channel = sound.PlaySound(kBeep, 0);
    ASSERT_GE(channel, 1);
    EXPECT_EQ(Mix_Playing(channel - 1), 1);
    EXPECT_NEAR(Level(Listen(120), kEffectHz), kToneAmplitude, kToneAmplitude * 0.1);
    // One tone at a time: two of the same pitch would interfere.
    ASSERT_TRUE(sound.StopChannel(channel));
    ASSERT_GE(sound.PlaySound(kHum, 0), 1);
    EXPECT_GT(Level(Listen(100, 20), kEffectHz), kToneAmplitude * 0.5);
    EXPECT_EQ(sound.PlayedIds(), (std::deque<int>{99, 13, kBeep, kHum}));
}

// Thirty-two looping effects at once, past their sample's end; then no
// channel is free until one is stopped.
TEST_F(OSoundSystemTest, ThirtyTwoLoopsAtOnceThenNoFreeChannel) {
    std::vector<int> channels;
    for (int i = 0; i < OSoundSystem::kMixChannels; ++i)
        channels.push_back(sound.PlaySound(kLoop, 0));
    std::sort(channels.begin(), channels.end());
    EXPECT_EQ(channels.front(), 1);
    EXPECT_EQ(channels.back(), OSoundSystem::kMixChannels);
    EXPECT_EQ(std::unique(channels.begin(), channels.end()), channels.end());
    EXPECT_EQ(sound.PlaySound(kBeep, 0), -1);
    SDL_Delay(250);
    EXPECT_EQ(Mix_Playing(-1), OSoundSystem::kMixChannels) << "the 100 ms loops go on";
    ASSERT_TRUE(sound.StopChannel(7));
    EXPECT_EQ(sound.PlaySound(kBeep, 0), 7);
    for (int channel = 1; channel <= OSoundSystem::kMixChannels; ++channel)
        EXPECT_TRUE(sound.StopChannel(channel));
    EXPECT_LT(Level(Listen(100), kEffectHz), kSilence);
}

// With the sound switched off effects still start, at volume 0, and the
// slider changes nothing; switched on, the slider sets every effect channel
// and leaves the music alone. Volumes are clamped to 0..255 and scaled to
// the mixer's 0..128.
TEST_F(OSoundSystemTest, SoundSwitchAndVolumeSetTheEffectChannelsOnly) {
    sound.CopyOptions(LoudOptions(0, 200));
    EXPECT_FALSE(sound.IsSoundEnabled());
    const int channel = sound.PlaySound(kLoop, 0);
    ASSERT_GE(channel, 1);
    sound.SetSoundVolume(200);
    EXPECT_EQ(sound.GetEffectVolume(), 0);
    EXPECT_EQ(Mix_Volume(channel - 1, -1), 0);
    EXPECT_LT(Level(Listen(80, 30), kEffectHz), kSilence);

    Mix_VolumeMusic(77);
    sound.SetSoundEnabled(true);
    sound.SetSoundVolume(64);
    EXPECT_EQ(Mix_Volume(channel - 1, -1), 32);
    EXPECT_NEAR(Level(Listen(100), kEffectHz), kToneAmplitude * 0.25, kToneAmplitude * 0.05);
    EXPECT_EQ(Mix_Volume(sound.PlaySound(kBeep, 0) - 1, -1), 32) << "a sound started now";
    EXPECT_EQ(Mix_VolumeMusic(-1), 77) << "the music keeps its volume";

    for (const auto& [volume, mixer] :
         {std::pair{255, MIX_MAX_VOLUME}, {0, 0}, {150, 75}, {1000, MIX_MAX_VOLUME}, {-40, 0}})
        EXPECT_EQ(OSoundSystem::ToMixerVolume(volume), mixer) << volume;
    sound.SetSoundVolume(300);
    EXPECT_EQ(sound.GetEffectVolume(), 255);
    sound.SetSoundVolume(-3);
    EXPECT_EQ(sound.GetEffectVolume(), 0);
    sound.CopyOptions(LoudOptions(1, 400, -7));
    EXPECT_EQ(sound.GetEffectVolume(), 255);
    EXPECT_EQ(sound.GetMusicVolume(), 0);
    sound.SetMusicVolume(999);
    EXPECT_EQ(sound.GetMusicVolume(), 255);
}

// Pausing holds effects and music until resumed (a new effect still plays);
// stopping everything stops both without counting a track's end.
TEST_F(OSoundSystemTest, PauseAndStopAllHoldEffectsAndMusic) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    player->PlayCurrent();
    ASSERT_GE(sound.PlaySound(kLoop, 0), 1);
    sound.PauseAllSounds(true);
    const auto paused = Listen(100);
    EXPECT_LT(Level(paused, kEffectHz), kSilence);
    EXPECT_LT(Level(paused, kMusicHz), kSilence);
    const int beep = sound.PlaySound(kBeep, 0);
    EXPECT_GT(Level(Listen(80, 30), kEffectHz), kToneAmplitude * 0.5);
    ASSERT_TRUE(sound.StopChannel(beep));
    sound.PauseAllSounds(false);
    const auto resumed = Listen(100);
    EXPECT_GT(Level(resumed, kEffectHz), kToneAmplitude * 0.5);
    EXPECT_GT(Level(resumed, kMusicHz), kToneAmplitude * 0.5);
    EXPECT_EQ(PumpEvents(), 0);

    const int ends = OMusicPlayer::GetEndCount();
    sound.StopAllSounds();
    EXPECT_EQ(PumpEvents(), 1);  // the halt's report, taken and ignored
    EXPECT_EQ(OMusicPlayer::GetEndCount(), ends);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(OSoundSystemTest, TrackedChannelsAreDroppedOnceSilent) {
    int anchor = 0;  // stands in for a scene object; never looked into
    const O3D* object = reinterpret_cast<const O3D*>(&anchor);
    const int tracked = sound.PlaySound3D(kBeep, object, true, 0);
    ASSERT_GE(tracked, 1);
    ASSERT_GE(sound.PlaySound3D(kHum, object, false, 0), 1);
    EXPECT_TRUE(sound.StopChannel(sound.PlaySound3D(kLoop, object, true, 0)));
    EXPECT_EQ(sound.GetTrackedCount(), 1u);
    EXPECT_EQ(sound.PlayedIds(), (std::deque<int>{kBeep, kHum, kLoop}));
    sound.UpdateTracked();
    EXPECT_EQ(sound.GetTrackedCount(), 1u);  // the beep still sounds
    ASSERT_TRUE(WaitUntil([&] { return Mix_Playing(tracked - 1) == 0; }));
    sound.UpdateTracked();
    EXPECT_EQ(sound.GetTrackedCount(), 0u);
}

// Start-up takes the options and the interface sounds; then the game's
// sounds (only the engine loops) and its two players, the menu's selected.
// A player replaced drops out as the current one, its stream with it.
TEST_F(OSoundSystemTest, StartUpLoadsTheGamesSoundsAndMusic) {
    EXPECT_TRUE(sound.StartUp(LoudOptions(0, 255, 90)));
    EXPECT_EQ(sound.GetEffectVolume(), 0);
    EXPECT_EQ(sound.GetMusicVolume(), 90);
    sound.LoadMusic();
    sound.LoadGameSounds();
    ASSERT_TRUE(sound.GetMusic(0) != nullptr && sound.GetMusic(1) != nullptr);
    EXPECT_EQ(sound.GetCurrentMusic(), sound.GetMusic(0));
    EXPECT_EQ(sound.GetMusic(0)->GetTrackNames(), std::vector<std::string>{"Data/Music/Menu.Mp3"});
    EXPECT_EQ(sound.GetMusic(1)->GetTrackNames(),
              std::vector<std::string>{"Data/Music/Game/A.Mp3"});
    EXPECT_FALSE(sound.GetMusic(0)->IsPlaying());  // selecting starts nothing
    for (int id : {1, 2, 100, 101, 102, 103, 104, 110, 111, 112})
        EXPECT_GE(sound.PlaySound(id, 0), 1) << "sound " << id;
    EXPECT_TRUE(WaitUntil([] { return Mix_Playing(-1) == 1; }));
    SDL_Delay(150);
    EXPECT_EQ(Mix_Playing(-1), 1);

    sound.GetMusic(0)->PlayCurrent();
    AddPlayer(0, {kStepsTrack});
    EXPECT_EQ(sound.GetCurrentMusic(), nullptr);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    sound.SelectMusic(5);
    EXPECT_EQ(sound.GetCurrentMusic(), nullptr);
    sound.SetMusicVolume(40);  // no current player: only stored
    EXPECT_EQ(sound.GetMusicVolume(), 40);
}

// Damaged entries load nothing or play without harm; under the sanitizers
// this also checks that a sample's memory reader is closed when the mixer
// refuses the bytes.
TEST_F(OSoundSystemTest, DamagedSoundEntriesNeverBreakPlaying) {
    int id = 20;
    for (const char* name : {"Cut.Ogg", "Header.Wav", "Noise.Wav", "Empty.Wav", "Huge.Wav"}) {
        // Whatever can be decoded may play; the rest plays nothing.
        const bool loaded = sound.LoadSample(id, std::string("Data/Sounds/Damaged/") + name, true);
        EXPECT_EQ(sound.PlaySound(id++, 0) >= 1, loaded) << name;
    }
    EXPECT_FALSE(sound.LoadSample(id, "Data/Sounds/Damaged/Huge.Wav", false))
        << "a header claiming gigabytes is refused, not allocated";
    OMusicPlayer* player = AddPlayer(0, {});
    for (const char* name : {"Cut.Mp3", "Noise.Mp3", "Empty.Mp3"})
        player->AddTrack(std::string("Data/Music/Damaged/") + name);
    EXPECT_FALSE(player->AddTrack("Data/Music/Damaged/Huge.Wav"));
    sound.SelectMusic(0);
    for (int i = 0; i < 4; ++i) {
        player->PlayNext();
        SDL_Delay(30);
        player->Stop();
        player->Resume();
    }
    SDL_Delay(100);
    PumpEvents();
    sound.StopAllSounds();
    PumpEvents();
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

}  // namespace

// Without a usable audio driver every call is quiet and nothing breaks;
// start-up still copies the options.
TEST(OSoundSystemNoDevice, EveryCallIsQuiet) {
    OSoundSystem& sound = OSoundSystem::Instance();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(sound.Init());
    EXPECT_FALSE(sound.IsOpen());
    EXPECT_FALSE(sound.IsSoundEnabled());
    sound.ClearPlayedIds();
    EXPECT_FALSE(sound.LoadSample(1, "Data/Sounds/Interface/MsOver.Wav", false));
    EXPECT_EQ(sound.PlaySound(1, 0), -1);
    EXPECT_EQ(sound.PlaySound3D(1, nullptr, true, 0), -1);
    EXPECT_EQ(sound.PlayedIds(), (std::deque<int>{1, 1}));
    EXPECT_FALSE(sound.StopChannel(1));
    sound.UpdateTracked();
    sound.StopAllSounds();
    sound.PauseAllSounds(true);
    sound.PauseAllSounds(false);
    sound.SetSoundVolume(100);
    sound.SetMusicVolume(100);
    auto created = std::make_unique<OMusicPlayer>();
    EXPECT_FALSE(created->AddTrack("Data/Music/Menu.Mp3"));
    OMusicPlayer* player = sound.RegisterMusic(0, std::move(created));
    sound.SelectMusic(0);
    player->Resume();
    player->PlayNext();
    player->PlayCurrent();
    player->Stop();
    EXPECT_EQ(player->GetSavedPosition(), 0u);
    EXPECT_FALSE(player->IsPlaying());
    SDL_Event event;
    SDL_zero(event);
    event.type = sound.GetStreamEndEventType();
    EXPECT_EQ(sound.HandleEvent(event), event.type != 0);

    SystemOptionsRecord options;
    EXPECT_FALSE(sound.StartUp(options));
    EXPECT_TRUE(sound.IsSoundEnabled());
    EXPECT_EQ(sound.GetEffectVolume(), options.SoundVolume);
    sound.LoadMusic();
    sound.LoadGameSounds();
    EXPECT_EQ(sound.PlaySound(100, 0), -1);
    sound.RegisterMusic(0, nullptr);
    sound.RegisterMusic(1, nullptr);
    sound.Close();
    sound.Close();
    sound.ClearPlayedIds();
    unsetenv("SDL_AUDIODRIVER");
}

// The mixer's WAV reader allocates what a chunk header claims and divides by
// a channel count kept in a byte: a WAVE file whose chunks run past its end
// or whose format no mixer plays is refused before it gets there; anything
// else is left to the reader.
TEST(WaveHeaderCheck, RefusesWaveHeadersTheMixerCannotTake) {
    const std::vector<uint8_t> wav = AudioWriter::EncodeWav(TestTone::Sine(440.0, 20), 44100, 1);
    std::vector<uint8_t> longFmt = wav;
    longFmt[18] = 0xF0;  // an fmt chunk of 15 MiB
    std::vector<uint8_t> oddChunk(wav.begin(), wav.begin() + 12);
    const uint8_t list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    oddChunk.insert(oddChunk.end(), std::begin(list), std::end(list));  // padded to even
    oddChunk.insert(oddChunk.end(), wav.begin() + 12, wav.end());
    // Channels at bytes 22-23, the sample rate at 24-27, little-endian.
    const auto withFormat = [&wav](uint64_t channels, uint64_t rate) {
        std::vector<uint8_t> bytes = wav;
        for (int i = 0; i < 6; ++i)
            bytes[22 + i] = static_cast<uint8_t>((channels | rate << 16) >> (8 * i));
        return bytes;
    };
    const std::pair<const char*, std::pair<std::vector<uint8_t>, bool>> cases[] = {
        {"sound", {wav, true}},
        {"data chunk claiming 4 GiB", {SoundFixture::HugeWav(), false}},
        {"fmt chunk past the end", {longFmt, false}},
        {"odd chunk padded to even", {oddChunk, true}},
        {"256 channels", {withFormat(256, 44100), false}},
        {"no channels", {withFormat(0, 44100), false}},
        {"eight channels at 384 kHz", {withFormat(8, 384000), true}},
        {"a rate of megahertz", {withFormat(1, 5785772), false}},
        {"a rate of 0", {withFormat(1, 0), false}},
        {"last chunk cut short", {std::vector<uint8_t>(wav.begin(), wav.end() - 3), false}},
        {"only the RIFF header", {std::vector<uint8_t>(wav.begin(), wav.begin() + 12), true}},
        {"no WAVE file", {AudioWriter::EncodeOgg(TestTone::Sine(440.0, 20), 44100, 1, 0.5f), true}},
        {"empty", {{}, true}},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_EQ(WaveHeaderCheck::Acceptable(bytes.first.data(), bytes.first.size()), bytes.second)
            << what;
    }
}
