#include "game/Game.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "app/OApplication.h"
#include "data/Scrambler.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameValues.h"
#include "game/HVExplosion.h"
#include "game/Train.h"
#include "sound/OSoundSystem.h"
#include "support/GameTestData.h"
#include "ui/BlendButton.h"
#include "ui/KvCheckBox.h"

namespace {

// Takes the place of the menu and the score screen: counts its entries.
class StandInScreen : public ORenderWindow {
public:
    explicit StandInScreen(int id) : ORenderWindow(id) {}
    void OnEnter() override { ++entered; }
    int entered = 0;
};

InputEvent Mouse(int type, int x, int y, int button = 0) {
    InputEvent event;
    event.type = type;
    event.button = button;
    event.x = static_cast<int16_t>(x);
    event.y = static_cast<int16_t>(y);
    return event;
}

InputEvent Key(int key) {
    InputEvent event;
    event.type = EventKeyDown;
    event.key = static_cast<uint16_t>(key);
    return event;
}

// A mouse event over a point of the board (virtual y up, window y down).
InputEvent MouseAt(int type, const OVector3& at) {
    return Mouse(type, static_cast<int>(at.x), 600 - static_cast<int>(at.y));
}

bool Send(ORenderWindow& screen, InputEvent event) {
    return screen.OnInput(event);
}

class GameScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        SystemOptions.Hints = 0;
        SystemOptions.DifficultyLevel = 1;
        SystemOptions.BeginLevel = 5;
    }
    void TearDown() override { app.OnQuit(); }

    // The menu's way of starting a game, with a stand-in menu and score
    // screen; the client is 800 x 600, so window and virtual x agree.
    Game& StartGame() {
        data.Write();
        menu = new StandInScreen(Game::kMenuScreenId);
        scoreScreen = new StandInScreen(Game::kScoreScreenId);
        app.AddScreen(menu);
        app.AddScreen(scoreScreen);
        game = new Game();
        game->LoadPictures("GB.Tga", "LCompl.Tga");
        EXPECT_TRUE(app.AddScreen(game));
        game->SetClientSize(800, 600);
        EXPECT_TRUE(app.SetScreen(Game::kScreenId));
        return *game;
    }

    // A left click (press and release) at a virtual-screen point.
    void Click(float vx, float vy) {
        Send(*game, MouseAt(EventMouseDown, OVector3(vx, vy, 0.0f)));
        Send(*game, MouseAt(EventMouseUp, OVector3(vx, vy, 0.0f)));
    }
    void ClickCentreOf(const BlendButton& button) { Click(button.x, button.y); }
    void ClickCentreOf(const KvCheckBox& box) {
        Click(box.x + box.width / 2.0f, box.y + box.height / 2.0f);
    }

    // Puts the game at the end of a level with the given bonus and fuel.
    void CompleteLevel(int bonus, double fuel) {
        GameState = StateLevelComplete;
        game->GetTrain().bonus = bonus;
        game->GetTrain().fuel = fuel;
    }

    GameTestData data;
    OApplication app;
    StandInScreen* menu = nullptr;
    StandInScreen* scoreScreen = nullptr;
    Game* game = nullptr;
};

TEST_F(GameScreenTest, ANewGameStartsPlayingWithScoreZeroAndOnlyTheMenuButtonAndTurboShown) {
    score = 1234;
    GameState = StateGameOver;
    GameEndMark = StateGameOver;
    Game& g = StartGame();
    EXPECT_EQ(score, 0);
    EXPECT_EQ(GameState, StatePlaying);
    EXPECT_EQ(GameEndMark, EndMarkRunning);
    EXPECT_EQ(app.GetCurrentScreen(), &g);
    EXPECT_EQ(g.GetBoard().levelNumber, 5);
    EXPECT_EQ(g.GameOverTime, 3000);
    EXPECT_FALSE(g.HintsPanelOpen());
    EXPECT_FALSE(g.LevelCompletePanelOpen());
    EXPECT_EQ(g.nextLevelButton->y, Game::kParkedY);
    EXPECT_EQ(g.menuButton->hidden, 0);
    EXPECT_EQ(g.turboCheck->checked, 0);
    EXPECT_DOUBLE_EQ(g.speedFactor, 1.0);
    EXPECT_NE(g.GetGameCamera(), nullptr);
    EXPECT_EQ(g.camera, app.GetCamera()) << "the shared camera stays the application's";
}

