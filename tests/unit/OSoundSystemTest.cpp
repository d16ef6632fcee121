#include "sound/OSoundSystem.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <tuple>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "audio/AudioWriter.h"
#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "sound/OMusicPlayer.h"
#include "sound/WaveHeaderCheck.h"
#include "support/TempDir.h"
#include "support/TestTone.h"

namespace {

// Drops the players and closes the mixer, as at the end of the game.
void CloseSound(OSoundSystem& sound) {
    sound.RegisterMusic(0, nullptr);
    sound.RegisterMusic(1, nullptr);
    sound.Close();
    sound.ClearPlayedIds();
}

// A sound system open on SDL's disk audio driver (which plays in real time
// into a file of the test's folder) over a small archive of generated sounds.
// The tests look at what the game asked of the mixer; that the mixer then
// mixes it is the audio writer's tests' and the end-to-end tests' business.
class SoundFixture : public ::testing::Test {
protected:
    // Samples: a 300 ms WAV, a looping 100 ms WAV, a 300 ms OGG.
    static constexpr int kBeep = 10;
    static constexpr int kLoop = 11;
    static constexpr int kHum = 12;
    // Music: two tracks of 2 s and one of 200 ms.
    static constexpr const char* kToneTrack = "Data/Music/Test/Tone.Mp3";
    static constexpr const char* kOtherTrack = "Data/Music/Test/Other.Mp3";
    static constexpr const char* kShortTrack = "Data/Music/Test/Short.Mp3";

    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", dir.File("out.raw").c_str(), 1);
        static const std::vector<uint8_t> archive = BuildArchive();
        TempDir::Write(dir.File("Resource.Kvr"), std::string(archive.begin(), archive.end()));
        OResourceArchive::Instance().SetPath(dir.File("Resource.Kvr"));
        ASSERT_TRUE(OResourceArchive::Instance().ReadDirectory());
        ResetSystemOptions();
        SystemOptions = Options();
        ASSERT_TRUE(sound.Init()) << SDL_GetError();
        sound.CopyOptions(SystemOptions);
        sound.ClearPlayedIds();
        ASSERT_TRUE(sound.LoadSample(kBeep, "Data/Sounds/Test/Beep.Wav", false));
        ASSERT_TRUE(sound.LoadSample(kLoop, "Data/Sounds/Test/Loop.Wav", true));
        ASSERT_TRUE(sound.LoadSample(kHum, "Data/Sounds/Test/Hum.Ogg", false));
    }

    void TearDown() override {
        CloseSound(sound);
        OResourceArchive::Instance().SetPath(OResourceArchive::kDefaultPath);
        ResetSystemOptions();
        unsetenv("SDL_DISKAUDIOFILE");
        unsetenv("SDL_AUDIODRIVER");
    }

    // Music on; the sound switch and volumes as given.
    static SystemOptionsRecord Options(int soundOn = 1, int soundVolume = 255,
                                       int musicVolume = 255) {
        SystemOptionsRecord options;
        options.Sound = soundOn;
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
        for (const std::string& track : tracks)
            EXPECT_TRUE(player->AddTrack(track)) << track;
        return sound.RegisterMusic(index, std::move(player));
    }

    // Polls until the condition holds or `timeoutMs` pass (the mixer runs in
    // real time, and on a busy machine a little behind it).
    template <typename Condition>
    static bool WaitUntil(Condition condition, int timeoutMs = 3000) {
        const Uint32 deadline = SDL_GetTicks() + static_cast<Uint32>(timeoutMs);
        while (!condition() && SDL_GetTicks() <= deadline)
            SDL_Delay(5);
        return condition();
    }

