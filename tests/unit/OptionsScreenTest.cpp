#include "ui/OSystemOptions.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/ShellScreenData.h"
#include "ui/KvCheckBox.h"
#include "ui/KvSlider.h"

namespace {

class OptionsScreenTest : public ShellScreens {
protected:
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
    OSoundSystem& sound = OSoundSystem::Instance();
};

}  // namespace

TEST_F(OptionsScreenTest, EnteringShowsTheOptionsAndEveryControlButSlidersAndPopupSounds) {
    SystemOptions.ScreenRes = 2;
    SystemOptions.FullScreen = 1;
    SystemOptions.SoundVolume = 47;
    SystemOptions.DifficultyLevel = 7;
    app.SetScreen(204);
    // The volume snapped to the slider's step; an out-of-range difficulty
    // shows Hard.
    EXPECT_EQ(std::vector<float>(
                  {float(options->resolution->CurrentKey()), float(options->fullScreenBox->checked),
                   options->soundSlider->value, float(options->difficulty->CurrentKey())}),
              std::vector<float>({2, 1, 45, 2}));
    for (OControl* control : options->controls) {
        const bool silent = control == options->popupOk || control == options->popupCancel ||
                            control == options->soundSlider || control == options->musicSlider;
        EXPECT_EQ(std::pair(control->overSound, control->clickSound),
                  silent ? std::pair(0, 0) : std::pair(1, 2))
            << "control " << control->id;
    }
    // A depth no screen would write shows the choice that asks for the same
    // colour bits.
    for (const auto& [stored, shown] :
         {std::pair{16, 16}, {0, 16}, {24, 32}, {-1, 32}, {0x110, 16}}) {
        app.SetScreen(201);
        SystemOptions.ColorDepth = stored;
        app.SetScreen(204);
        EXPECT_EQ(options->depth->CurrentKey(), shown) << stored;
    }
    // The sliders end where the selectors end.
    EXPECT_EQ(options->soundSlider->x + options->soundSlider->width,
              options->resolution->x + options->resolution->width);
}

TEST_F(OptionsScreenTest, VolumesAndSwitchesAreHeardAtOnceAndCancelKeepsVolumesOutOfTheFile) {
    app.SetScreen(204);
    options->soundSlider->SetValue(200.0f);
    options->OnControlEvent(OSystemOptions::SoundSliderId, 1);
    EXPECT_EQ(sound.GetEffectVolume(), 200);
    EXPECT_EQ(sound.GetMusicVolume(), 50) << "the music keeps its volume";
    options->musicSlider->SetValue(100.0f);
    options->OnControlEvent(OSystemOptions::MusicSliderId, 1);
    EXPECT_EQ(sound.GetMusicVolume(), 100);

    // The sound box silences the effects and brings back the slider's volume.
    options->soundSlider->SetValue(120.0f);
    options->soundBox->checked = 0;
    options->OnControlEvent(OSystemOptions::SoundBoxId, 2);
    EXPECT_FALSE(sound.IsSoundEnabled());
    EXPECT_EQ(sound.GetEffectVolume(), 0);
    EXPECT_EQ(SystemOptions.Sound, 0) << "the switch reaches the record at once";
    options->soundBox->checked = 1;
    options->OnControlEvent(OSystemOptions::SoundBoxId, 1);
    EXPECT_TRUE(sound.IsSoundEnabled());
    EXPECT_EQ(sound.GetEffectVolume(), 120);
    options->musicBox->checked = 0;
    options->OnControlEvent(OSystemOptions::MusicBoxId, 2);
    EXPECT_FALSE(sound.IsMusicEnabled());
    EXPECT_EQ(SystemOptions.Music, 0);

    options->OnControlEvent(OSystemOptions::CancelId, 0);
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(sound.GetEffectVolume(), 120);
    EXPECT_EQ(SystemOptions.SoundVolume, 150);
    EXPECT_EQ(SystemOptions.MusicVolume, 50);
    app.SetScreen(204);
    EXPECT_EQ(options->soundSlider->value, 150.0f) << "the working copy is refreshed";
}

