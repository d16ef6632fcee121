#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "support/SoundFixture.h"

namespace {

constexpr double kSilence = 60.0;

class OMusicPlayerTest : public SoundFixture {
protected:
    // The end count one report after `count`.
    static int CountAfterOneMore(int count) {
        return count + 1 > OMusicPlayer::kRepeatsBeforeNext ? 0 : count + 1;
    }

    // Ends the music the way the mixer does when a track runs out, and lets
    // the message loop deliver the report.
    void EndTrackAndDeliver() {
        Mix_HaltMusic();
        EXPECT_EQ(PumpEvents(), 1);
    }
};

TEST_F(OMusicPlayerTest, StopThenResumeContinuesWhereItStopped) {
    // Steps: 500 Hz for 200 ms, then 800 Hz.
    OMusicPlayer* player = AddPlayer(0, {kStepsTrack});
    sound.SelectMusic(0);
    EXPECT_EQ(player->GetChannel(), -1);
    player->Resume();  // nothing saved: the next (and only) track
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_EQ(player->GetChannel(), OMusicPlayer::kMusicStream);
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 350.0; }));

    player->Stop();
    const uint32_t saved = player->GetSavedPosition();
    EXPECT_GE(saved, 350u);
    EXPECT_LE(saved, 700u);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_LT(Level(output.Listen(80), kStepHighHz), kSilence);
    // A second Stop (as SelectMusic gives every player) keeps the place.
    player->Stop();
    EXPECT_NEAR(player->GetSavedPosition(), saved, 30.0);

    player->Resume();
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_NEAR(MusicPositionMs(), saved, 100.0);
    EXPECT_EQ(player->GetSavedPosition(), 0u);
    // A restart would sound the 500 Hz opening first.
    const auto heard = output.Listen(100, 20);
    EXPECT_GT(Level(heard, kStepHighHz), kToneAmplitude * 0.5);
    EXPECT_LT(Level(heard, kStepLowHz), kToneAmplitude * 0.1);
    EXPECT_EQ(PumpEvents(), 1);  // the Stop's report, ignored
    EXPECT_TRUE(player->IsPlaying());
}

TEST_F(OMusicPlayerTest, ResumeWithoutAStopMovesToTheNextTrack) {
    OMusicPlayer* player = AddPlayer(0, {kStepsTrack, kToneTrack});
    sound.SelectMusic(0);
    EXPECT_EQ(player->GetCurrentIndex(), 0);
    player->Resume();
    EXPECT_EQ(player->GetCurrentIndex(), 1);
    EXPECT_GT(Level(output.Listen(80, 30), kMusicHz), kToneAmplitude * 0.5);

    player->Resume();  // after the last track comes the first
    EXPECT_EQ(player->GetCurrentIndex(), 0);
    EXPECT_LT(MusicPositionMs(), 60.0);
    const auto heard = output.Listen(80, 30);
    const double opening = Level(heard, kStepLowHz);
    EXPECT_GT(opening, kToneAmplitude * 0.5);
    EXPECT_LT(Level(heard, kMusicHz), opening * 0.05);
}

TEST_F(OMusicPlayerTest, MusicOffStartsNothingButStopStillSavesThePlace) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack, kStepsTrack});
    sound.SelectMusic(0);
    player->PlayCurrent();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 200.0; }));

    sound.SetMusicEnabled(false);
    player->Stop();
    const uint32_t saved = player->GetSavedPosition();
    EXPECT_GT(saved, 150u);
    player->Resume();
    player->PlayNext();
    player->PlayCurrent();
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(player->GetCurrentIndex(), 0);
    EXPECT_EQ(player->GetSavedPosition(), saved);
    EXPECT_LT(Level(output.Listen(80), kMusicHz), kSilence);
    // End reports are ignored while music is off.
    const int ends = OMusicPlayer::GetEndCount();
    OMusicPlayer::OnStreamEnd(false);
    EXPECT_EQ(OMusicPlayer::GetEndCount(), ends);
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    // Switched on again, Resume picks the track up where Stop left it.
    sound.SetMusicEnabled(true);
    player->Resume();
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_NEAR(MusicPositionMs(), saved, 100.0);
}

