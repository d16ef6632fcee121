#include "ui/OSystemOptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "app/OApplication.h"
#include "sound/OSoundSystem.h"
#include "support/ShellScreenData.h"
#include "ui/KvCheckBox.h"
#include "ui/KvSlider.h"
#include "ui/Menu.h"
#include "ui/OTextStack.h"
#include "ui/RunningGame.h"

namespace {

// The options screen in an application without a window; the sound system
// has no device, so it only keeps its switches and volumes.
class OptionsScreenTest : public ::testing::Test {
protected:
    OptionsScreenTest() {
        RunningGame::factory = [] { return new StandInGame(); };
        menu = new Menu(201);
        app.AddScreen(menu);
        options = new OSystemOptions(204);
        app.AddScreen(options);
        options->SetClientSize(800, 600);
        app.SetScreen(201);
        OSoundSystem::Instance().SetSoundEnabled(true);
        OSoundSystem::Instance().SetMusicEnabled(true);
        OSoundSystem::Instance().SetSoundVolume(SystemOptions.SoundVolume);
        OSoundSystem::Instance().SetMusicVolume(SystemOptions.MusicVolume);
    }
    ~OptionsScreenTest() override {
        RunningGame::Discard(&app);
        RunningGame::factory = &RunningGame::MakeGameScreen;
        OSoundSystem::Instance().SetSoundEnabled(false);
        OSoundSystem::Instance().SetMusicEnabled(false);
        app.OnQuit();
    }
    int Current() const {
        return app.GetCurrentScreen() != nullptr ? app.GetCurrentScreen()->id : -1;
    }
    void Press(int key) {
        InputEvent event = ShellScreenData::Key(EventKeyDown, key);
        app.OnInput(event);
    }
    // The difficulty stepped one to the right, as its right arrow does.
    void StepDifficultyUp() {
        options->OnControlEvent(OSystemOptions::DifficultyArrowsId, 0);
        options->difficulty->Next();
        options->Update(16);
    }
    // The difficulty in the options file, read back without touching the
    // record in memory.
    int SavedDifficulty() {
        const SystemOptionsRecord kept = SystemOptions;
        SystemOptions.DifficultyLevel = -1;
        LoadSystemOptions();
        const int saved = SystemOptions.DifficultyLevel;
        SystemOptions = kept;
        return saved;
    }

    ShellScreenData data;
    OApplication app;
    Menu* menu = nullptr;
    OSystemOptions* options = nullptr;
};

}  // namespace

TEST_F(OptionsScreenTest, EnteringShowsTheOptionsAndEveryControlButSlidersAndPopupSounds) {
    SystemOptions.ScreenRes = 2;
    SystemOptions.ColorDepth = 16;
    SystemOptions.FullScreen = 1;
    SystemOptions.SoundVolume = 47;
    SystemOptions.DifficultyLevel = 7;
    app.SetScreen(204);
    EXPECT_EQ(options->resolution->CurrentKey(), 2);
    EXPECT_EQ(options->depth->CurrentKey(), 16);
    EXPECT_EQ(options->fullScreenBox->checked, 1);
    EXPECT_EQ(options->soundSlider->value, 45.0f) << "snapped to the slider's step";
    EXPECT_EQ(options->difficulty->CurrentKey(), 2) << "an out-of-range difficulty shows Hard";
    for (OControl* control : options->controls) {
        const bool silent = control == options->popupOk || control == options->popupCancel ||
                            control == options->soundSlider || control == options->musicSlider;
        EXPECT_EQ(control->overSound, silent ? 0 : 1) << "control " << control->id;
        EXPECT_EQ(control->clickSound, silent ? 0 : 2) << "control " << control->id;
    }
    // A depth no screen would write shows the choice that asks for the same
    // colour bits.
    for (const auto& [stored, shown] : {std::pair{0, 16}, {24, 32}, {-1, 32}, {0x110, 16}}) {
        app.SetScreen(201);
        SystemOptions.ColorDepth = stored;
        app.SetScreen(204);
        EXPECT_EQ(options->depth->CurrentKey(), shown) << stored;
    }
    // The sliders end where the selectors end.
    EXPECT_EQ(options->soundSlider->x + options->soundSlider->width,
              options->resolution->x + options->resolution->width);
}

