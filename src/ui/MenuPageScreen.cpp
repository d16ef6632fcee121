#include "ui/MenuPageScreen.h"

#include "app/OApplication.h"
#include "ui/OTextStack.h"

bool MenuPageScreen::Build() {
    menuButton = new OTextStack(Font(), kMenuButtonId, false, 1.5f);
    menuButton->SetImage("Buttons/Menu.Tga");
    menuButton->AddItem("", 0);
    menuButton->SetPosition(600, 115);
    AddControl(menuButton);
    return true;
}

bool MenuPageScreen::OnInput(InputEvent& event) {
    if (ORenderWindow::OnInput(event)) {
        return true;
    }
    if (event.type == EventKeyDown && event.key == 27) {
        ReturnToMenu();
        return true;
    }
    return menuButton != nullptr && keyboard.OnKey(*this, event, {menuButton});
}

bool MenuPageScreen::OnControlEvent(int controlId, int code) {
    (void)code;
    if (controlId != kMenuButtonId) {
        return false;
    }
    ReturnToMenu();
    return true;
}

void MenuPageScreen::ReturnToMenu() {
    if (application != nullptr) {
        application->SetScreen(kMenuScreenId);
    }
}
