#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <deque>

#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "sound/WaveHeaderCheck.h"
#include "support/SoundFixture.h"

namespace {

// Anything clearly below the quietest sound these tests expect to hear.
constexpr double kSilence = 60.0;

using OSoundSystemTest = SoundFixture;

TEST_F(OSoundSystemTest, PlayedSamplesAreMixedAndChannelsStartAtOne) {
    const int channel = sound.PlaySound(kBeep, 0);
    ASSERT_GE(channel, 1);
    ASSERT_LE(channel, OSoundSystem::kMixChannels);
    EXPECT_EQ(Mix_Playing(channel - 1), 1);
    const auto heard = output.Listen(120);
    // Full effect volume: the tone arrives at its own amplitude.
    EXPECT_NEAR(Level(heard, kEffectHz), kToneAmplitude, kToneAmplitude * 0.1);

    // One tone at a time: two of the same pitch would interfere.
    ASSERT_TRUE(sound.StopChannel(channel));
    const int oggChannel = sound.PlaySound(kHum, 0);
    ASSERT_GE(oggChannel, 1);
    EXPECT_GT(Level(output.Listen(100, 20), kEffectHz), kToneAmplitude * 0.5);
    EXPECT_EQ(sound.PlayedIds(), (std::deque<int>{kBeep, kHum}));
}

TEST_F(OSoundSystemTest, NoSoundIdsAndNoChannelsAreRefusedQuietly) {
    EXPECT_EQ(sound.PlaySound(0, 0), 0);
    EXPECT_EQ(sound.PlaySound3D(0, nullptr, true, 0), 0);
    EXPECT_EQ(sound.PlaySound(99, 0), -1);
    EXPECT_FALSE(sound.LoadSample(13, "Data/Sounds/Missing.Wav", false));
    EXPECT_EQ(sound.PlaySound(13, 0), -1);
    EXPECT_LT(Level(output.Listen(100), kEffectHz), kSilence);
    // Id 0 is no request at all; unknown ids were asked for all the same.
    EXPECT_EQ(sound.PlayedIds(), (std::deque<int>{99, 13}));

    EXPECT_FALSE(sound.StopChannel(0));
    EXPECT_FALSE(sound.StopChannel(-1));
    EXPECT_FALSE(sound.StopChannel(OSoundSystem::kMixChannels + 1));
    EXPECT_TRUE(sound.StopChannel(OSoundSystem::kMixChannels));
}

TEST_F(OSoundSystemTest, ThirtyTwoEffectsAtOnceThenNoFreeChannel) {
    std::vector<int> channels;
    for (int i = 0; i < OSoundSystem::kMixChannels; ++i) {
        channels.push_back(sound.PlaySound(kLoop, 0));
    }
    std::sort(channels.begin(), channels.end());
    EXPECT_EQ(channels.front(), 1);
    EXPECT_EQ(channels.back(), OSoundSystem::kMixChannels);
    EXPECT_EQ(std::unique(channels.begin(), channels.end()), channels.end());
    EXPECT_EQ(sound.PlaySound(kBeep, 0), -1);
    ASSERT_TRUE(sound.StopChannel(7));
    EXPECT_EQ(sound.PlaySound(kBeep, 0), 7);
}

TEST_F(OSoundSystemTest, LoopingSampleSoundsUntilItsChannelStops) {
    const int loop = sound.PlaySound(kLoop, 0);
    const int once = sound.PlaySound(kBeep, 0);
    ASSERT_GE(loop, 1);
    ASSERT_GE(once, 1);
    // After both samples' ends only the loop is still on.
    ASSERT_TRUE(WaitUntil([&] { return Mix_Playing(once - 1) == 0; }));
    SDL_Delay(150);
    EXPECT_EQ(Mix_Playing(loop - 1), 1);
    EXPECT_NEAR(Level(output.Listen(100, 30), kEffectHz), kToneAmplitude, kToneAmplitude * 0.1);
    EXPECT_TRUE(sound.StopChannel(loop));
    EXPECT_LT(Level(output.Listen(100), kEffectHz), kSilence);
}

TEST_F(OSoundSystemTest, SoundSwitchOffMakesEffectsSilentUntilTurnedOn) {
    SystemOptionsRecord options = LoudOptions();
    options.Sound = 0;
    options.SoundVolume = 200;
    sound.CopyOptions(options);
    EXPECT_FALSE(sound.IsSoundEnabled());
    EXPECT_EQ(sound.GetEffectVolume(), 0);

    // Effects are still started, at volume 0.
    const int channel = sound.PlaySound(kLoop, 0);
    ASSERT_GE(channel, 1);
    EXPECT_LT(Level(output.Listen(100, 30), kEffectHz), kSilence);
    // The volume slider moved with the sound off changes nothing.
    sound.SetSoundVolume(200);
    EXPECT_EQ(sound.GetEffectVolume(), 0);
    EXPECT_LT(Level(output.Listen(80, 30), kEffectHz), kSilence);

    // Ticking the switch: sound on, then the slider's volume.
    sound.SetSoundEnabled(true);
    sound.SetSoundVolume(200);
    EXPECT_EQ(sound.GetEffectVolume(), 200);
    EXPECT_NEAR(Level(output.Listen(80), kEffectHz), kToneAmplitude * 100 / 128,
                kToneAmplitude * 0.1);
}

TEST_F(OSoundSystemTest, SoundVolumeScalesEffectsButLeavesTheMusic) {
    AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    sound.GetCurrentMusic()->PlayCurrent();
    ASSERT_GE(sound.PlaySound(kLoop, 0), 1);
    const auto before = output.Listen(100);
    const double effectBefore = Level(before, kEffectHz);
    const double musicBefore = Level(before, kMusicHz);
    ASSERT_GT(effectBefore, kToneAmplitude * 0.8);
    ASSERT_GT(musicBefore, kToneAmplitude * 0.5);

    sound.SetSoundVolume(64);  // 32 of 128 on the mixer's scale
    const auto after = output.Listen(100);
    EXPECT_NEAR(Level(after, kEffectHz), effectBefore * 0.25, effectBefore * 0.05);
    EXPECT_NEAR(Level(after, kMusicHz), musicBefore, musicBefore * 0.1);
    // A sound started now takes the new volume as well.
    const int later = sound.PlaySound(kBeep, 0);
    EXPECT_EQ(Mix_Volume(later - 1, -1), 32);
}

TEST_F(OSoundSystemTest, VolumesAreClampedAndScaledToTheMixer) {
    EXPECT_EQ(OSoundSystem::ToMixerVolume(255), MIX_MAX_VOLUME);
    EXPECT_EQ(OSoundSystem::ToMixerVolume(0), 0);
    EXPECT_EQ(OSoundSystem::ToMixerVolume(150), 75);
    EXPECT_EQ(OSoundSystem::ToMixerVolume(1000), MIX_MAX_VOLUME);
    EXPECT_EQ(OSoundSystem::ToMixerVolume(-40), 0);
    sound.SetSoundVolume(300);
    EXPECT_EQ(sound.GetEffectVolume(), 255);
    sound.SetSoundVolume(-3);
    EXPECT_EQ(sound.GetEffectVolume(), 0);
    sound.SetMusicVolume(999);
    EXPECT_EQ(sound.GetMusicVolume(), 255);
    SystemOptionsRecord options = LoudOptions();
    options.SoundVolume = 400;
    options.MusicVolume = -7;
    sound.CopyOptions(options);
    EXPECT_EQ(sound.GetEffectVolume(), 255);
    EXPECT_EQ(sound.GetMusicVolume(), 0);
}

TEST_F(OSoundSystemTest, PauseAllSilencesEffectsAndMusicUntilResumed) {
    AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    sound.GetCurrentMusic()->PlayCurrent();
    const int loop = sound.PlaySound(kLoop, 0);
    ASSERT_GE(loop, 1);
    SDL_Delay(50);

    sound.PauseAllSounds(true);
    const auto paused = output.Listen(100);
    EXPECT_LT(Level(paused, kEffectHz), kSilence);
    EXPECT_LT(Level(paused, kMusicHz), kSilence);
    // A new effect still plays while the others are paused.
    const int beep = sound.PlaySound(kBeep, 0);
    ASSERT_GE(beep, 1);
    EXPECT_GT(Level(output.Listen(80, 30), kEffectHz), kToneAmplitude * 0.5);
    ASSERT_TRUE(sound.StopChannel(beep));

    sound.PauseAllSounds(false);
    const auto resumed = output.Listen(100);
    EXPECT_GT(Level(resumed, kEffectHz), kToneAmplitude * 0.5);
    EXPECT_GT(Level(resumed, kMusicHz), kToneAmplitude * 0.5);
    EXPECT_EQ(PumpEvents(), 0);
}

TEST_F(OSoundSystemTest, StopAllSoundsStopsEffectsAndMusicWithoutARestart) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    player->PlayCurrent();
    ASSERT_GE(sound.PlaySound(kLoop, 0), 1);
    SDL_Delay(50);
    const int endsBefore = OMusicPlayer::GetEndCount();