    // Milliseconds into the music now playing.
    static double MusicPositionMs() { return Mix_GetMusicPosition(nullptr) * 1000.0; }

public:
    // A short WAV whose data chunk claims almost 4 GiB.
    static std::vector<uint8_t> HugeWav() {
        std::vector<uint8_t> wav = AudioWriter::EncodeWav(TestTone::Sine(440.0, 20), 44100, 1);
        const size_t data = 36;  // "data" follows the 16-byte fmt chunk
        wav[data + 6] = wav[data + 7] = 0xFF;
        wav[data + 4] = wav[data + 5] = 0x00;
        return wav;
    }

protected:
    OSoundSystem& sound = OSoundSystem::Instance();
    TempDir dir;

private:
    static std::vector<uint8_t> BuildArchive() {
        const auto wav = [](int ms) {
            return AudioWriter::EncodeWav(TestTone::Sine(440.0, ms), 44100, 1);
        };
        const auto ogg = [](int ms) {
            return AudioWriter::EncodeOgg(TestTone::Sine(440.0, ms), 44100, 1, 0.5f);
        };
        const auto mp3 = [](double frequency, int ms) {
            return AudioWriter::EncodeMp3(TestTone::Sine(frequency, ms), 44100, 1, 128);
        };
        // Entries a damaged archive could hand over: cut short, noise, a
        // header claiming gigabytes, nothing.
        std::vector<uint8_t> noise(4096);
        for (size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
        const std::vector<uint8_t> cutOgg = ogg(300);
        const std::vector<uint8_t> cutMp3 = mp3(1000.0, 1000);
        const std::vector<uint8_t> cutWav = wav(1);
        OArchiveWriter writer;
        writer.Add("Data/Damaged/Cut.Ogg", {cutOgg.begin(), cutOgg.begin() + cutOgg.size() / 2});
        writer.Add("Data/Damaged/Cut.Mp3", {cutMp3.begin(), cutMp3.begin() + cutMp3.size() / 3});
        writer.Add("Data/Damaged/Header.Wav", {cutWav.begin(), cutWav.begin() + 30});
        writer.Add("Data/Damaged/Noise", noise);
        writer.Add("Data/Damaged/Huge.Wav", HugeWav());
        writer.Add("Data/Damaged/Empty", {});

        writer.Add("Data/Sounds/Test/Beep.Wav", wav(300));
        writer.Add("Data/Sounds/Test/Loop.Wav", wav(100));
        writer.Add("Data/Sounds/Test/Hum.Ogg", ogg(300));
        writer.Add(kToneTrack, mp3(1000.0, 2000));
        writer.Add(kOtherTrack, mp3(800.0, 2000));
        writer.Add(kShortTrack, mp3(1000.0, 200));
        // What start-up loads: the interface's and the game's sounds, and
        // the two players' tracks.
        for (const char* name : {"Interface/MsOver.Wav", "Interface/MsClik.Wav", "Engine.Wav",
                                 "RotateRail.Wav", "MoveRail.Wav", "NoMove.Wav"})
            writer.Add(std::string("Data/Sounds/") + name, wav(100));
        for (const char* name : {"TuTu.Ogg", "EngineStop.Ogg", "EngineSlow.Ogg", "SemaforNear.Ogg"})
            writer.Add(std::string("Data/Sounds/") + name, ogg(100));
        writer.Add("Data/Music/Menu.Mp3", mp3(1000.0, 500));
        writer.Add("Data/Music/Game/A.Mp3", mp3(800.0, 500));
        std::vector<uint8_t> archive;
        std::string error;
        EXPECT_TRUE(writer.Build(archive, error)) << error;
        return archive;
    }
};

using OSoundSystemTest = SoundFixture;

// Samples play on channels counted from 1, up to 32 at once (a looping one
// goes on past its end); id 0 is no request at all, unknown or unloaded ids
// play nothing but are recorded all the same, and only channels 1 to 32 can
// be stopped.
TEST_F(OSoundSystemTest, SamplesPlayOnChannelsOneToThirtyTwoAndTheRestIsRefused) {
    EXPECT_EQ(sound.PlaySound(0, 0), 0);
    EXPECT_EQ(sound.PlaySound3D(0, nullptr, true, 0), 0);
    EXPECT_EQ(sound.PlaySound(99, 0), -1);
    EXPECT_FALSE(sound.LoadSample(13, "Data/Sounds/Missing.Wav", false));
    EXPECT_EQ(sound.PlaySound(13, 0), -1);
    EXPECT_EQ(Mix_Playing(-1), 0);
    for (int channel : {0, -1, OSoundSystem::kMixChannels + 1})
        EXPECT_FALSE(sound.StopChannel(channel)) << channel;

    std::vector<int> channels;
    while (channels.size() < OSoundSystem::kMixChannels)
        channels.push_back(sound.PlaySound(kLoop, 0));
    std::sort(channels.begin(), channels.end());
    EXPECT_EQ(channels.front(), 1);
    EXPECT_EQ(std::unique(channels.begin(), channels.end()), channels.end());
    EXPECT_EQ(channels.back(), OSoundSystem::kMixChannels);
    EXPECT_EQ(sound.PlaySound(kBeep, 0), -1) << "no channel free";
    SDL_Delay(250);
    EXPECT_EQ(Mix_Playing(-1), OSoundSystem::kMixChannels) << "the 100 ms loops go on";
    ASSERT_TRUE(sound.StopChannel(7));
    EXPECT_EQ(sound.PlaySound(kBeep, 0), 7);
    EXPECT_EQ(sound.PlayedIds().size(), OSoundSystem::kMixChannels + 4u) << "99 and 13 too";
}

// With the sound switched off effects still start, at volume 0, and the
// slider changes nothing; switched on, the slider sets every effect channel
// and leaves the music alone. Volumes are clamped to 0..255 and scaled to
// the mixer's 0..128.
TEST_F(OSoundSystemTest, SoundSwitchVolumeAndPauseSetTheMixersChannels) {
    sound.CopyOptions(Options(0, 200));
    const int channel = sound.PlaySound(kLoop, 0);
    ASSERT_GE(channel, 1);
    sound.SetSoundVolume(200);
    EXPECT_EQ(sound.GetEffectVolume(), 0);
    EXPECT_EQ(Mix_Volume(channel - 1, -1), 0);
    Mix_VolumeMusic(77);
    sound.SetSoundEnabled(true);
    sound.SetSoundVolume(64);
    EXPECT_EQ(Mix_Volume(channel - 1, -1), 32);
    EXPECT_EQ(Mix_Volume(sound.PlaySound(kBeep, 0) - 1, -1), 32) << "a sound started now";
    EXPECT_EQ(Mix_VolumeMusic(-1), 77) << "the music keeps its volume";

    for (const auto& [volume, mixer] :
         {std::pair{255, MIX_MAX_VOLUME}, {0, 0}, {150, 75}, {1000, MIX_MAX_VOLUME}, {-40, 0}})
        EXPECT_EQ(OSoundSystem::ToMixerVolume(volume), mixer) << volume;
    sound.SetSoundVolume(-3);
    EXPECT_EQ(sound.GetEffectVolume(), 0);
    sound.CopyOptions(Options(1, 400, -7));
    EXPECT_EQ(sound.GetEffectVolume(), 255);
    EXPECT_EQ(sound.GetMusicVolume(), 0);

    // Pausing holds effects and music until resumed (a new effect still
    // plays); stopping everything stops both without counting a track's end.
    OMusicPlayer* player = AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    player->PlayCurrent();
    sound.PauseAllSounds(true);
    EXPECT_EQ(Mix_Paused(channel - 1) + Mix_PausedMusic(), 2);
    EXPECT_EQ(Mix_Paused(sound.PlaySound(kBeep, 0) - 1), 0);
    sound.PauseAllSounds(false);
    EXPECT_EQ(Mix_Paused(-1) + Mix_PausedMusic(), 0);
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
// Selecting a player that is not there leaves none current.
TEST_F(OSoundSystemTest, StartUpLoadsTheGamesSoundsAndMusic) {
    EXPECT_TRUE(sound.StartUp(Options(0, 255, 90)));
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

    sound.SelectMusic(5);
    EXPECT_EQ(sound.GetCurrentMusic(), nullptr);
    sound.SetMusicVolume(40);  // no current player: only stored
    EXPECT_EQ(sound.GetMusicVolume(), 40);
}

// A mono WAVE becomes the device's stereo, each sample on both sides, in a
// buffer no larger than the sound: the mixer's conversion buffer is twice
// that, and a game holds a few of these for as long as it runs.
TEST_F(OSoundSystemTest, WaveSamplesAreConvertedIntoBuffersOfTheirOwnSize) {
    const std::vector<int16_t> tone = TestTone::Sine(440.0, 300);
    const std::vector<uint8_t> wav = AudioWriter::EncodeWav(tone, 44100, 1);
    Mix_Chunk* chunk = OSoundSystem::DecodeSample(wav.data(), wav.size());
    ASSERT_NE(chunk, nullptr);
    ASSERT_EQ(chunk->alen, tone.size() * 2 * sizeof(int16_t));
    const auto* stereo = reinterpret_cast<const int16_t*>(chunk->abuf);
    for (size_t i = 0; i < tone.size(); i += 97) {
        EXPECT_EQ(stereo[2 * i], tone[i]) << i;
        EXPECT_EQ(stereo[2 * i + 1], tone[i]) << i;
    }
#if defined(__GLIBC__)
    EXPECT_LT(malloc_usable_size(chunk->abuf), chunk->alen + 4096);
#endif
    Mix_FreeChunk(chunk);
}

// Damaged entries load nothing or play without harm; under the sanitizers
// this also checks that a sample's memory reader is closed when the mixer
// refuses the bytes.
TEST_F(OSoundSystemTest, DamagedSoundEntriesNeverBreakPlaying) {
    int id = 20;
    for (const char* name : {"Cut.Ogg", "Header.Wav", "Noise", "Empty", "Huge.Wav"}) {
        // Whatever can be decoded may play; the rest plays nothing.
        const bool loaded = sound.LoadSample(id, std::string("Data/Damaged/") + name, true);
        EXPECT_EQ(sound.PlaySound(id++, 0) >= 1, loaded) << name;
    }
    EXPECT_FALSE(sound.LoadSample(id, "Data/Damaged/Huge.Wav", false))
        << "a header claiming gigabytes is refused, not allocated";
    OMusicPlayer* player = AddPlayer(0, {});
    for (const char* name : {"Cut.Mp3", "Noise", "Empty"})
        player->AddTrack(std::string("Data/Damaged/") + name);
    EXPECT_FALSE(player->AddTrack("Data/Damaged/Huge.Wav"));
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

using OMusicPlayerTest = SoundFixture;

// Resume with nothing saved plays the next track; Stop saves the place (a
// second Stop, as SelectMusic gives every player, keeps it) and Resume
// continues there. With music off nothing starts and end reports are
// ignored, but Stop still saves the place.
TEST_F(OMusicPlayerTest, StopThenResumeContinuesWhereItStopped) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack, kOtherTrack});
    sound.SelectMusic(0);
    EXPECT_EQ(player->GetChannel(), -1);
    player->Resume();
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_EQ(player->GetCurrentIndex(), 1);
    EXPECT_EQ(player->GetChannel(), OMusicPlayer::kMusicStream);
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 350.0; }));
    player->Stop();
    const uint32_t saved = player->GetSavedPosition();
    EXPECT_GE(saved, 350u);
    EXPECT_LE(saved, 700u);
    EXPECT_FALSE(player->IsPlaying());
    player->Stop();
    EXPECT_NEAR(player->GetSavedPosition(), saved, 30.0);

    sound.SetMusicEnabled(false);
    const int ends = OMusicPlayer::GetEndCount();
    player->Resume();
    player->PlayNext();
    player->PlayCurrent();
    OMusicPlayer::OnStreamEnd(false);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(OMusicPlayer::GetEndCount(), ends);
    EXPECT_EQ(player->GetCurrentIndex(), 1);
    EXPECT_EQ(player->GetSavedPosition(), saved);

    sound.SetMusicEnabled(true);
    player->Resume();
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_NEAR(MusicPositionMs(), saved, 100.0);
    EXPECT_EQ(player->GetSavedPosition(), 0u);
    EXPECT_EQ(PumpEvents(), 1);  // the Stop's report, ignored
    EXPECT_TRUE(player->IsPlaying());
}

