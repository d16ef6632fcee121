#pragma once

#include <string>

#include "data/SystemOptions.h"
#include "game/GameValues.h"
#include "support/TempDir.h"
#include "support/TestArchive.h"
#include "support/TgaBytes.h"
#include "ui/ORenderWindow.h"

// Every picture the shell screens load, with the sizes of the real ones, and
// a credits text; installed as the game's archive for the life of the
// object. The options file points into a temporary folder and the options
// start from their defaults.
class ShellScreenData {
public:
    explicit ShellScreenData(const std::string& credits = "Carrowmoor#\r\n\r\nMade by\r\n") {
        archive.AddTexture("PLogo.Tga", MakeTga32(200, 120));
        archive.AddTexture("Quarvelr3D.Tga", MakeTga32(300, 100));
        archive.AddTexture("Cursor.Tga", MakeTga32(64, 64));
        archive.AddTexture("SmlWind.Tga", MakeTga32(400, 150));
        archive.AddTexture("GB.Tga", MakeTga32(8, 8));
        archive.AddTexture("LCompl.Tga", MakeTga32(8, 8));
        for (const char* name :
             {"Continue", "NewGame", "Options", "Score", "Help", "Credits", "Exit"}) {
            archive.AddTexture(std::string("Buttons/") + name + ".Tga", MakeTga32(200, 80));
        }
        for (const char* name : {"Menu", "Ok", "Cancel"}) {
            archive.AddTexture(std::string("Buttons/") + name + ".Tga", MakeTga32(128, 80));
        }
        archive.AddTexture("Interface/Button.Tga", MakeTga32(160, 56));
        archive.AddTexture("Interface/CheckBox.Tga", MakeTga32(24, 96));
        archive.AddTexture("Interface/HArrow.Tga", MakeTga32(24, 56));
        archive.AddTexture("Interface/Slider.Tga", MakeTga32(160, 40));
        archive.AddTexture("Interface/Thumb.Tga", MakeTga32(16, 56));
        archive.AddTexture("Font.Tga", MakeTga32(512, 512));
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

    // A click of the left button at a point of the virtual screen, for a
    // screen whose client is 800 x 600 pixels.
    static InputEvent Click(int virtualX, int virtualY) {
        InputEvent event;
        event.type = EventMouseDown;
        event.button = 0;
        event.x = static_cast<int16_t>(virtualX);
        event.y = static_cast<int16_t>(600 - virtualY);
        return event;
    }
    static InputEvent Key(int type, int key) {
        InputEvent event;
        event.type = type;
        event.key = static_cast<uint16_t>(key);
        return event;
    }

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
    static int alive;
    static int made;
    // Which game this is: addresses of deleted games may be reused.
    int serial;
};