// Without a game a new difficulty asks nothing.
TEST_F(OptionsScreenTest, OkSavesTheChoicesChangedOrNot) {
    app.SetScreen(204);
    StepDifficultyUp();
    EXPECT_FALSE(options->IsPopupOpen()) << "no game, no question";
    options->soundSlider->SetValue(80.0f);
    options->OnControlEvent(OSystemOptions::OkId, 0);
    EXPECT_EQ(Current(), 201);
    EXPECT_EQ(std::vector<int>(
                  {SystemOptions.DifficultyLevel, SystemOptions.SoundVolume, SavedDifficulty()}),
              std::vector<int>({2, 80, 2}));
    // The file says otherwise; OK with nothing changed writes it again.
    SystemOptions.DifficultyLevel = 0;
    SaveSystemOptions();
    SystemOptions.DifficultyLevel = 2;
    app.SetScreen(204);
    options->OnControlEvent(OSystemOptions::OkId, 0);
    EXPECT_EQ(SavedDifficulty(), 2);
}

TEST_F(OptionsScreenTest, KeysWalkTheRowsStepWithLeftAndRightAndAnswerThePopup) {
    SystemOptions.ScreenRes = 1;
    SystemOptions.FullScreen = 0;
    SystemOptions.SoundVolume = 100;
    menu->StartNewGame();
    app.SetScreen(204);
    Press({kDown});
    EXPECT_EQ(options->resolution->hovered, 1) << "Down lights the resolution";
    Press({kRight});
    EXPECT_EQ(options->resolution->CurrentKey(), 2) << "Right steps it";
    Press({kLeft});
    EXPECT_EQ(options->resolution->CurrentKey(), 1) << "Left steps back";
    Press({kDown});
    EXPECT_EQ(options->depth->hovered, 1) << "the colour depth";
    Press({kDown, kEnter});
    EXPECT_EQ(options->fullScreenBox->checked, 1) << "Enter ticks the full-screen box";
    Press({kDown, kDown, kRight});
    EXPECT_FLOAT_EQ(options->soundSlider->value, 105.0f) << "Right raises the sound volume";
    Press({kUp});
    EXPECT_EQ(options->soundBox->selected, 1) << "Up goes back a row";
    Press({kDown, kDown, kDown, kDown});
    EXPECT_EQ(options->difficulty->hovered, 1) << "past the music box and volume";
    Press({kRight});
    options->Update(16);
    EXPECT_TRUE(options->IsPopupOpen()) << "a change during a game asks";
    EXPECT_EQ(options->okButton->enabled, 0) << "only the popup takes input";
    Press({kRight});
    EXPECT_EQ(options->difficulty->CurrentKey(), 2) << "no selector steps under the popup";
    Press({kDown});
    EXPECT_EQ(options->popupCancel->hovered, 1) << "the popup's Cancel";
    Press({kEnter});
    EXPECT_FALSE(options->IsPopupOpen());
    EXPECT_EQ(options->difficulty->CurrentKey(), 1) << "Enter on Cancel keeps the difficulty";
    EXPECT_TRUE(RunningGame::Exists());
    EXPECT_EQ(options->okButton->enabled, 1);
    StepDifficultyUp();  // asked again
    ASSERT_TRUE(options->IsPopupOpen());
    Press({kEscape});
    EXPECT_FALSE(options->IsPopupOpen()) << "Escape answers the question as its Cancel does";
    EXPECT_EQ(Current(), 204);
    EXPECT_EQ(options->difficulty->CurrentKey(), 1);
    Press({kEscape});
    EXPECT_EQ(Current(), 201) << "Escape leaves without applying";
    EXPECT_EQ(SystemOptions.FullScreen, 0);
    EXPECT_EQ(SystemOptions.DifficultyLevel, 1);
    // A finished game asks nothing.
    GameEndMark = StateGameOver;
    app.SetScreen(204);
    StepDifficultyUp();
    EXPECT_FALSE(options->IsPopupOpen());
}
