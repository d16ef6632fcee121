#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "support/SoundFixture.h"

namespace {

using OMusicPlayerTest = SoundFixture;

// Resume with nothing saved plays the next track; Stop saves the place (a
// second Stop, as SelectMusic gives every player, keeps it) and Resume
// continues there.
TEST_F(OMusicPlayerTest, StopThenResumeContinuesWhereItStopped) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack, kStepsTrack});
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
    player->Resume();
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_NEAR(MusicPositionMs(), saved, 100.0);
    EXPECT_EQ(player->GetSavedPosition(), 0u);
    // A restart would sound the 500 Hz opening first.
    const auto heard = Listen(100, 20);
    EXPECT_GT(Level(heard, kStepHighHz), kToneAmplitude * 0.5);
    EXPECT_LT(Level(heard, kStepLowHz), kToneAmplitude * 0.1);
    EXPECT_EQ(PumpEvents(), 1);  // the Stop's report, ignored
    EXPECT_TRUE(player->IsPlaying());
}

// With music off nothing starts and end reports are ignored, but Stop still
// saves the place; switched on again, Resume picks the track up there.
TEST_F(OMusicPlayerTest, MusicOffStartsNothingButStopStillSavesThePlace) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack, kStepsTrack});
    sound.SelectMusic(0);
    player->PlayCurrent();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 200.0; }));
    sound.SetMusicEnabled(false);
    player->Stop();
    const uint32_t saved = player->GetSavedPosition();
    EXPECT_GT(saved, 150u);
    const int ends = OMusicPlayer::GetEndCount();
    player->Resume();
    player->PlayNext();
    player->PlayCurrent();
    OMusicPlayer::OnStreamEnd(false);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(OMusicPlayer::GetEndCount(), ends);
    EXPECT_EQ(player->GetCurrentIndex(), 0);
    EXPECT_EQ(player->GetSavedPosition(), saved);

    sound.SetMusicEnabled(true);
    player->Resume();
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_NEAR(MusicPositionMs(), saved, 100.0);
}

// The screens' sequences: menu, a new game, back to the menu, back to the
// game. Switching raises no restart, and each tune continues where it was
// left.
TEST_F(OMusicPlayerTest, MenuAndGameMusicEachContinueWhereTheyWereLeft) {
    OMusicPlayer* menu = AddPlayer(0, {kToneTrack});
    OMusicPlayer* game = AddPlayer(1, {kStepsTrack});
    const int ends = OMusicPlayer::GetEndCount();
    sound.PauseAllSounds(true);  // menu entered
    sound.SelectMusic(0);
    sound.GetCurrentMusic()->Resume();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 300.0; }));
    const double menuLeftAt = MusicPositionMs();
    // Stopping the menu's stream raises an end report while switching.
    sound.SelectMusic(1);
    EXPECT_FALSE(sound.IsSwitching());
    EXPECT_EQ(sound.GetCurrentMusic(), game);
    EXPECT_EQ(PumpEvents(), 1);
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    sound.StopAllSounds();  // new game: the game's tune starts afresh
    sound.SelectMusic(1);
    sound.GetCurrentMusic()->PlayNext();
    ASSERT_TRUE(game->IsPlaying());
    sound.PauseAllSounds(false);
    sound.SelectMusic(1);
    sound.GetCurrentMusic()->Resume();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 300.0; }));
    const double gameLeftAt = MusicPositionMs();

    sound.PauseAllSounds(true);  // escape to the menu
    sound.SelectMusic(0);
    sound.GetCurrentMusic()->Resume();
    ASSERT_TRUE(menu->IsPlaying());
    EXPECT_NEAR(MusicPositionMs(), menuLeftAt, 100.0);
    EXPECT_GT(Level(Listen(80, 30), kMusicHz), kToneAmplitude * 0.5);

    sound.PauseAllSounds(false);  // continue the game
    sound.SelectMusic(1);
    sound.GetCurrentMusic()->Resume();
    ASSERT_TRUE(game->IsPlaying());
    EXPECT_NEAR(MusicPositionMs(), gameLeftAt, 100.0);
    EXPECT_GT(Level(Listen(80, 30), kStepHighHz), kToneAmplitude * 0.5);
    PumpEvents();
    EXPECT_EQ(OMusicPlayer::GetEndCount(), ends) << "no stop counted as a track's end";
    EXPECT_TRUE(game->IsPlaying());
}

// Each end report replays the track from its beginning, whether the mixer
// stopped it or it ran out; the seventeenth moves on to the next track and
// the count starts again. A report still queued when other music has started
// is stale.
TEST_F(OMusicPlayerTest, EndReportsReplayTheTrackAndTheSeventeenthMovesOn) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack, kStepsTrack});
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
    EXPECT_EQ(player->GetCurrentIndex(), 1);
    EXPECT_TRUE(player->IsPlaying());
}

// A fresh start takes the option's volume; the slider sets the volume of
// music being played, and only stores it before anything has played.
TEST_F(OMusicPlayerTest, FreshStartsTakeTheOptionVolume) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    sound.SetMusicVolume(10);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_EQ(sound.GetMusicVolume(), 10);
    SystemOptions.MusicVolume = 102;
    player->PlayCurrent();
    EXPECT_EQ(Mix_VolumeMusic(-1), 51);
    EXPECT_NEAR(Level(Listen(100), kMusicHz), kToneAmplitude * 51 / 128, kToneAmplitude * 0.08);
    sound.SetMusicVolume(255);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    player->PlayCurrent();
    EXPECT_EQ(Mix_VolumeMusic(-1), 51);
}

TEST_F(OMusicPlayerTest, PlayersWithoutPlayableTracksPlayNothing) {
    OMusicPlayer* empty = AddPlayer(0, {});
    auto broken = std::make_unique<OMusicPlayer>();
    EXPECT_FALSE(broken->AddTrack("Data/Music/Missing.Mp3"));
    EXPECT_EQ(broken->GetTrackNames().size(), 1u);
    OMusicPlayer* missing = sound.RegisterMusic(1, std::move(broken));
    for (OMusicPlayer* player : {empty, missing}) {
        player->Resume();
        player->PlayNext();
        player->PlayCurrent();
        player->Stop();
        EXPECT_EQ(player->GetCurrentIndex(), 0);
        EXPECT_EQ(player->GetSavedPosition(), 0u);
        EXPECT_FALSE(player->IsPlaying());
    }
    sound.SelectMusic(1);
    OMusicPlayer::OnStreamEnd(false);  // nothing to replay
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

}  // namespace
