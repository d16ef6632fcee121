#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/InputEvent.h"

class OApplication;
class OCamera;
class OControl;
class OFont;
class OTexture;

// Base of every screen: owns its controls, draws a background stretched over
// the virtual 800 x 600 space and routes input to its controls with a
// tab-order focus model.
class ORenderWindow {
public:
    static constexpr int kVirtualWidth = 800;
    static constexpr int kVirtualHeight = 600;

    explicit ORenderWindow(int id);
    virtual ~ORenderWindow();
    ORenderWindow(const ORenderWindow&) = delete;
    ORenderWindow& operator=(const ORenderWindow&) = delete;

    virtual void OnEnter() {}
    virtual void OnLeave() {}
    virtual void Draw();
    virtual void Update(int ms);
    // Creates the screen's controls; called once when the screen is added.
    virtual bool Build() { return true; }
    // True when a control took the event.
    virtual bool OnInput(InputEvent& event);
    virtual bool OnControlEvent(int controlId, int code) { return false; }
    // True while the screen's look changes with time alone; a still screen is
    // not drawn again until input or a window change.
    virtual bool Animating() const;
    // The window lost the focus or was minimised.
    virtual void OnWindowInactive() {}
    // Sets the hover look of the controls (and whatever else follows the
    // pointer) from the pointer at (x, y) in the picture's pixels; called on
    // entering the screen, so nothing stays lit from the last visit.
    virtual void RefreshHover(int x, int y);

    bool LoadPictures(const std::string& backgroundName, const std::string& overlayName);
    // The background and overlay leave the driver until drawn again.
    void ParkPictures();
    void AddControl(OControl* control);
    OControl* RemoveControl(OControl* control);
    bool HasControl(const OControl* control) const;
    void FocusControl(OControl* control);
    void SetClientSize(int width, int height);
    // The picture's part of the window: lower-left corner (GL window
    // coordinates) and size. Pointer events reach the screen relative to the
    // picture's top-left corner.
    void SetViewport(int x, int y, int width, int height);

    OTexture* background = nullptr;
    OTexture* overlay = nullptr;
    OTexture* logo = nullptr;
    int id;
    int16_t windowWidth = 20;
    int16_t windowHeight = 20;
    int16_t viewportX = 0;
    int16_t viewportY = 0;
    int16_t tabCount = 0;
    int16_t currentTab = -1;
    OControl* focusedControl = nullptr;
    OControl* activeControl = nullptr;
    std::vector<OControl*> controls;
    OApplication* application = nullptr;
    OCamera* camera = nullptr;

protected:
    // The application's font, or null.
    OFont* Font() const;
    // Clears the frame to black, then draws the background and the controls.
    void DrawCleared();
    // The two halves of Draw: the stretched background picture, then every
    // control in list order.
    void DrawBackground();
    void DrawControls();
    // Draws a texture as one quad over (x0, y0)-(x1, y1) with row 0 of the
    // picture at the top edge.
    static void DrawPicture(OTexture* texture, float x0, float y0, float x1, float y1);

private:
    bool RouteWithFocus(InputEvent& event);
    bool RouteWithoutFocus(InputEvent& event);
    bool RouteKeyboard(InputEvent& event);
    bool RouteMouse(InputEvent& event);
};
