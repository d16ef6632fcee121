#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/RedrawRegion.h"
#include "game/StillLayer.h"
#include "ui/ORenderWindow.h"

class BlendButton;
class Board;
class BoardSnapshot;
class KvCheckBox;
class OCamera;
class OFont;
class OTexture;
class Train;

// The screen on which a game is played. Owns the board and the train,
// drives both once a frame at normal or turbo speed, feeds them the
// player's mouse input, draws the status bar, the hints panel and the
// level-complete panel with its count-up, and after a game over shows a
// picture for a while before opening the score screen. The player may pause
// (P, or the window losing the focus), start the level again (R or the
// status bar's button) and play with the keyboard: the arrow keys move a
// cell cursor, Space or Enter slides, T or Shift+Space turns.
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
        ResumeButtonId = 10006,
        RestartButtonId = 10007,
        RestartOkId = 10008,
        RestartCancelId = 10009,
    };
    // What holds the game still, apart from the hints panel.
    enum class Hold { None, Paused, RestartQuestion };
    // Virtual-key codes of the keys the game answers.
    enum Key {
        KeyEnter = 13,
        KeyEscape = 27,
        KeySpace = 32,
        KeyLeft = 37,
        KeyUp = 38,
        KeyRight = 39,
        KeyDown = 40,
        KeyPause = 'P',
        KeyRestart = 'R',
        KeyTurn = 'T',
    };
    // Controls are parked at this height, outside the virtual screen.
    static constexpr int kParkedY = 2048;
    static constexpr double kTurboFactor = 3.0;
    static constexpr int kEscapeKey = KeyEscape;
    // The train must have entered more blocks than this before a restart
    // asks first.
    static constexpr int kRestartWithoutAsking = 1;
    static constexpr float kTextScale = 0.75f;

    Game();
    ~Game() override;

    void OnEnter() override;
    void Draw() override;
    void Update(int ms) override;
    // The train, smoke and sliding blocks move on their own, unless the
    // game is held.
    bool Animating() const override;
    // The window lost the focus or was minimised: the game pauses.
    void OnWindowInactive() override;
    // The controls' hover look and the board's hover frame.
    void RefreshHover(int x, int y) override;
    bool Build() override;
    bool OnInput(InputEvent& event) override;
    bool OnControlEvent(int controlId, int code) override;

    bool HintsPanelOpen() const;
    bool LevelCompletePanelOpen() const;
    Hold GetHold() const { return hold; }
    bool IsPaused() const { return hold == Hold::Paused; }
    bool IsAskingRestart() const { return hold == Hold::RestartQuestion; }

    // Stops everything that moves and every sound, and shows the "Paused"
    // panel; nothing while another panel holds the game.
    void Pause();
    void Resume();
    // Restarts at once while the train has hardly moved, otherwise asks
    // first; only while playing.
    void RequestRestart();
    // The level as it was loaded, the train back on the start platform,
    // turbo off and the score as it was when the level began.
    void RestartLevel();
    int32_t LevelStartScore() const { return levelStartScore; }

    // The keyboard's cell cursor: shown from the first arrow key until the
    // mouse moves.
    int CursorColumn() const { return cursorColumn; }
    int CursorRow() const { return cursorRow; }
    bool CursorShown() const { return cursorShown; }
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
    BlendButton* resumeButton = nullptr;
    BlendButton* restartButton = nullptr;
    BlendButton* restartOkButton = nullptr;
    BlendButton* restartCancelButton = nullptr;
    int32_t gameOverTimer = 0;
    int32_t GameOverTime = 0;
    // Draw what stands still from the still layer (the default); off, every
    // part is drawn every frame. Both give the same picture.
    bool useStillLayer = true;
    // While the back buffer still holds an earlier frame, draw only where
    // this one can differ from it (the default); off, every frame is drawn
    // whole. Both show the same picture.
    bool usePartRedraw = true;
    // Whether the last frame was drawn by part.
    bool DrewPartFrame() const { return drewPart; }