TEST_F(GameScreenTest, CountUpAddsBonusInThreesAndFuelInOnesOneStepAFrame) {
    Game& g = StartGame();
    CompleteLevel(685, 40.0);
    const int frameTimes[] = {1, 16, 50, 33};
    int frames = 0;
    while (g.GetTrain().bonus > 0 || g.GetTrain().fuel > 0.0) {
        g.Update(frameTimes[frames % 4]);
        ++frames;
        ASSERT_LT(frames, 1000);
        if (frames == 1) {
            EXPECT_TRUE(g.LevelCompletePanelOpen()) << "the panel opens with the first step";
            EXPECT_EQ(score, 4);
        }
    }
    EXPECT_EQ(frames, 229) << "the frame time does not matter, only the number of frames";
    EXPECT_EQ(score, 684 + 40) << "the last remainder of the bonus is dropped";
    EXPECT_EQ(g.levelPoints, 724);
    g.Update(16);
    EXPECT_EQ(score, 724) << "nothing more once both are used up";
    EXPECT_EQ(GameState, StateLevelComplete);
}

TEST_F(GameScreenTest, NextLevelRightAfterTheFirstStepPaysTheWholeBonusButNotTheFuel) {
    Game& g = StartGame();
    const int level = g.GetBoard().levelNumber;
    g.turboCheck->checked = 1;
    g.OnControlEvent(Game::TurboCheckId, 1);
    CompleteLevel(685, 40.0);
    g.Update(16);
    ASSERT_TRUE(g.LevelCompletePanelOpen());

    g.PlacePanelControls();
    ClickCentreOf(*g.nextLevelButton);
    EXPECT_EQ(score, 685 + 1);
    EXPECT_EQ(g.levelPoints, 0);
    EXPECT_EQ(g.GetTrain().bonus, 0);
    EXPECT_EQ(GameState, StatePlaying);
    EXPECT_EQ(g.GetBoard().levelNumber, level + 1) << "the next level is loaded";
    EXPECT_DOUBLE_EQ(g.GetTrain().fuel, Train::kFullTank) << "the train starts again full";
    EXPECT_EQ(g.GetTrain().column, 0);
    EXPECT_EQ(g.GetTrain().row, g.GetBoard().boardHeight - 1);
    EXPECT_EQ(g.turboCheck->checked, 0) << "turbo is switched off for the new level";
    EXPECT_DOUBLE_EQ(g.speedFactor, 1.0);
    EXPECT_FALSE(g.LevelCompletePanelOpen());
    EXPECT_EQ(g.nextLevelButton->y, Game::kParkedY);

    const int scoreAfter = score;
    g.Update(16);
    EXPECT_EQ(score, scoreAfter) << "no count-up while playing";
}

TEST_F(GameScreenTest, TurboTriplesTheFuelBurnAndTheSlides) {
    Game& g = StartGame();
    Train& train = g.GetTrain();
    double before = train.fuel;
    g.Update(20);
    const double normalBurn = before - train.fuel;
    ASSERT_GT(normalBurn, 0.0);

    // Tick the box the way the player does.
    ClickCentreOf(*g.turboCheck);
    ASSERT_EQ(g.turboCheck->checked, 1);
    EXPECT_DOUBLE_EQ(g.speedFactor, 3.0);
    before = train.fuel;
    g.Update(20);
    EXPECT_NEAR(before - train.fuel, 3.0 * normalBurn, 1e-6);

    // Slide the block right of the hole (1, 0) into it.
    Board& board = g.GetBoard();
    const OVector3 start = board.Cell(2, 0).position;
    Send(g, MouseAt(EventMouseDown, start));
    ASSERT_TRUE(board.Cell(2, 0).IsSliding());
    g.Update(10);
    EXPECT_FLOAT_EQ(start.x - board.Cell(2, 0).position.x, 3.0f * 10 * Board::kSlideSpeed);

    ClickCentreOf(*g.turboCheck);
    EXPECT_DOUBLE_EQ(g.speedFactor, 1.0);
}