TEST_F(OptionsScreenTest, VolumesAreHeardAtOnceAndCancelKeepsThemOutOfTheFile) {
    app.SetScreen(204);
    options->soundSlider->SetValue(200.0f);
    options->OnControlEvent(OSystemOptions::SoundSliderId, 1);
    EXPECT_EQ(OSoundSystem::Instance().GetEffectVolume(), 200);
    EXPECT_EQ(OSoundSystem::Instance().GetMusicVolume(), 50) << "the music keeps its volume";
    options->musicSlider->SetValue(100.0f);
    options->OnControlEvent(OSystemOptions::MusicSliderId, 1);
    EXPECT_EQ(OSoundSystem::Instance().GetMusicVolume(), 100);

    options->OnControlEvent(OSystemOptions::CancelId, 0);
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(OSoundSystem::Instance().GetEffectVolume(), 200);
    EXPECT_EQ(SystemOptions.SoundVolume, 150);
    EXPECT_EQ(SystemOptions.MusicVolume, 50);

    app.SetScreen(204);
    EXPECT_EQ(options->soundSlider->value, 150.0f) << "the working copy is refreshed";
}

TEST_F(OptionsScreenTest, SoundBoxSilencesEffectsAndRestoresTheSlidersVolume) {
    app.SetScreen(204);
    options->soundSlider->SetValue(120.0f);
    options->soundBox->checked = 0;
    options->OnControlEvent(OSystemOptions::SoundBoxId, 2);
    EXPECT_FALSE(OSoundSystem::Instance().IsSoundEnabled());
    EXPECT_EQ(OSoundSystem::Instance().GetEffectVolume(), 0);
    EXPECT_EQ(SystemOptions.Sound, 0) << "the switch reaches the record at once";

    options->soundBox->checked = 1;
    options->OnControlEvent(OSystemOptions::SoundBoxId, 1);
    EXPECT_TRUE(OSoundSystem::Instance().IsSoundEnabled());
    EXPECT_EQ(OSoundSystem::Instance().GetEffectVolume(), 120);
    EXPECT_EQ(options->working.SoundVolume, 120);

    options->musicBox->checked = 0;
    options->OnControlEvent(OSystemOptions::MusicBoxId, 2);
    EXPECT_FALSE(OSoundSystem::Instance().IsMusicEnabled());
    EXPECT_EQ(SystemOptions.Music, 0);
}

TEST_F(OptionsScreenTest, OkSavesTheChoicesWithoutRebuildingForUnchangedDisplay) {
    app.SetScreen(204);
    options->difficulty->SelectKey(0);
    options->soundSlider->SetValue(80.0f);
    options->OnControlEvent(OSystemOptions::OkId, 0);
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(SystemOptions.DifficultyLevel, 0);
    EXPECT_EQ(SystemOptions.SoundVolume, 80);
    EXPECT_EQ(SavedDifficulty(), 0);
    EXPECT_FALSE(options->IsPopupOpen()) << "no game, no question";

    app.SetScreen(204);
    options->OnControlEvent(OSystemOptions::OkId, 0);
    EXPECT_EQ(SavedDifficulty(), 0) << "unchanged options are saved as they are";
}

TEST_F(OptionsScreenTest, ChangingDifficultyDuringAGameAsksFirst) {
    menu->StartNewGame();
    app.SetScreen(204);
    StepDifficultyUp();
    ASSERT_TRUE(options->IsPopupOpen());
    EXPECT_EQ(options->okButton->enabled, 0) << "only the popup takes input";

    options->OnControlEvent(OSystemOptions::PopupCancelId, 0);
    EXPECT_FALSE(options->IsPopupOpen());
    EXPECT_EQ(options->difficulty->CurrentKey(), 1) << "the difficulty shown on entering";
    EXPECT_TRUE(RunningGame::Exists());
    EXPECT_EQ(options->okButton->enabled, 1);

    StepDifficultyUp();
    ASSERT_TRUE(options->IsPopupOpen());
    options->OnControlEvent(OSystemOptions::PopupOkId, 0);
    EXPECT_FALSE(RunningGame::Exists()) << "the game is over";
    EXPECT_EQ(StandInGame::alive, 0);
    options->OnControlEvent(OSystemOptions::OkId, 0);
    EXPECT_EQ(SystemOptions.DifficultyLevel, 2);
}