    sound.StopAllSounds();
    EXPECT_EQ(PumpEvents(), 1);  // the halt's report, taken and ignored
    EXPECT_EQ(OMusicPlayer::GetEndCount(), endsBefore);
    EXPECT_FALSE(player->IsPlaying());
    const auto heard = output.Listen(100);
    EXPECT_LT(Level(heard, kEffectHz), kSilence);
    EXPECT_LT(Level(heard, kMusicHz), kSilence);
}

TEST_F(OSoundSystemTest, TrackedChannelsAreDroppedOnceSilent) {
    int anchor = 0;  // stands in for a scene object; never looked into
    const O3D* object = reinterpret_cast<const O3D*>(&anchor);
    const int tracked = sound.PlaySound3D(kBeep, object, true, 0);
    ASSERT_GE(tracked, 1);
    ASSERT_GE(sound.PlaySound3D(kHum, object, false, 0), 1);
    const int stopped = sound.PlaySound3D(kLoop, object, true, 0);
    EXPECT_EQ(sound.GetTrackedCount(), 2u);
    EXPECT_EQ(sound.PlayedIds(), (std::deque<int>{kBeep, kHum, kLoop}));

    EXPECT_TRUE(sound.StopChannel(stopped));
    EXPECT_EQ(sound.GetTrackedCount(), 1u);
    sound.UpdateTracked();
    EXPECT_EQ(sound.GetTrackedCount(), 1u);  // the beep still sounds
    ASSERT_TRUE(WaitUntil([&] { return Mix_Playing(tracked - 1) == 0; }));
    sound.UpdateTracked();
    EXPECT_EQ(sound.GetTrackedCount(), 0u);
}

