#pragma once

#include "ui/KeyboardNavigator.h"
#include "ui/ORenderWindow.h"

class OTextStack;

// A page reached from the menu (help, credits, scores): the "Menu" button in
// the lower right and Escape both lead back to the menu; Up, Down or Tab
// highlight the button and Enter presses it.
class MenuPageScreen : public ORenderWindow {
public:
    static constexpr int kMenuButtonId = 100;
    static constexpr int kMenuScreenId = 201;

    explicit MenuPageScreen(int id) : ORenderWindow(id) {}

    // Adds the menu button.
    bool Build() override;
    void OnEnter() override { keyboard.Reset(); }
    bool OnInput(InputEvent& event) override;
    bool OnControlEvent(int controlId, int code) override;

    OTextStack* menuButton = nullptr;
    KeyboardNavigator keyboard;

protected:
    // Leaves for the menu; a page with something to finish first overrides it.
    virtual void ReturnToMenu();
};
