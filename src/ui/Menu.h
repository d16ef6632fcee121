#pragma once

#include <array>
#include <vector>

#include "ui/KeyboardNavigator.h"
#include "ui/ORenderWindow.h"

class OTextStack;

// The main menu (screen 201): seven picture buttons that start or resume a
// game and lead to the other screens, and the "End current game?"
// confirmation shown before a running game is replaced. Up, Down and Tab
// move between the buttons, Enter presses one, Escape answers the
// confirmation "no".
class Menu : public ORenderWindow {
public:
    enum ControlId {
        ExitId = 100,
        OptionsId = 101,
        CreditsId = 102,
        ContinueId = 104,
        HelpId = 105,
        ScoreId = 107,
        NewGameId = 110,
        ConfirmOkId = 1234,
        ConfirmCancelId = 1235,
    };
    static constexpr int kParkedY = 2048;

    explicit Menu(int id = 201) : ORenderWindow(id) {}

    bool Build() override;
    void OnEnter() override;
    void Draw() override;
    bool OnInput(InputEvent& event) override;
    bool OnControlEvent(int controlId, int code) override;

    void StartNewGame();
    void ShowConfirmation();
    void HideConfirmation();
    void DeleteGame();

    bool IsConfirming() const;

    OTextStack* okButton = nullptr;
    OTextStack* cancelButton = nullptr;
    std::array<OTextStack*, 7> menuButtons{};
    KeyboardNavigator keyboard;

private:
    // The buttons the keyboard reaches now, top to bottom (left to right on
    // the confirmation).
    std::vector<OControl*> KeyboardStops() const;
    OTextStack* MakeButton(int controlId, const char* picture, float scale);
    void DrawConfirmation();
};