TEST_F(OMusicPlayerTest, SelectMusicRaisesNoRestart) {
    OMusicPlayer* menu = AddPlayer(0, {kToneTrack});
    OMusicPlayer* game = AddPlayer(1, {kStepsTrack});
    sound.SelectMusic(0);
    menu->PlayCurrent();
    SDL_Delay(50);
    const int ends = OMusicPlayer::GetEndCount();

    // Stopping the menu's stream raises an end report while switching.
    sound.SelectMusic(1);
    EXPECT_FALSE(sound.IsSwitching());
    EXPECT_EQ(sound.GetCurrentMusic(), game);
    EXPECT_EQ(PumpEvents(), 1);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(OMusicPlayer::GetEndCount(), ends);
    EXPECT_GT(menu->GetSavedPosition(), 0u);
    EXPECT_LT(Level(output.Listen(80), kMusicHz), kSilence);
}

TEST_F(OMusicPlayerTest, AReportQueuedBehindANewStartIsStale) {
    OMusicPlayer* menu = AddPlayer(0, {kShortTrack});
    OMusicPlayer* game = AddPlayer(1, {kToneTrack});
    sound.SelectMusic(0);
    menu->PlayCurrent();
    // The 200 ms track runs out; its report waits in the queue.
    ASSERT_TRUE(WaitUntil([&] { return !menu->IsPlaying(); }));
    const int ends = OMusicPlayer::GetEndCount();

    sound.SelectMusic(1);
    game->Resume();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 150.0; }));
    EXPECT_GE(PumpEvents(), 1);
    EXPECT_EQ(OMusicPlayer::GetEndCount(), ends);
    EXPECT_TRUE(game->IsPlaying());
    EXPECT_GT(MusicPositionMs(), 100.0);  // not started again
}

TEST_F(OMusicPlayerTest, ATrackThatRunsOutStartsAgainFromItsBeginning) {
    OMusicPlayer* player = AddPlayer(0, {kShortTrack, kToneTrack});
    sound.SelectMusic(0);
    player->PlayCurrent();
    const int ends = OMusicPlayer::GetEndCount();
    ASSERT_TRUE(WaitUntil([&] { return !player->IsPlaying(); }));
    EXPECT_EQ(PumpEvents(), 1);
    EXPECT_EQ(OMusicPlayer::GetEndCount(), CountAfterOneMore(ends));
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_EQ(player->GetCurrentIndex(), ends + 1 > OMusicPlayer::kRepeatsBeforeNext ? 1 : 0);
}

TEST_F(OMusicPlayerTest, TheSeventeenthReportMovesToTheNextTrack) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack, kStepsTrack});
    sound.SelectMusic(0);
    player->PlayCurrent();
    // Bring the shared counter to 16, each report replaying the track.
    while (OMusicPlayer::GetEndCount() < OMusicPlayer::kRepeatsBeforeNext) {
        const int before = OMusicPlayer::GetEndCount();
        const uint16_t index = player->GetCurrentIndex();
        EndTrackAndDeliver();
        ASSERT_EQ(OMusicPlayer::GetEndCount(), CountAfterOneMore(before));
        if (OMusicPlayer::GetEndCount() != 0) {
            ASSERT_EQ(player->GetCurrentIndex(), index);
            ASSERT_TRUE(player->IsPlaying());
        }
    }
    const uint16_t index = player->GetCurrentIndex();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 150.0; }));
    // The seventeenth report moves on, from the next track's beginning, and
    // the count starts again.
    EndTrackAndDeliver();
    EXPECT_EQ(OMusicPlayer::GetEndCount(), 0);
    EXPECT_EQ(player->GetCurrentIndex(), (index + 1) % 2);
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_LT(MusicPositionMs(), 60.0);
    EndTrackAndDeliver();
    EXPECT_EQ(OMusicPlayer::GetEndCount(), 1);
    EXPECT_EQ(player->GetCurrentIndex(), (index + 1) % 2);
    EXPECT_TRUE(player->IsPlaying());
}

