#include "ui/Menu.h"

#include <GL/gl.h>

#include "app/OApplication.h"
#include "render/OFont.h"
#include "sound/OMusicPlayer.h"
#include "sound/OSoundSystem.h"
#include "ui/OControlPainter.h"
#include "ui/OTextStack.h"
#include "ui/RunningGame.h"
#include "ui/ScreenDecor.h"

namespace {

struct MenuButton {
    const char* picture;
    int id;
    int row;
};

// Top to bottom; rows are 21 units apart, y = 595 - 21 x row.
constexpr MenuButton kButtons[] = {
    {"Buttons/Continue.Tga", Menu::ContinueId, 9}, {"Buttons/NewGame.Tga", Menu::NewGameId, 11},
    {"Buttons/Options.Tga", Menu::OptionsId, 13},  {"Buttons/Score.Tga", Menu::ScoreId, 15},
    {"Buttons/Help.Tga", Menu::HelpId, 17},        {"Buttons/Credits.Tga", Menu::CreditsId, 19},
    {"Buttons/Exit.Tga", Menu::ExitId, 21},
};

constexpr const char* kConfirmText = "End current game?";

}  // namespace

OTextStack* Menu::MakeButton(int controlId, const char* picture, float scale) {
    auto* button = new OTextStack(application != nullptr ? application->GetFont() : nullptr,
                                  controlId, false, scale);
    button->SetImage(picture);
    button->AddItem("", 0);
    return button;
}

bool Menu::Build() {
    cancelButton = MakeButton(ConfirmCancelId, "Buttons/Cancel.Tga", 1.0f);
    okButton = MakeButton(ConfirmOkId, "Buttons/Ok.Tga", 1.0f);
    for (OTextStack* button : {cancelButton, okButton}) {
        button->hidden = 1;
        button->SetPosition(400, kParkedY);
        AddControl(button);
    }
    size_t index = 0;
    for (const MenuButton& entry : kButtons) {
        OTextStack* button = MakeButton(entry.id, entry.picture, 1.5f);
        button->SelectKey(0);
        button->SetPosition(400 - button->width / 2, 595 - 21 * entry.row);
        AddControl(button);
        menuButtons[index++] = button;
    }
    return true;
}

void Menu::OnEnter() {
    keyboard.Reset();
    for (OTextStack* button : {cancelButton, okButton}) {
        button->hidden = 1;
        button->SetPosition(0, kParkedY);
    }
    for (OTextStack* button : menuButtons) {
        button->enabled = 1;
    }
    OSoundSystem& sound = OSoundSystem::Instance();
    sound.PauseAllSounds(true);
    sound.SelectMusic(0);
    if (sound.IsMusicEnabled() && sound.GetCurrentMusic() != nullptr) {
        sound.GetCurrentMusic()->Resume();
    }
}

bool Menu::IsConfirming() const {
    return cancelButton != nullptr && cancelButton->hidden == 0;
}

void Menu::ShowConfirmation() {
    okButton->hidden = 0;
    cancelButton->hidden = 0;
    // Where DrawConfirmation keeps them, so they take clicks and keys at once.
    okButton->SetPosition(515, 265);
    cancelButton->SetPosition(220, 265);
    for (OTextStack* button : menuButtons) {
        button->enabled = 0;
    }
}

void Menu::HideConfirmation() {
    cancelButton->SetPosition(400, kParkedY);
    okButton->SetPosition(200, kParkedY);
    cancelButton->hidden = 1;
    okButton->hidden = 1;
    for (OTextStack* button : menuButtons) {
        button->enabled = 1;
    }
}

void Menu::StartNewGame() {
    if (RunningGame::Exists()) {
        DeleteGame();
    }
    // The shell's pictures are not seen while a game runs; they are read
    // again on the way back.
    ParkPictures();
    RunningGame::Start(application);
}

void Menu::DeleteGame() {
    RunningGame::Discard(application);
}

bool Menu::OnControlEvent(int controlId, int code) {
    (void)code;
    switch (controlId) {
        case ExitId:
            if (application != nullptr) {
                application->PostQuit(0);
            }
            return true;
        case OptionsId:
            application->SetScreen(204);
            return true;
        case CreditsId:
            application->SetScreen(205);
            return true;
        case HelpId:
            application->SetScreen(208);
            return true;
        case ScoreId:
            application->SetScreen(209);
            return true;
        case ContinueId:
            if (RunningGame::Exists()) {
                ParkPictures();
                application->SetScreen(RunningGame::kGameScreenId);
            }
            return true;
        case NewGameId:
            if (RunningGame::Exists()) {
                ShowConfirmation();
            } else {
                StartNewGame();
            }
            return true;
        case ConfirmOkId:
            HideConfirmation();
            StartNewGame();
            return true;
        case ConfirmCancelId:
            HideConfirmation();
            return true;
        default:
            return false;
    }
}

bool Menu::OnInput(InputEvent& event) {
    if (ORenderWindow::OnInput(event)) {
        return true;
    }
    if (event.type == EventKeyDown && event.key == 27 && IsConfirming()) {
        HideConfirmation();
        return true;
    }
    return keyboard.OnKey(*this, event, KeyboardStops());
}

std::vector<OControl*> Menu::KeyboardStops() const {
    if (IsConfirming()) {
        return {cancelButton, okButton};
    }
    std::vector<OControl*> stops;
    for (OTextStack* button : menuButtons) {
        // Continue leads nowhere without a game.
        if (button->id != ContinueId || RunningGame::Exists()) {
            stops.push_back(button);
        }
    }
    return stops;
}

void Menu::Draw() {
    if (IsConfirming()) {
        // Only the question and its own two buttons show; the menu's buttons
        // would stick out around the panel.
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawBackground();
        ScreenDecor::DrawStartupLogo();
        ScreenDecor::DrawSmallLogo(logo);
        ScreenDecor::DrawVeil(0.45f);
        DrawConfirmation();
    } else {
        DrawCleared();
        ScreenDecor::DrawStartupLogo();
        ScreenDecor::DrawSmallLogo(logo);
    }
    glDisable(GL_BLEND);
}

void Menu::DrawConfirmation() {
    ScreenDecor::DrawQuestion(overlay, 201.0f, 251.0f, Font(), kConfirmText);
    okButton->SetPosition(515, 265);
    cancelButton->SetPosition(220, 265);
    okButton->Draw();
    cancelButton->Draw();
}
