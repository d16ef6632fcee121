#pragma once

#include "ui/ORenderWindow.h"

class OTextStack;

// The rules page (screen 208) with a button back to the menu.
class Help : public ORenderWindow {
public:
    static constexpr int kMenuButtonId = 100;

    explicit Help(int id = 208) : ORenderWindow(id) {}

    bool Build() override;
    void OnEnter() override { page = 1; }
    void Draw() override;
    bool OnInput(InputEvent& event) override;
    bool OnControlEvent(int controlId, int code) override;

    OTextStack* menuButton = nullptr;
    int page = 1;
};