private:
    // The status bar's texts as this frame shows them.
    struct StatusTexts {
        std::string fuel;
        std::string score;
        std::string level;
        const char* difficulty = "";
    };
    StatusTexts CurrentStatusTexts() const;
    // Everything the still layer shows, for the layer to tell whether its
    // picture is still right.
    void FillStillSignature(StillLayer::Signature& signature, const StatusTexts& texts) const;
    // The background, board, train and status bar, drawn part by part, or
    // what stands still from the still layer and the rest over it.
    void DrawPlayingField(OFont* font, const StatusTexts& texts);
    // `fromLayer`: the layer holds this frame's still parts already.
    void DrawThroughStillLayer(OFont* font, const StatusTexts& texts, bool fromLayer);
    bool ViewportFillsWindow() const;
    // Everything of a frame from the clear on; `withControls` false leaves
    // out the status bar's controls, for a box they draw nothing in.
    void DrawFrame(OFont* font, const StatusTexts& texts, bool throughLayer, bool fromLayer,
                   bool withControls = true);
    // True when this frame need only be drawn inside redrawRegion's boxes.
    // `still`: what the frame draws outside the moving things is its
    // backdrop alone.
    bool PlanPartRedraw(bool still);
    // The moving things' areas of this frame in window pixels, the status
    // bar's controls and the pointer's arrow included.
    void GatherMoving(std::vector<RedrawRegion::Box>& moving);
    // Stands for what a frame draws outside its moving things, in a drawable
    // of that size.
    uint64_t Backdrop(int drawableWidth, int drawableHeight) const;
    void CreateControls();
    void CountUpStep();
    // True when the game switched to the score screen.
    bool AdvanceGameOver(int ms);
    void StartNextLevel();
    void CloseHintsPanel();
    void SaveHintsOption();
    void LeaveGame();
    void KeepLevelStart();
    void ShowRestartQuestion();
    void ShowResumeButton();
    void CloseRestartQuestion();
    void SetStatusControlsEnabled(bool enabled);
    void TurboOff();
    void ResetCursor();
    void HoverFromPointer();
    // Input while something holds the game or a panel is open; true when the
    // event was dealt with there.
    bool OnHintsPanelInput(const InputEvent& event);
    // Escape: the menu while a game runs, the scores once it is over.
    bool OnEscape(InputEvent& event);
    bool OnHeldInput(InputEvent& event);
    // Keys of the running game: pause, restart, the cell cursor and its moves.
    bool OnPlayKey(const InputEvent& event);
    void MoveCursor(int columnStep, int rowStep);
    OFont* Font() const;

    void DrawStatusBar(OFont* font, const StatusTexts& texts);
    void DrawGameOverPicture();
    void DrawLevelCompletePanel(OFont* font);
    void DrawHintsPanel(OFont* font);
    void DrawCellCursor();
    void DrawPausePanel(OFont* font);
    void DrawRestartQuestion(OFont* font);
    static void DrawCentredPanel(const OTexture& picture, float y);
    static void DrawCentredText(OFont* font, const char* text, float y, float scale);

    // The screen's own camera for the 2D projection; the base's `camera` is
    // the application's shared one and is not ours to delete.
    std::unique_ptr<OCamera> gameCamera;
    std::unique_ptr<OTexture> statusBar;
    std::unique_ptr<OTexture> panel;
    std::unique_ptr<Board> board;
    std::unique_ptr<Train> train;
    std::unique_ptr<OTexture> gameOverPicture;
    std::unique_ptr<OTexture> questionPanel;
    std::unique_ptr<BoardSnapshot> levelStart;
    int32_t levelStartScore = 0;
    Hold hold = Hold::None;
    // The hold to go back to when the restart question is answered "no".
    Hold holdBeforeQuestion = Hold::None;
    int cursorColumn = 0;
    int cursorRow = 0;
    bool cursorShown = false;
    StillLayer stillLayer;
    // Kept between frames so gathering it allocates nothing.
    StillLayer::Signature stillSignature;
    // Counts the layer's captures: each is a new backdrop.
    uint64_t layerCaptures = 0;
    RedrawRegion redrawRegion;
    RedrawRegion::Frame redrawFrame;
    std::vector<RedrawRegion::Area> movingAreas;
    // Where the status bar's controls draw, in window pixels (GatherMoving).
    RedrawRegion::Box controlsBox;
    bool drewPart = false;
};
