#pragma once

#include "ui/MenuPageScreen.h"

// The rules page (screen 208) with a button back to the menu.
class Help : public MenuPageScreen {
public:
    explicit Help(int id = 208) : MenuPageScreen(id) {}

    void OnEnter() override {
        MenuPageScreen::OnEnter();
        page = 1;
    }
    void Draw() override;

    int page = 1;
};