TEST_F(GameScreenTest, OpenHintsPanelFreezesTheGameAndTakesNoBoardClicks) {
    SystemOptions.Hints = 1;
    Game& g = StartGame();
    ASSERT_TRUE(g.HintsPanelOpen());
    Train& train = g.GetTrain();
    const OVector3 position = train.position;
    const double fuel = train.fuel;
    const int puffs = train.Smoke().GetCount();
    for (int i = 0; i < 50; ++i) {
        g.Update(50);
    }
    EXPECT_EQ(train.position.x, position.x);
    EXPECT_EQ(train.position.y, position.y);
    EXPECT_EQ(train.fuel, fuel);
    EXPECT_EQ(train.Smoke().GetCount(), puffs) << "the smoke is paused too";

    Board& board = g.GetBoard();
    const OVector3 block = board.Cell(2, 0).position;
    InputEvent move = MouseAt(EventMouseMove, block);
    EXPECT_FALSE(g.OnInput(move));
    InputEvent press = MouseAt(EventMouseDown, block);
    EXPECT_FALSE(g.OnInput(press));
    EXPECT_FALSE(board.Cell(2, 0).hovered);
    EXPECT_FALSE(board.Cell(2, 0).IsSliding());

    g.PlacePanelControls();
    ClickCentreOf(*g.okButton);
    EXPECT_FALSE(g.HintsPanelOpen());
    EXPECT_EQ(g.okButton->y, Game::kParkedY);
    EXPECT_EQ(g.hintsCheck->hidden, 1);
    g.OnInput(move);
    g.OnInput(press);
    EXPECT_TRUE(board.Cell(2, 0).hovered);
    EXPECT_TRUE(board.Cell(2, 0).IsSliding())
        << "the same click moves the block once the panel is gone";
    g.Update(50);
    EXPECT_LT(train.fuel, fuel);
}

TEST_F(GameScreenTest, UntickingShowHintsSavesTheOptionAndOkKeepsIt) {
    SystemOptions.Hints = 1;
    Game& g = StartGame();
    ASSERT_TRUE(g.HintsPanelOpen());
    ASSERT_EQ(g.hintsCheck->checked, 1) << "ticked while the option is on";
    g.PlacePanelControls();
    ClickCentreOf(*g.hintsCheck);
    EXPECT_EQ(g.hintsCheck->checked, 0);
    EXPECT_EQ(SystemOptions.Hints, 0);
    EXPECT_TRUE(g.HintsPanelOpen()) << "only OK closes the panel";

    ResetSystemOptions();
    ASSERT_TRUE(LoadSystemOptions()) << "the option was saved to " << data.OptionsFile();
    EXPECT_EQ(SystemOptions.Hints, 0);

    SystemOptions.Hints = 1;
    ClickCentreOf(*g.okButton);
    EXPECT_EQ(SystemOptions.Hints, 0) << "OK takes the box's state";
    EXPECT_FALSE(g.HintsPanelOpen());

    app.SetScreen(Game::kMenuScreenId);
    app.SetScreen(Game::kScreenId);
    EXPECT_FALSE(g.HintsPanelOpen()) << "the panel stays closed with the option off";
}

TEST_F(GameScreenTest, OnlyTheHintsBoxCarriesTheInterfaceSounds) {
    Game& g = StartGame();
    EXPECT_EQ(g.hintsCheck->overSound, 1);
    EXPECT_EQ(g.hintsCheck->clickSound, 2);
    for (const OControl* control : g.controls) {
        if (control != g.hintsCheck) {
            EXPECT_EQ(control->overSound, 0) << "control " << control->id;
            EXPECT_EQ(control->clickSound, 0) << "control " << control->id;
        }
    }
    // Pressing the silent buttons plays nothing.
    OSoundSystem::Instance().ClearPlayedIds();
    ClickCentreOf(*g.turboCheck);
    ClickCentreOf(*g.menuButton);
    EXPECT_TRUE(OSoundSystem::Instance().PlayedIds().empty());
}

TEST_F(GameScreenTest, EscapeGoesToTheMenuWhilePlayingAndToTheScoresAfterTheGame) {
    Game& g = StartGame();
    EXPECT_TRUE(Send(g, Key(Game::kEscapeKey)));
    EXPECT_EQ(app.GetCurrentScreen(), menu);
    EXPECT_EQ(GameState, StatePlaying) << "the game waits in the background";
    EXPECT_EQ(scoreScreen->entered, 0);

    app.SetScreen(Game::kScreenId);
    GameState = StateGameOver;
    InputEvent escapeAgain = Key(Game::kEscapeKey);
    EXPECT_TRUE(g.OnInput(escapeAgain));
    EXPECT_EQ(app.GetCurrentScreen(), scoreScreen);
    EXPECT_EQ(escapeAgain.type, EventNone) << "the key is used up";
    EXPECT_EQ(escapeAgain.key, 0);

    // The menu button follows the same rule.
    app.SetScreen(Game::kScreenId);
    GameState = StatePlaying;
    g.OnControlEvent(Game::MenuButtonId, 0);
    EXPECT_EQ(app.GetCurrentScreen(), menu);
    app.SetScreen(Game::kScreenId);
    GameEndMark = StateGameOver;
    g.OnControlEvent(Game::MenuButtonId, 0);
    EXPECT_EQ(app.GetCurrentScreen(), scoreScreen);
}