// Each end report replays the track from its beginning, whether the mixer
// stopped it or it ran out; the seventeenth moves on to the next track and
// the count starts again. A report still queued when other music has started
// is stale.
TEST_F(OMusicPlayerTest, EndReportsReplayTheTrackAndTheSeventeenthMovesOn) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack, kOtherTrack});
    sound.SelectMusic(0);
    player->PlayCurrent();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 150.0; }));
    for (int end = OMusicPlayer::GetEndCount() + 1; end <= OMusicPlayer::kRepeatsBeforeNext + 1;
         ++end) {
        Mix_HaltMusic();  // as when the track runs out
        ASSERT_EQ(PumpEvents(), 1);
        ASSERT_EQ(OMusicPlayer::GetEndCount(), end % (OMusicPlayer::kRepeatsBeforeNext + 1));
        ASSERT_EQ(player->GetCurrentIndex(), end > OMusicPlayer::kRepeatsBeforeNext ? 1 : 0);
        ASSERT_TRUE(player->IsPlaying());
        ASSERT_LT(MusicPositionMs(), 60.0);
    }

    OMusicPlayer* shortPlayer = AddPlayer(1, {kShortTrack});
    sound.SelectMusic(1);
    PumpEvents();  // the switch's report
    shortPlayer->PlayCurrent();
    ASSERT_TRUE(WaitUntil([&] { return !shortPlayer->IsPlaying(); }));
    EXPECT_EQ(PumpEvents(), 1);
    EXPECT_EQ(OMusicPlayer::GetEndCount(), 1);
    EXPECT_TRUE(shortPlayer->IsPlaying());
    EXPECT_LT(MusicPositionMs(), 60.0);
    // It runs out again, and the menu's music starts before the report is read.
    ASSERT_TRUE(WaitUntil([&] { return !shortPlayer->IsPlaying(); }));
    sound.SelectMusic(0);
    player->PlayCurrent();
    EXPECT_GE(PumpEvents(), 1);
    EXPECT_EQ(OMusicPlayer::GetEndCount(), 1);
    shortPlayer->Stop();
    EXPECT_TRUE(player->IsPlaying()) << "a player stops only its own stream";
}

