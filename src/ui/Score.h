#pragma once

#include <string>

#include "ui/MenuPageScreen.h"

class OTextField;

// The high-score table (screen 209). Reached from the menu it only shows the
// table; reached at the end of a game it ends that game and, when the score
// qualifies, takes the player's name before entering the score.
class Score : public MenuPageScreen {
public:
    static constexpr int kNameFieldId = 103;
    static constexpr const char* kUnknownPlayer = "Unknown Player";

    explicit Score(int id = 209) : MenuPageScreen(id) {}

    bool Build() override;
    void OnEnter() override;
    void OnLeave() override;
    void Draw() override;
    bool OnControlEvent(int controlId, int code) override;

    // Enters the pending score once under the typed name (or "Unknown
    // Player" when the field is blank); nothing when none is pending.
    void CommitScore();
    static const char* DifficultyText(int level);

    OTextField* nameField = nullptr;
    std::string lastName;
    int pendingScore = 0;

protected:
    // Enters the pending score on the way out.
    void ReturnToMenu() override;

private:
    void OfferScore();
    void DropNameField();
    void DrawTable();
};