TEST_F(GameScreenTest, GameOverPictureStaysForGameOverTimeThenTheScoresOpen) {
    Game& g = StartGame();
    ASSERT_EQ(g.GameOverTime, 3000);
    GameState = StateGameOver;
    for (int i = 0; i < 3; ++i) {
        g.Update(1000);
    }
    EXPECT_EQ(app.GetCurrentScreen(), &g) << "exactly 3000 ms is not yet more than 3000";
    EXPECT_EQ(GameEndMark, EndMarkRunning);
    g.Update(1);
    EXPECT_EQ(app.GetCurrentScreen(), scoreScreen);
    EXPECT_EQ(GameEndMark, StateGameOver);
    EXPECT_EQ(g.gameOverTimer, 0);
}

TEST_F(GameScreenTest, GameOverTimeZeroOpensTheScoresOnTheFirstNonZeroFrame) {
    data.SetText("Data/Game.Cfg",
                 std::regex_replace(GameTestData::Asset("Game.Cfg"),
                                    std::regex("GameOverTime = [0-9]+"), "GameOverTime = 0"));
    Game& g = StartGame();
    ASSERT_EQ(g.GameOverTime, 0);
    GameState = StateGameOver;
    g.Update(0);
    EXPECT_EQ(app.GetCurrentScreen(), &g);
    g.Update(1);
    EXPECT_EQ(app.GetCurrentScreen(), scoreScreen);
}

TEST_F(GameScreenTest, HoverFollowsThePointerInEveryStateButNotOnEmptyCells) {
    Game& g = StartGame();
    Board& board = g.GetBoard();
    const int states[] = {StatePlaying, StateLevelComplete, StateGameOver};
    for (int state : states) {
        GameState = state;
        const OVector3 block = board.Cell(3, 2).position;
        Send(g, MouseAt(EventMouseMove, block));
        EXPECT_TRUE(board.Cell(3, 2).hovered) << "state " << state;
        const OVector3 hole = board.Cell(1, 0).position;
        Send(g, MouseAt(EventMouseMove, hole));
        EXPECT_FALSE(board.Cell(3, 2).hovered);
        EXPECT_FALSE(board.Cell(1, 0).hovered) << "the hole is never framed";
    }
    // A key press has no pointer position and leaves the frame where it is.
    const OVector3 block = board.Cell(3, 2).position;
    Send(g, MouseAt(EventMouseMove, block));
    Send(g, Key('A'));
    EXPECT_TRUE(board.Cell(3, 2).hovered);
}

// An options file that lost its first or last half, or holds values no
// screen would write, still starts a game: BeginLevel below 1 starts at level
// 1, one beyond any count at the highest, and the record keeps what the file
// says (the file is not rewritten).
TEST_F(GameScreenTest, DamagedOptionsStillStartAGameAtAValidLevel) {
    struct Case {
        const char* what;
        const char* text;
        int level;
    };
    const Case cases[] = {
        {"second half of a file, no BeginLevel",
         "ic=1\nMusicVolume=50\nScreenRes=1\nSelectEffect=0\nShadowDetail=1\nSkinIndex=0\n"
         "Sound=1\nSoundVolume=150\nWaterDetail=1\n",
         1},
        {"first half of a file",
         "Background=0\nBeginLevel=5\nColorDepth=32\nDifficultyLevel=1\nEffects=2\n"
         "FullScreen=0\nHints=1\nLighting=0\nModelDetail=1\n",
         5},
        {"BeginLevel 0", "BeginLevel=0\n", 1},
        {"BeginLevel below 0 at a difficulty below Easy", "BeginLevel=-40\nDifficultyLevel=-3\n",
         1},
        {"BeginLevel 3 without a final line feed", "BeginLevel=3\nDifficultyLevel=2", 3},
        {"values beyond every range",
         "BeginLevel=2147483647\nDifficultyLevel=9\nSoundVolume=-5\nMusicVolume=999\n",
         kMaxBeginLevel},
    };
    data.Write();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string stored = c.text;
        Scrambler::Config(reinterpret_cast<uint8_t*>(stored.data()), stored.size());
        TempDir::Write(data.OptionsFile(), stored);
        LoadSystemOptions();
        Game game;
        EXPECT_EQ(GameState, StatePlaying);
        const Board& board = game.GetBoard();
        EXPECT_EQ(board.levelNumber, c.level);
        EXPECT_GE(board.boardWidth, Board::kMinLevelSide);
        EXPECT_LE(board.boardWidth, Board::kMaxCells);
        EXPECT_NE(board.Cell(0, board.boardHeight - 1).block, nullptr) << "the start platform";
        EXPECT_EQ(TempDir::Read(data.OptionsFile()), stored);
    }
}

}  // namespace