// A fresh start takes the option's volume; the slider sets the volume of
// music being played, and only stores it before anything has played. A
// player replaced drops out as the current one; players without a playable
// track play nothing.
TEST_F(OMusicPlayerTest, FreshStartsTakeTheOptionVolumeAndUnplayableTracksPlayNothing) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    sound.SetMusicVolume(10);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    SystemOptions.MusicVolume = 102;
    player->PlayCurrent();
    EXPECT_EQ(Mix_VolumeMusic(-1), 51);
    sound.SetMusicVolume(255);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    player->PlayCurrent();
    EXPECT_EQ(Mix_VolumeMusic(-1), 51);

    OMusicPlayer* empty = AddPlayer(0, {});
    EXPECT_EQ(sound.GetCurrentMusic(), nullptr) << "the replaced player went, its stream with it";
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    auto broken = std::make_unique<OMusicPlayer>();
    EXPECT_FALSE(broken->AddTrack("Data/Music/Missing.Mp3"));
    EXPECT_EQ(broken->GetTrackNames().size(), 1u);
    OMusicPlayer* missing = sound.RegisterMusic(1, std::move(broken));
    for (OMusicPlayer* silent : {empty, missing}) {
        silent->Resume();
        silent->PlayNext();
        silent->PlayCurrent();
        silent->Stop();
        EXPECT_EQ(silent->GetCurrentIndex(), 0);
        EXPECT_EQ(silent->GetSavedPosition(), 0u);
        EXPECT_FALSE(silent->IsPlaying());
    }
    sound.SelectMusic(1);
    OMusicPlayer::OnStreamEnd(false);  // nothing to replay
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

}  // namespace