TEST_F(OptionsScreenTest, EscapeClosesThePopupFirstThenLeavesWithoutApplying) {
    menu->StartNewGame();
    app.SetScreen(204);
    StepDifficultyUp();
    ASSERT_TRUE(options->IsPopupOpen());
    Press(27);
    EXPECT_EQ(Current(), 204);
    EXPECT_FALSE(options->IsPopupOpen());
    EXPECT_EQ(options->difficulty->CurrentKey(), 1) << "the running game keeps its difficulty";
    Press(27);
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(SystemOptions.DifficultyLevel, 1);
    EXPECT_TRUE(RunningGame::Exists());
}

TEST_F(OptionsScreenTest, AFinishedGameOrNoGameNeverAsks) {
    app.SetScreen(204);
    StepDifficultyUp();
    EXPECT_FALSE(options->IsPopupOpen());

    menu->StartNewGame();
    GameEndMark = StateGameOver;
    app.SetScreen(204);
    StepDifficultyUp();
    EXPECT_FALSE(options->IsPopupOpen());
}

TEST_F(OptionsScreenTest, KeysWalkTheRowsStepWithLeftAndRightAndAnswerThePopup) {
    SystemOptions.ScreenRes = 1;
    SystemOptions.FullScreen = 0;
    SystemOptions.SoundVolume = 100;
    SystemOptions.DifficultyLevel = 1;
    menu->StartNewGame();
    app.SetScreen(204);
    struct Step {
        int key;
        const char* what;
        std::function<void()> check;
    };
    const Step steps[] = {
        {40, "Down lights the resolution", [&] { EXPECT_EQ(options->resolution->hovered, 1); }},
        {39, "Right steps it as its arrow does",
         [&] { EXPECT_EQ(options->resolution->CurrentKey(), 2); }},
        {37, "Left steps back", [&] { EXPECT_EQ(options->resolution->CurrentKey(), 1); }},
        {40, "the colour depth", [&] { EXPECT_EQ(options->depth->hovered, 1); }},
        {40, "the full-screen box", [&] {}},
        {13, "Enter ticks it", [&] { EXPECT_EQ(options->fullScreenBox->checked, 1); }},
        {40, "the sound box", [&] {}},
        {40, "the sound volume", [&] {}},
        {39, "Right raises it by a step",
         [&] { EXPECT_FLOAT_EQ(options->soundSlider->value, 105.0f); }},
        {38, "Up goes back a row", [&] { EXPECT_EQ(options->soundBox->selected, 1); }},
        {40, "", [&] {}},
        {40, "the music box", [&] {}},
        {40, "the music volume", [&] {}},
        {40, "the difficulty", [&] { EXPECT_EQ(options->difficulty->hovered, 1); }},
        {39, "a change during a game asks",
         [&] {
             options->Update(16);
             EXPECT_TRUE(options->IsPopupOpen());
         }},
        {39, "no selector steps under the popup",
         [&] { EXPECT_EQ(options->difficulty->CurrentKey(), 2); }},
        {40, "the popup's Cancel", [&] { EXPECT_EQ(options->popupCancel->hovered, 1); }},
        {13, "Enter on Cancel keeps the game's difficulty",
         [&] {
             EXPECT_FALSE(options->IsPopupOpen());
             EXPECT_EQ(options->difficulty->CurrentKey(), 1);
             EXPECT_TRUE(RunningGame::Exists());
         }},
        {27, "Escape leaves without applying",
         [&] {
             EXPECT_EQ(Current(), 201);
             EXPECT_EQ(SystemOptions.FullScreen, 0);
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        Press(step.key);
        step.check();
    }
}
