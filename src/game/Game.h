#pragma once

#include <cstdint>
#include <memory>

#include "ui/ORenderWindow.h"

class BlendButton;
class Board;
class KvCheckBox;
class OCamera;
class OFont;
class OTexture;
class Train;

// The screen on which a game is played. Owns the board and the train,
// drives both once a frame at normal or turbo speed, feeds them the
// player's mouse input, draws the status bar, the hints panel and the
// level-complete panel with its count-up, and after a game over shows a
// picture for a while before opening the score screen.
class Game : public ORenderWindow {
public:
    static constexpr int kScreenId = 202;
    static constexpr int kMenuScreenId = 201;
    static constexpr int kScoreScreenId = 209;
    enum ControlId {
        MenuButtonId = 10000,
        TurboCheckId = 10001,
        NextLevelButtonId = 10002,
        OkButtonId = 10004,
        HintsCheckId = 10005,
    };
    // Controls are parked at this height, outside the virtual screen.
    static constexpr int kParkedY = 2048;
    static constexpr double kTurboFactor = 3.0;
    static constexpr int kEscapeKey = 27;
    static constexpr float kTextScale = 0.75f;

    Game();
    ~Game() override;

    void OnEnter() override;
    void Draw() override;
    void Update(int ms) override;
    // The train, smoke and sliding blocks move on their own.
    bool Animating() const override { return true; }
    bool Build() override;
    bool OnInput(InputEvent& event) override;
    bool OnControlEvent(int controlId, int code) override;

    bool HintsPanelOpen() const;
    bool LevelCompletePanelOpen() const;
    // Moves the controls of the open panels to where the panels show them
    // (Draw does this every frame).
    void PlacePanelControls();

    Board& GetBoard() { return *board; }
    Train& GetTrain() { return *train; }
    OCamera* GetGameCamera() const { return gameCamera.get(); }

    BlendButton* menuButton = nullptr;
    KvCheckBox* turboCheck = nullptr;
    double speedFactor = 1.0;
    int32_t levelPoints = 0;
    BlendButton* nextLevelButton = nullptr;
    BlendButton* okButton = nullptr;
    KvCheckBox* hintsCheck = nullptr;
    int32_t gameOverTimer = 0;
    int32_t GameOverTime = 0;

private:
    void CreateControls();
    void CountUpStep();
    // True when the game switched to the score screen.
    bool AdvanceGameOver(int ms);
    void StartNextLevel();
    void CloseHintsPanel();
    void SaveHintsOption();
    void LeaveGame();
    OFont* Font() const;

    void DrawStatusBar(OFont* font);
    void DrawGameOverPicture();
    void DrawLevelCompletePanel(OFont* font);
    void DrawHintsPanel(OFont* font);
    static void DrawCentredPanel(const OTexture& picture, float y);

    // The screen's own camera for the 2D projection; the base's `camera` is
    // the application's shared one and is not ours to delete.
    std::unique_ptr<OCamera> gameCamera;
    std::unique_ptr<OTexture> statusBar;
    std::unique_ptr<OTexture> panel;
    std::unique_ptr<Board> board;
    std::unique_ptr<Train> train;
    std::unique_ptr<OTexture> gameOverPicture;
};