// Without a usable audio driver every call is quiet and nothing breaks;
// start-up still copies the options.
TEST(OSoundSystemNoDevice, EveryCallIsQuietAndStartUpStillTakesTheOptions) {
    OSoundSystem& sound = OSoundSystem::Instance();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(sound.Init());
    EXPECT_FALSE(sound.IsSoundEnabled());
    SystemOptionsRecord options;
    EXPECT_FALSE(sound.StartUp(options));
    EXPECT_FALSE(sound.IsOpen());
    EXPECT_TRUE(sound.IsSoundEnabled());
    EXPECT_EQ(sound.GetEffectVolume(), options.SoundVolume);
    sound.LoadMusic();
    sound.LoadGameSounds();
    sound.ClearPlayedIds();
    EXPECT_EQ(sound.PlaySound(100, 0), -1);
    EXPECT_EQ(sound.PlaySound3D(100, nullptr, true, 0), -1);
    EXPECT_EQ(sound.PlayedIds(), (std::deque<int>{100, 100}));
    EXPECT_FALSE(sound.StopChannel(1));
    sound.StopAllSounds();
    sound.PauseAllSounds(true);
    sound.SetSoundVolume(100);
    sound.SetMusicVolume(100);
    OMusicPlayer* player = sound.GetCurrentMusic();
    ASSERT_NE(player, nullptr);
    player->Resume();
    player->Stop();
    EXPECT_EQ(player->GetSavedPosition(), 0u);
    EXPECT_FALSE(player->IsPlaying());
    SDL_Event event;
    SDL_zero(event);
    event.type = sound.GetStreamEndEventType();
    EXPECT_EQ(sound.HandleEvent(event), event.type != 0);
    CloseSound(sound);
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
    const std::tuple<const char*, std::vector<uint8_t>, bool> cases[] = {
        {"sound", wav, true},
        {"data chunk claiming 4 GiB", SoundFixture::HugeWav(), false},
        {"fmt chunk past the end", longFmt, false},
        {"odd chunk padded to even", oddChunk, true},
        {"256 channels", withFormat(256, 44100), false},
        {"no channels", withFormat(0, 44100), false},
        {"eight channels at 384 kHz", withFormat(8, 384000), true},
        {"a rate of megahertz", withFormat(1, 5785772), false},
        {"a rate of 0", withFormat(1, 0), false},
        {"last chunk cut short", std::vector<uint8_t>(wav.begin(), wav.end() - 3), false},
        {"only the RIFF header", std::vector<uint8_t>(wav.begin(), wav.begin() + 12), true},
        {"no WAVE file", AudioWriter::EncodeOgg(TestTone::Sine(440.0, 20), 44100, 1, 0.5f), true},
        {"empty", {}, true},
    };
    for (const auto& [what, bytes, acceptable] : cases)
        EXPECT_EQ(WaveHeaderCheck::Acceptable(bytes.data(), bytes.size()), acceptable) << what;
}
