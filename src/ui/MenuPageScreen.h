#pragma once

#include "ui/ORenderWindow.h"

class OTextStack;

// A page reached from the menu (help, credits, scores): the "Menu" button in
// the lower right and Escape both lead back to the menu.
class MenuPageScreen : public ORenderWindow {
public:
    static constexpr int kMenuButtonId = 100;
    static constexpr int kMenuScreenId = 201;

    explicit MenuPageScreen(int id) : ORenderWindow(id) {}

    // Adds the menu button.
    bool Build() override;
    bool OnInput(InputEvent& event) override;
    bool OnControlEvent(int controlId, int code) override;

    OTextStack* menuButton = nullptr;

protected:
    // Leaves for the menu; a page with something to finish first overrides it.
    virtual void ReturnToMenu();
};
