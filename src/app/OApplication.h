#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/OGLWindow.h"
#include "app/PictureViewport.h"
#include "app/RedrawPolicy.h"

class OCamera;
class OFont;
class OScoreTable;
class OTexture;
class ORenderWindow;

// The game's own arrow, drawn last in every frame. (x, y) is the pointer in
// client pixels, origin top left; the picture's top-left corner is the hot
// spot.
struct Cursor {
    std::string imageName;
    OTexture* texture = nullptr;
    int x = 0;
    int y = 0;
};

// Turns the window's frames and input into a screen system: an ordered list
// of screens of which one is current, the shared camera, font and cursor,
// and the high-score tables.
class OApplication : public OGLWindow {
public:
    OApplication();
    ~OApplication() override;

    void Update(int ms) override;
    void OnResize() override;
    bool Init() override;
    void OnQuit() override;
    bool OnInput(InputEvent& event) override;
    void OnUserEvent(const SDL_UserEvent& event) override;
    void OnExposed() override;
    // Tells the current screen; a running game pauses.
    void OnFocusLost() override;

    // Adds and builds a screen; true without doing anything when it is
    // already in the list.
    bool AddScreen(ORenderWindow* screen);
    // Takes a screen out of the list without deleting it.
    ORenderWindow* RemoveScreen(ORenderWindow* screen);
    bool HasScreen(const ORenderWindow* screen) const;
    // Leaves the current screen and enters the first one with this id; false
    // (and no screen current) when none has it.
    bool SetScreen(int id);
    ORenderWindow* GetCurrentScreen() const { return currentScreen; }
    const std::vector<ORenderWindow*>& GetScreens() const { return screens; }

    // Rebuilds window and context after the display options changed.
    bool ResetVideoMode();
    // Draws and presents one loading frame; logo may be null.
    void DrawLoadingScreen(int percent, OTexture* logo);
    // Length of the loading bar in virtual units at this percentage.
    static int LoadingBarLength(int percent) { return 305 * percent / 100; }
    // Side of the drawn cursor in pixels for a client height.
    static int CursorSize(int clientHeight) {
        return static_cast<int>(64.0f * (static_cast<float>(clientHeight) / 1024.0f));
    }

    void AddScoreTable(int index, const std::string& fileName, int capacity,
                       const std::string& pictureName);
    // The current high-score table, or null.
    OScoreTable* scoreTable() const;

    // Where the picture lies in the window (the whole client area when it has
    // the picture's aspect).
    PictureViewport GetViewport() const { return PictureViewport::Fit(width, height); }
    // The pointer's last known position in window pixels, origin top left.
    int PointerX() const { return pointerX; }
    int PointerY() const { return pointerY; }

    OFont* GetFont() const { return font; }
    OCamera* GetCamera() const { return camera; }
    const Cursor* GetCursor() const { return cursor; }

protected:
    OCamera* camera = nullptr;
    OFont* font = nullptr;
    Cursor* cursor = nullptr;
    std::vector<ORenderWindow*> screens;
    std::map<int, OScoreTable*> scoreTables;
    int currentTable = -1;

private:
    void DrawCursor();
    void SwitchToFullScreenOnMaximize();
    void PlaceScreen(ORenderWindow* screen) const;

    ORenderWindow* currentScreen = nullptr;
    RedrawPolicy redraw;
    int pointerX = 0;
    int pointerY = 0;
};