TEST_F(OMusicPlayerTest, ReplayedTrackStartsFromItsBeginning) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    player->PlayCurrent();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 150.0; }));
    const int before = OMusicPlayer::GetEndCount();
    EndTrackAndDeliver();
    EXPECT_EQ(OMusicPlayer::GetEndCount(), CountAfterOneMore(before));
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_LT(MusicPositionMs(), 60.0);
}

// The screens' sequences: menu, a new game, back to the menu, back to the
// game. Each tune continues where it was left.
TEST_F(OMusicPlayerTest, MenuAndGameMusicEachContinueWhereTheyWereLeft) {
    OMusicPlayer* menu = AddPlayer(0, {kToneTrack});
    OMusicPlayer* game = AddPlayer(1, {kStepsTrack});
    const int ends = OMusicPlayer::GetEndCount();
    // Menu entered.
    sound.PauseAllSounds(true);
    sound.SelectMusic(0);
    sound.GetCurrentMusic()->Resume();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 300.0; }));
    const double menuLeftAt = MusicPositionMs();

    // New game: everything stops, the game's tune starts afresh.
    sound.StopAllSounds();
    sound.SelectMusic(1);
    sound.GetCurrentMusic()->PlayNext();
    ASSERT_TRUE(game->IsPlaying());
    sound.PauseAllSounds(false);
    sound.SelectMusic(1);
    sound.GetCurrentMusic()->Resume();
    ASSERT_TRUE(WaitUntil([] { return MusicPositionMs() > 300.0; }));
    const double gameLeftAt = MusicPositionMs();

    // Escape to the menu.
    sound.PauseAllSounds(true);
    sound.SelectMusic(0);
    sound.GetCurrentMusic()->Resume();
    ASSERT_TRUE(menu->IsPlaying());
    EXPECT_NEAR(MusicPositionMs(), menuLeftAt, 100.0);
    EXPECT_GT(Level(output.Listen(80, 30), kMusicHz), kToneAmplitude * 0.5);

    // Continue the game.
    sound.PauseAllSounds(false);
    sound.SelectMusic(1);
    sound.GetCurrentMusic()->Resume();
    ASSERT_TRUE(game->IsPlaying());
    EXPECT_NEAR(MusicPositionMs(), gameLeftAt, 100.0);
    EXPECT_GT(Level(output.Listen(80, 30), kStepHighHz), kToneAmplitude * 0.5);

    // None of the stops counted as a track's end.
    PumpEvents();
    EXPECT_EQ(OMusicPlayer::GetEndCount(), ends);
    EXPECT_TRUE(game->IsPlaying());
}

TEST_F(OMusicPlayerTest, FreshStartsTakeTheOptionVolume) {
    OMusicPlayer* player = AddPlayer(0, {kToneTrack});
    sound.SelectMusic(0);
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    sound.SetMusicVolume(10);  // never played: the stream is left alone
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_EQ(sound.GetMusicVolume(), 10);

    SystemOptions.MusicVolume = 102;
    player->PlayCurrent();
    EXPECT_EQ(Mix_VolumeMusic(-1), 51);
    const double optionLevel = Level(output.Listen(100), kMusicHz);
    EXPECT_NEAR(optionLevel, kToneAmplitude * 51 / 128, kToneAmplitude * 0.08);

    sound.SetMusicVolume(255);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_NEAR(Level(output.Listen(100), kMusicHz), optionLevel * 128 / 51, optionLevel * 0.3);
    player->PlayCurrent();  // afresh: the option again
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
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    sound.SelectMusic(1);
    OMusicPlayer::OnStreamEnd(false);  // nothing to replay
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

}  // namespace
