#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <sstream>
#include <string>

#include "app/OApplication.h"
#include "data/SystemOptions.h"
#include "game/GameValues.h"
#include "sound/OSoundSystem.h"
#include "support/TempDir.h"
#include "support/TestArchive.h"
#include "support/TgaBytes.h"
#include "ui/Credits.h"
#include "ui/Help.h"
#include "ui/Menu.h"
#include "ui/OSystemOptions.h"
#include "ui/OTextStack.h"
#include "ui/RunningGame.h"
#include "ui/Score.h"

// Every picture the shell screens load, with the sizes of the real ones, and
// a credits text; installed as the game's archive for the life of the
// object. The options file points into a temporary folder and the options
// start from their defaults.
class ShellScreenData {
public:
    explicit ShellScreenData(const std::string& credits) {
        // Name, width and height of each picture.
        std::istringstream pictures(
            "PLogo.Tga 200 120 Quarvelr3D.Tga 300 100 Cursor.Tga 64 64 SmlWind.Tga 400 150 "
            "GB.Tga 8 8 LCompl.Tga 8 8 Font.Tga 512 512 Interface/Button.Tga 160 56 "
            "Interface/CheckBox.Tga 24 96 Interface/HArrow.Tga 24 56 Interface/Slider.Tga 160 40 "
            "Interface/Thumb.Tga 16 56 Buttons/Menu.Tga 128 80 Buttons/Ok.Tga 128 80 "
            "Buttons/Cancel.Tga 128 80");
        std::string name;
        for (int width, height; pictures >> name >> width >> height;)
            archive.AddTexture(name, MakeTga32(width, height));
        for (const char* button :
             {"Continue", "NewGame", "Options", "Score", "Help", "Credits", "Exit"})
            archive.AddTexture(std::string("Buttons/") + button + ".Tga", MakeTga32(200, 80));
        archive.Add("Data/Credits.Kv", credits);
        archive.Open();
        optionsPath = dir.File("System.Cfg");
        previousOptionsPath = SystemOptionsPath;
        SystemOptionsPath = optionsPath.c_str();
        ResetSystemOptions();
        GameState = StatePlaying;
        GameEndMark = EndMarkRunning;
        score = 0;
    }
    ~ShellScreenData() {
        SystemOptionsPath = previousOptionsPath;
        ResetSystemOptions();
    }
    // A file in the temporary folder.
    std::string File(const std::string& name) const { return dir.File(name); }

private:
    TempDir dir;
    TestArchive archive;
    std::string optionsPath;
    const char* previousOptionsPath;
};

// Stands in for the game screen: counts its instances so tests see when the
// shell deletes one.
class StandInGame : public ORenderWindow {
public:
    StandInGame() : ORenderWindow(202), serial(++made) { ++alive; }
    ~StandInGame() override { --alive; }
    static inline int alive = 0;
    static inline int made = 0;
    // Which game this is: addresses of deleted games may be reused.
    int serial;
};

// The menu, help, credits, options and score screens in an application
// without a window, a stand-in for the game screen and the high-score table
// (defaults: ten entries of 0) in a temporary file. The sound system has no
// device, so it only keeps its switches and volumes.
class ShellScreens : public ::testing::Test {
protected:
    static constexpr int kTab = 9, kEnter = 13, kEscape = 27, kLeft = 37, kUp = 38, kRight = 39,
                         kDown = 40;
    static constexpr int kShift = 0x1000;  // added to a key: held with Shift

    ShellScreens() : data("Carrowmoor#\r\nNo # here\r\n\n\r\nEnds#\nx") {
        RunningGame::factory = [] { return new StandInGame(); };
        StandInGame::made = 0;
        app.AddScoreTable(0, data.File("TP.Kv"), 10, "");
        menu = Add(new Menu(201));
        help = Add(new Help(208));
        credits = Add(new Credits(205));
        options = Add(new OSystemOptions(204));
        scores = Add(new Score(209));
        app.SetScreen(201);
        OSoundSystem::Instance().SetSoundEnabled(true);
        OSoundSystem::Instance().SetMusicEnabled(true);
        OSoundSystem::Instance().SetSoundVolume(SystemOptions.SoundVolume);
        OSoundSystem::Instance().SetMusicVolume(SystemOptions.MusicVolume);
    }
    ~ShellScreens() override {
        RunningGame::Discard(&app);
        RunningGame::factory = &RunningGame::MakeGameScreen;
        OSoundSystem::Instance().SetSoundEnabled(false);
        OSoundSystem::Instance().SetMusicEnabled(false);
        app.OnQuit();
    }
    template <typename Screen>
    Screen* Add(Screen* screen) {
        app.AddScreen(screen);
        screen->SetClientSize(800, 600);
        return screen;
    }
    int Current() const {
        return app.GetCurrentScreen() != nullptr ? app.GetCurrentScreen()->id : -1;
    }
    // Input as the window hands it over, at a point of the virtual screen.
    bool Send(int type, int virtualX, int virtualY, int key = 0, int buttonState = 0) {
        InputEvent event{type, 0, uint16_t(buttonState), uint16_t(key)};
        event.x = int16_t(virtualX);
        event.y = int16_t(600 - virtualY);
        return app.OnInput(event);
    }
    // A click on the middle of a button, or the pointer moved onto it.
    bool ClickOn(const OTextStack* button, int type = EventMouseDown) {
        return Send(type, button->x + button->width / 2, button->y + button->height / 2);
    }
    bool Press(std::initializer_list<int> keys) {
        bool taken = true;
        for (int key : keys)
            taken = Send(EventKeyDown, 0, 600, key & 0xFFF, key & kShift ? ButtonStateShift : 0);
        return taken;
    }
    void Type(const std::string& text) {
        for (char c : text)
            Send(EventChar, 0, 600, c);
    }
    OTextStack* MenuButton(int controlId) {
        return *std::find_if(menu->menuButtons.begin(), menu->menuButtons.end(),
                             [=](const OTextStack* button) { return button->id == controlId; });
    }

    ShellScreenData data;
    OApplication app;
    Menu* menu = nullptr;
    Help* help = nullptr;
    Credits* credits = nullptr;
    OSystemOptions* options = nullptr;
    Score* scores = nullptr;
};