TEST_F(OSoundSystemTest, StartUpLoadsTheGamesSoundsAndMusic) {
    SystemOptionsRecord options = LoudOptions();
    options.Sound = 0;
    options.MusicVolume = 90;
    EXPECT_TRUE(sound.StartUp(options));
    EXPECT_EQ(sound.GetEffectVolume(), 0);
    EXPECT_EQ(sound.GetMusicVolume(), 90);
    sound.LoadMusic();
    sound.LoadGameSounds();

    ASSERT_NE(sound.GetMusic(0), nullptr);
    ASSERT_NE(sound.GetMusic(1), nullptr);
    EXPECT_EQ(sound.GetCurrentMusic(), sound.GetMusic(0));
    EXPECT_EQ(sound.GetMusic(0)->GetTrackNames(), std::vector<std::string>{"Data/Music/Menu.Mp3"});
    EXPECT_EQ(sound.GetMusic(1)->GetTrackNames(),
              std::vector<std::string>{"Data/Music/Game/A.Mp3"});
    EXPECT_FALSE(sound.GetMusic(0)->IsPlaying());  // selecting starts nothing

    for (int id : {1, 2, 100, 101, 102, 103, 104, 110, 111, 112}) {
        EXPECT_GE(sound.PlaySound(id, 0), 1) << "sound " << id;
    }
    // Only the engine loops: its 100 ms sample outlives everything else.
    EXPECT_TRUE(WaitUntil([] { return Mix_Playing(-1) == 1; }));
    SDL_Delay(150);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(OSoundSystemTest, ReplacingAPlayerDropsItAsCurrent) {
    OMusicPlayer* first = AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    ASSERT_EQ(sound.GetCurrentMusic(), first);
    first->PlayCurrent();
    AddPlayer(0, {kStepsTrack});
    EXPECT_EQ(sound.GetCurrentMusic(), nullptr);
    EXPECT_EQ(Mix_PlayingMusic(), 0);  // the deleted player's stream went with it
    sound.SelectMusic(5);
    EXPECT_EQ(sound.GetCurrentMusic(), nullptr);
    sound.SetMusicVolume(40);  // no current player: only stored
    EXPECT_EQ(sound.GetMusicVolume(), 40);
}

TEST_F(OSoundSystemTest, DamagedSoundEntriesNeverBreakPlaying) {
    int id = 20;
    for (const char* name : {"Cut.Ogg", "Header.Wav", "Noise.Wav", "Empty.Wav", "Huge.Wav"}) {
        // Whatever can be decoded may play; the rest plays nothing.
        const bool loaded = sound.LoadSample(id, std::string("Data/Sounds/Damaged/") + name, true);
        const int channel = sound.PlaySound(id, 0);
        EXPECT_EQ(channel >= 1, loaded) << name;
        ++id;
    }
    EXPECT_FALSE(sound.LoadSample(id, "Data/Sounds/Damaged/Huge.Wav", false))
        << "a header claiming gigabytes is refused, not allocated";
    OMusicPlayer* player = AddPlayer(0, {});
    for (const char* name : {"Cut.Mp3", "Noise.Mp3", "Empty.Mp3"}) {
        player->AddTrack(std::string("Data/Music/Damaged/") + name);
    }
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

// Without an audio device every call is quiet and nothing breaks.
class OSoundSystemNoDeviceTest : public ::testing::Test {
protected:
    void TearDown() override {
        sound.RegisterMusic(0, nullptr);
        sound.Close();
        sound.ClearPlayedIds();
        unsetenv("SDL_AUDIODRIVER");
    }

    void ExerciseEverything(bool deviceOpen) {
        EXPECT_FALSE(sound.LoadSample(kSample, "Data/Sounds/Interface/MsOver.Wav", false));
        EXPECT_EQ(sound.PlaySound(kSample, 0), -1);
        EXPECT_EQ(sound.PlaySound(0, 0), 0);
        EXPECT_EQ(sound.PlaySound3D(kSample, nullptr, true, 0), -1);
        EXPECT_EQ(sound.StopChannel(1), deviceOpen);
        EXPECT_FALSE(sound.StopChannel(0));
        sound.UpdateTracked();
        sound.StopAllSounds();
        sound.PauseAllSounds(true);
        sound.PauseAllSounds(false);
        sound.SetSoundVolume(100);
        sound.SetMusicVolume(100);

        auto player = std::make_unique<OMusicPlayer>();
        EXPECT_FALSE(player->AddTrack("Data/Music/Menu.Mp3"));
        OMusicPlayer* registered = sound.RegisterMusic(0, std::move(player));
        sound.SelectMusic(0);
        registered->Resume();
        registered->PlayNext();
        registered->PlayCurrent();
        registered->Stop();
        EXPECT_EQ(registered->GetSavedPosition(), 0u);
        EXPECT_FALSE(registered->IsPlaying());
        if (sound.GetStreamEndEventType() != 0) {
            SDL_Event event;
            SDL_zero(event);
            event.type = sound.GetStreamEndEventType();
            EXPECT_TRUE(sound.HandleEvent(event));
        }
        EXPECT_EQ(sound.PlayedIds(), (std::deque<int>{kSample, kSample}));
    }

    static constexpr int kSample = 1;
    OSoundSystem& sound = OSoundSystem::Instance();
};

TEST_F(OSoundSystemNoDeviceTest, NoUsableDriverLeavesTheGameSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(sound.Init());
    EXPECT_FALSE(sound.IsOpen());
    EXPECT_FALSE(sound.IsSoundEnabled());
    ExerciseEverything(false);
    // Start-up still copies the options over the failed start.
    SystemOptionsRecord options;
    EXPECT_FALSE(sound.StartUp(options));
    EXPECT_TRUE(sound.IsSoundEnabled());
    EXPECT_EQ(sound.GetEffectVolume(), options.SoundVolume);
    sound.LoadMusic();
    sound.LoadGameSounds();
    EXPECT_EQ(sound.PlaySound(100, 0), -1);
}

TEST_F(OSoundSystemNoDeviceTest, NeverInitialisedIsSilentToo) {
    ExerciseEverything(false);
    sound.Close();
    sound.Close();
}

TEST_F(OSoundSystemNoDeviceTest, DummyDeviceTakesEverythingAndPlaysIntoNothing) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(sound.Init());
    EXPECT_TRUE(sound.IsSoundEnabled());
    EXPECT_TRUE(sound.IsMusicEnabled());
    EXPECT_FALSE(sound.IsSwitching());
    // No archive behind it: nothing to load, every call still quiet.
    OResourceArchive::Instance().SetPath("/nonexistent/Resource.Kvr");
    ExerciseEverything(true);
    OResourceArchive::Instance().SetPath(OResourceArchive::kDefaultPath);
}

}  // namespace

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
    const std::vector<uint8_t> ogg =
        AudioWriter::EncodeOgg(TestTone::Sine(440.0, 20), 44100, 1, 0.5f);
    // Channels at bytes 22-23, the sample rate at 24-27.
    const auto withFormat = [&wav](uint32_t channels, uint32_t rate) {
        std::vector<uint8_t> bytes = wav;
        for (int i = 0; i < 2; ++i)
            bytes[22 + i] = static_cast<uint8_t>(channels >> (8 * i));
        for (int i = 0; i < 4; ++i)
            bytes[24 + i] = static_cast<uint8_t>(rate >> (8 * i));
        return bytes;
    };
    std::vector<uint8_t> cutTail = wav;
    cutTail.resize(cutTail.size() - 3);

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
        {"last chunk cut short", {cutTail, false}},
        {"only the RIFF header", {std::vector<uint8_t>(wav.begin(), wav.begin() + 12), true}},
        {"no WAVE file", {ogg, true}},
        {"empty", {{}, true}},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_EQ(WaveHeaderCheck::Acceptable(bytes.first.data(), bytes.first.size()), bytes.second)
            << what;
    }
}
