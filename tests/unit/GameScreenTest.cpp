#include "game/Game.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <utility>

#include "PuzzleWorld.h"
#include "app/OApplication.h"
#include "data/Scrambler.h"
#include "game/HVExplosion.h"
#include "ui/BlendButton.h"
#include "ui/KvCheckBox.h"

namespace {

const auto Layout = &PuzzleWorld::Layout;

InputEvent Key(int key, int state = 0) {
    return {EventKeyDown, 0, uint16_t(state), uint16_t(key)};
}

// A mouse event over a point of the board (virtual y up, window y down).
InputEvent MouseAt(int type, const OVector3& at, int button = 0) {
    return {type, button, 0, 0, int16_t(at.x), int16_t(600 - at.y)};
}

bool Send(ORenderWindow& screen, InputEvent event) {
    return screen.OnInput(event);
}

// Everything of a game that moves or counts with time, as one text.
std::string Motion(Game& g, bool withSmoke = true) {
    std::ostringstream out;
    Train& t = g.GetTrain();
    out << t.position.x << ',' << t.position.y << " p" << t.progress << " f" << t.fuel << " w"
        << t.wait << " b" << t.bonus << " c" << t.cellsEntered << " frame" << t.spriteFrame;
    for (int i = 0; withSmoke && i < t.Smoke().GetCount(); ++i) {
        const SmokeParticle& puff = t.Smoke().Particle(i);
        out << " s" << puff.life << ',' << puff.halfSize << ',' << puff.colour[3];
    }
    const Board& board = g.GetBoard();
    for (int c = 0; c < board.boardWidth; ++c) {
        for (int r = 0; r < board.boardHeight; ++r) {
            const BoardCell& cell = board.Cell(c, r);
            out << " [" << (cell.block ? cell.block->kind : -1) << ' ' << cell.item << ' '
                << cell.position.x << ',' << cell.position.y << (cell.hovered ? " h]" : "]");
        }
    }
    out << " score" << score << " state" << GameState << " over" << g.gameOverTimer << " points"
        << g.levelPoints;
    return out.str();
}

// What a restart brings back: the level as laid out and all that moves or
// counts as at its start (the smoke aside: a restart clears it), turbo off
// and nothing holding the game.
std::string LevelStart(Game& g) {
    return Layout(g.GetBoard()) + ' ' + Motion(g, false) + " turbo " +
           std::to_string(g.turboCheck->checked) + ' ' + std::to_string(g.speedFactor) +
           " sliding " + std::to_string(g.GetBoard().AnyBlockSliding()) + " held " +
           std::to_string(g.IsPaused()) + std::to_string(g.IsAskingRestart());
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
        menu = new ORenderWindow(Game::kMenuScreenId);
        scoreScreen = new ORenderWindow(Game::kScoreScreenId);
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
        for (int type : {EventMouseDown, EventMouseUp}) {
            Send(*game, MouseAt(type, OVector3(vx, vy, 0.0f)));
        }
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

    GameTestData data{true};  // no test here looks at the pictures
    OApplication app;
    ORenderWindow* menu = nullptr;  // stand-ins for the menu and the score screen
    ORenderWindow* scoreScreen = nullptr;
    Game* game = nullptr;
};

TEST_F(GameScreenTest, CountUpPaysOneStepAFrameAndNextLevelTheRestOfTheBonusButNotTheFuel) {
    Game& g = StartGame();
    const int level = g.GetBoard().levelNumber;
    CompleteLevel(685, 40.0);
    const int frameTimes[] = {1, 16, 50, 33};
    int frames = 0;
    while (g.GetTrain().bonus > 0 || g.GetTrain().fuel > 0.0) {
        g.Update(frameTimes[frames % 4]);
        ASSERT_LT(++frames, 1000);
        if (frames == 1) {
            EXPECT_TRUE(g.LevelCompletePanelOpen()) << "the panel opens with the first step";
            EXPECT_EQ(score, 3 + 1) << "bonus in threes, fuel in ones";
        }
    }
    EXPECT_EQ(frames, 229) << "the frame time does not matter, only the number of frames";
    EXPECT_EQ(score, 684 + 40) << "the last remainder of the bonus is dropped";
    EXPECT_EQ(g.levelPoints, 724);
    g.Update(16);
    EXPECT_EQ(score, 724) << "nothing more once both are used up";
    EXPECT_EQ(GameState, StateLevelComplete);

    g.turboCheck->checked = 1;
    g.OnControlEvent(Game::TurboCheckId, 1);
    CompleteLevel(685, 40.0);
    g.Update(16);
    g.PlacePanelControls();
    ClickCentreOf(*g.nextLevelButton);
    EXPECT_EQ(score, 724 + 685 + 1);
    EXPECT_EQ(g.levelPoints, 0);
    EXPECT_EQ(g.GetTrain().bonus, 0);
    EXPECT_EQ(g.GetBoard().levelNumber, level + 1) << "the next level is loaded";
    EXPECT_DOUBLE_EQ(g.GetTrain().fuel, Train::kFullTank) << "the train starts again full";
    EXPECT_EQ(g.GetTrain().row * 100 + g.GetTrain().column, (g.GetBoard().boardHeight - 1) * 100);
    EXPECT_EQ(g.turboCheck->checked, 0) << "turbo is switched off for the new level";
    EXPECT_DOUBLE_EQ(g.speedFactor, 1.0);
    EXPECT_EQ(g.nextLevelButton->y, Game::kParkedY) << "the panel is gone";
    g.Update(16);
    EXPECT_EQ(score, 724 + 686) << "no count-up while playing";
}

// A new game after a finished one plays from score 0 with the panels parked
// and turbo off; turbo then triples the fuel burn and the slides.
TEST_F(GameScreenTest, ANewGameStartsPlayingAtScoreZeroAndTurboTriplesTheFuelBurnAndTheSlides) {
    score = 1234;
    GameState = StateGameOver;
    GameEndMark = StateGameOver;
    Game& g = StartGame();
    EXPECT_EQ(GameEndMark, EndMarkRunning);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(g.nextLevelButton->y, Game::kParkedY);
    EXPECT_EQ(g.menuButton->hidden, 0);
    EXPECT_NE(g.GetGameCamera(), nullptr);
    EXPECT_EQ(g.camera, app.GetCamera()) << "the shared camera stays the application's";
    Train& train = g.GetTrain();
    double before = train.fuel;
    g.Update(20);
    const double normalBurn = before - train.fuel;
    ASSERT_GT(normalBurn, 0.0) << "the train runs only while playing";
    ClickCentreOf(*g.turboCheck);  // the way the player does
    before = train.fuel;
    g.Update(20);
    EXPECT_NEAR(before - train.fuel, 3.0 * normalBurn, 1e-6);
    // Slide the block right of the hole (1, 0) into it.
    BoardCell& cell = g.GetBoard().Cell(2, 0);
    const OVector3 start = cell.position;
    Send(g, MouseAt(EventMouseDown, start));
    g.Update(10);
    EXPECT_FLOAT_EQ(start.x - cell.position.x, 3.0f * 10 * Board::kSlideSpeed);
    ClickCentreOf(*g.turboCheck);
    EXPECT_DOUBLE_EQ(g.speedFactor, 1.0);
}

// The hints panel holds the game (a pause must wait for it) until OK or
// Escape closes it; its box saves the option; the status bar's controls
// make no sound.
TEST_F(GameScreenTest, HintsPanelHoldsTheGameUntilClosedAndItsBoxSavesTheOption) {
    SystemOptions.Hints = 1;
    Game& g = StartGame();
    ASSERT_TRUE(g.HintsPanelOpen());
    const std::string still = Motion(g);
    for (int i = 0; i < 50; ++i) {
        g.Update(50);
    }
    const OVector3 block = g.GetBoard().Cell(2, 0).position;
    EXPECT_FALSE(Send(g, MouseAt(EventMouseMove, block)));
    EXPECT_FALSE(Send(g, MouseAt(EventMouseDown, block)));
    g.OnWindowInactive();
    Send(g, Key(Game::KeyPause));
    EXPECT_FALSE(g.IsPaused()) << "the panel holds the game already";
    EXPECT_EQ(Motion(g), still) << "no train, smoke, hover or slide under the panel";

    g.PlacePanelControls();
    ClickCentreOf(*g.hintsCheck);
    EXPECT_EQ(g.hintsCheck->checked, 0);
    EXPECT_TRUE(g.HintsPanelOpen()) << "the box does not close the panel";
    ResetSystemOptions();
    ASSERT_TRUE(LoadSystemOptions()) << "the option was saved to " << data.OptionsFile();
    EXPECT_EQ(SystemOptions.Hints, 0);
    SystemOptions.Hints = 1;
    EXPECT_TRUE(Send(g, Key(Game::kEscapeKey)));
    EXPECT_EQ(SystemOptions.Hints, 0) << "Escape takes the box's state as OK does";
    EXPECT_FALSE(g.HintsPanelOpen());
    EXPECT_EQ(g.okButton->y, Game::kParkedY);
    EXPECT_EQ(g.hintsCheck->hidden, 1);
    EXPECT_EQ(app.GetCurrentScreen(), &g) << "Escape only closed the panel";

    Send(g, MouseAt(EventMouseMove, block));
    Send(g, MouseAt(EventMouseDown, block));
    EXPECT_TRUE(g.GetBoard().Cell(2, 0).hovered);
    EXPECT_TRUE(g.GetBoard().Cell(2, 0).IsSliding()) << "the same click moves the block now";
    g.Update(50);
    EXPECT_NE(Motion(g), still);
    OSoundSystem::Instance().ClearPlayedIds();
    ClickCentreOf(*g.turboCheck);
    ClickCentreOf(*g.menuButton);
    EXPECT_TRUE(OSoundSystem::Instance().PlayedIds().empty());
    EXPECT_EQ(app.GetCurrentScreen(), menu);
    app.SetScreen(Game::kScreenId);
    EXPECT_FALSE(g.HintsPanelOpen()) << "the panel stays closed with the option off";
    Send(g, Key(Game::KeyPause));
    ASSERT_TRUE(g.IsPaused());
    EXPECT_TRUE(Send(g, Key(Game::kEscapeKey)));
    EXPECT_EQ(app.GetCurrentScreen(), menu) << "Escape leaves a paused game too";
    app.SetScreen(Game::kScreenId);
    EXPECT_TRUE(g.IsPaused()) << "a game left paused comes back paused";
}

TEST_F(GameScreenTest, EscapeAndTheMenuButtonLeaveForTheMenuOrAfterTheGameForTheScores) {
    struct Case {
        int state, endMark;
        bool key, toScores;
    };
    const Case cases[] = {{StatePlaying, EndMarkRunning, true, false},
                          {StateGameOver, EndMarkRunning, true, true},
                          {StatePlaying, EndMarkRunning, false, false},
                          {StatePlaying, StateGameOver, false, true}};
    Game& g = StartGame();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << " mark " << c.endMark
                                        << (c.key ? " Escape" : " menu button"));
        app.SetScreen(Game::kScreenId);
        GameState = c.state;
        GameEndMark = c.endMark;
        InputEvent escape = Key(Game::kEscapeKey);
        if (c.key) {
            EXPECT_TRUE(g.OnInput(escape));
        } else {
            g.OnControlEvent(Game::MenuButtonId, 0);
        }
        EXPECT_EQ(app.GetCurrentScreen(), c.toScores ? scoreScreen : menu);
        EXPECT_EQ(GameState, c.state) << "the game waits in the background";
        // Leaving a finished game uses the key up.
        EXPECT_EQ(escape.type, c.key && c.toScores ? EventNone : EventKeyDown);
        EXPECT_EQ(escape.key, c.key && c.toScores ? 0 : Game::kEscapeKey);
    }
}

TEST_F(GameScreenTest, GameOverPictureStaysForGameOverTimeThenTheScoresOpen) {
    for (const int time : {3000, 0}) {
        SCOPED_TRACE(testing::Message() << "GameOverTime " << time);
        data.SetText("Data/Game.Cfg",
                     GameTestData::AssetWith("Game.Cfg", "GameOverTime = 3000",
                                             "GameOverTime = " + std::to_string(time)));
        Game& g = StartGame();
        ASSERT_EQ(g.GameOverTime, time);
        GameState = StateGameOver;
        g.Update(time / 2);
        g.Update(time - time / 2);
        EXPECT_EQ(app.GetCurrentScreen(), &g) << "exactly the time is not yet more than it";
        g.Update(1);
        EXPECT_EQ(app.GetCurrentScreen(), scoreScreen);
        EXPECT_EQ(GameEndMark, StateGameOver);
        EXPECT_EQ(g.gameOverTimer, 0);
        app.OnQuit();
    }
}

TEST_F(GameScreenTest, WhilePausedNothingMovesInAnyStateUntilThePlayerGoesOn) {
    // Each case sets up something that moves on with time, pauses one way
    // and goes on another.
    struct Case {
        const char* name;
        std::function<void(Game&)> setUp;
        std::function<void(Game&)> pause;
        std::function<void(Game&)> resume;
    };
    const auto keyP = [](Game& g) { Send(g, Key(Game::KeyPause)); };
    const Case cases[] = {
        {"a block sliding",
         [](Game& g) { Send(g, MouseAt(EventMouseDown, g.GetBoard().Cell(2, 0).position)); }, keyP,
         keyP},
        {"a semaphore wait", [](Game& g) { g.GetTrain().wait = 5000; },
         [](Game& g) { g.OnWindowInactive(); },
         [](Game& g) {
             // A click anywhere goes on, and moves no block.
             Send(g, MouseAt(EventMouseDown, g.GetBoard().Cell(3, 3).position));
             EXPECT_FALSE(g.GetBoard().AnyBlockSliding());
         }},
        {"the level's count-up", [](Game&) { GameState = StateLevelComplete; }, keyP,
         [](Game& g) { g.OnControlEvent(Game::ResumeButtonId, 0); }},
        {"the game-over picture", [](Game&) { GameState = StateGameOver; }, keyP,
         [](Game& g) { Send(g, Key(13)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game& g = StartGame();
        c.setUp(g);
        g.Update(20);
        c.pause(g);
        ASSERT_TRUE(g.IsPaused());
        EXPECT_EQ(g.resumeButton->hidden, 0) << "the panel shows its button";
        EXPECT_FALSE(g.Animating()) << "a paused screen need not be drawn again";
        const std::string still = Motion(g);
        for (int i = 0; i < 40; ++i) {
            g.Update(50);
        }
        Send(g, MouseAt(EventMouseMove, g.GetBoard().Cell(4, 4).position));
        Send(g, Key(Game::KeyPause, ButtonStateRepeat));  // held down: no toggle
        ASSERT_TRUE(g.IsPaused());
        EXPECT_EQ(Motion(g), still) << "two seconds paused";
        EXPECT_EQ(app.GetCurrentScreen(), &g) << "the game-over time does not run either";
        c.resume(g);
        EXPECT_FALSE(g.IsPaused());
        g.Update(50);
        EXPECT_NE(Motion(g), still) << "going on moves it again";
        app.OnQuit();
    }
}

TEST_F(GameScreenTest, RestartLaysTheSameLevelAgainWithTheScoreItBeganWith) {
    // Restarts by key, by the status bar's button and after the question;
    // on the first level and on one reached through the level-complete panel.
    struct Case {
        const char* name;
        bool nextLevelFirst;
        int cellsEntered;
        std::function<void(Game&)> restart;
    };
    const Case cases[] = {
        {"R before the train has moved", false, 1, [](Game& g) { Send(g, Key(Game::KeyRestart)); }},
        {"the button on a later level", true, 0,
         [](Game& g) { g.OnControlEvent(Game::RestartButtonId, 0); }},
        {"R and Enter to the question", true, 6,
         [](Game& g) {
             Send(g, Key(Game::KeyRestart));
             EXPECT_TRUE(g.IsAskingRestart());
             Send(g, Key(13));
         }},
        {"the question's OK while paused", false, 6,
         [](Game& g) {
             Send(g, Key(Game::KeyPause));
             g.OnControlEvent(Game::RestartButtonId, 0);
             EXPECT_TRUE(g.IsAskingRestart());
             g.OnControlEvent(Game::RestartOkId, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game& g = StartGame();
        if (c.nextLevelFirst) {
            CompleteLevel(300, 0.0);
            g.Update(16);
            g.OnControlEvent(Game::NextLevelButtonId, 0);
            ASSERT_EQ(g.GetBoard().levelNumber, 6);
        }
        EXPECT_EQ(g.LevelStartScore(), score);
        const std::string start = LevelStart(g);
        const std::string level = Layout(g.GetBoard());

        // Play: slide a block, tick turbo, pick up points, run the train.
        Send(g, MouseAt(EventMouseDown, g.GetBoard().Cell(2, 0).position));
        g.turboCheck->checked = 1;
        g.OnControlEvent(Game::TurboCheckId, 1);
        for (int i = 0; i < 20; ++i) {
            g.Update(30);
        }
        score += 200;
        g.GetTrain().cellsEntered = c.cellsEntered;
        ASSERT_NE(Layout(g.GetBoard()), level);
        // A restart must not draw the level again: another seed changes nothing.
        GameRandom::SetSeedSource([] { return 99u; });

        c.restart(g);
        EXPECT_EQ(LevelStart(g), start);
        EXPECT_EQ(g.GetTrain().Smoke().GetCount(), 0) << "the old run's smoke goes";
        GameRandom::SetSeedSource([] { return 4242u; });
        app.OnQuit();
    }
}

TEST_F(GameScreenTest, RestartQuestionCancelKeepsTheGameAndOtherStatesIgnoreRestart) {
    Game& g = StartGame();
    Send(g, MouseAt(EventMouseDown, g.GetBoard().Cell(2, 0).position));
    g.Update(400);
    g.GetTrain().cellsEntered = 2;
    const std::string played = Layout(g.GetBoard());
    Send(g, Key(Game::KeyRestart));
    ASSERT_TRUE(g.IsAskingRestart());
    EXPECT_EQ(g.menuButton->enabled, 0) << "only the question's buttons count";
    const std::string still = Motion(g);
    g.Update(500);
    Send(g, MouseAt(EventMouseDown, g.GetBoard().Cell(3, 3).position));
    EXPECT_EQ(Motion(g), still) << "the question holds the game";
    EXPECT_TRUE(Send(g, Key(Game::kEscapeKey)));
    EXPECT_FALSE(g.IsAskingRestart()) << "Escape answers no";
    EXPECT_EQ(app.GetCurrentScreen(), &g);
    EXPECT_EQ(Layout(g.GetBoard()), played);
    EXPECT_EQ(g.menuButton->enabled, 1);
    g.Update(50);
    EXPECT_NE(Motion(g), still) << "the game goes on";

    for (int state : {StateLevelComplete, StateGameOver}) {
        GameState = state;
        Send(g, Key(Game::KeyRestart));
        EXPECT_FALSE(g.IsAskingRestart()) << "state " << state;
        EXPECT_EQ(Layout(g.GetBoard()), played) << "state " << state;
    }
}

TEST_F(GameScreenTest, KeyboardMovesDoWhatClicksOnTheSameCellDo) {
    // The arrow keys walk the cursor from its start beside the gap (2, 0);
    // each move is tried by mouse and by keys on the same fresh level.
    struct Case {
        int column, row;
        int button;  // of the click
        InputEvent key;
    };
    const Case cases[] = {
        {2, 0, MouseButtonLeft, Key(Game::KeySpace)},  // slides into the gap
        {2, 0, MouseButtonLeft, Key(13)},
        {3, 2, MouseButtonRight, Key(Game::KeyTurn)},  // turns
        {3, 2, MouseButtonRight, Key(Game::KeySpace, ButtonStateShift)},
        {4, 4, MouseButtonLeft, Key(Game::KeySpace)},  // no room: refused
        {0, 6, MouseButtonLeft, Key(Game::KeySpace)},  // the train's cell
        {9, 0, MouseButtonRight, Key(Game::KeyTurn)},  // the static station
    };
    Game& g = StartGame();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "cell " << c.column << "," << c.row << " key " << c.key.key);
        g.RestartLevel();
        const std::string start = Layout(g.GetBoard());
        PuzzleWorld::ClearSounds();
        Send(g, MouseAt(EventMouseDown, g.GetBoard().Cell(c.column, c.row).position, c.button));
        g.Update(400);  // long enough for a slide to land
        const auto byMouse = std::pair(Layout(g.GetBoard()), PuzzleWorld::Sounds());

        g.RestartLevel();
        PuzzleWorld::ClearSounds();
        Send(g, Key(Game::KeyRight));  // the first key only shows the cursor
        EXPECT_TRUE(g.CursorShown());
        for (int col = 2; col != c.column; col += c.column > 2 ? 1 : -1) {
            Send(g, Key(c.column > 2 ? Game::KeyRight : Game::KeyLeft));
        }
        for (int row = 0; row < c.row; ++row) {
            Send(g, Key(Game::KeyDown));
        }
        ASSERT_EQ(g.CursorColumn(), c.column);
        ASSERT_EQ(g.CursorRow(), c.row);
        Send(g, c.key);
        g.Update(400);
        EXPECT_EQ(std::pair(Layout(g.GetBoard()), PuzzleWorld::Sounds()), byMouse);
        if (&c == &cases[0]) {
            EXPECT_NE(Layout(g.GetBoard()), start) << "the block did slide";
        }
    }
}

// An options file that lost its first or last half, or holds values no
// screen would write, still starts a game: BeginLevel below 1 starts at level
// 1, one beyond any count at the highest, and the record keeps what the file
// says (the file is not rewritten).
TEST_F(GameScreenTest, DamagedOptionsStillStartAGameAtAValidLevel) {
    data.Write();
    for (const auto& [text, level] : {
             std::pair{"BeginLevel=0\n", 1},
             {"BeginLevel=-40\nDifficultyLevel=-3\n", 1},  // below Easy too
             {"BeginLevel=3\nDifficultyLevel=2", 3},       // no final line feed
             {"BeginLevel=2147483647\nDifficultyLevel=9\nSoundVolume=-5\nMusicVolume=999\n",
              kMaxBeginLevel},
         }) {
        SCOPED_TRACE(text);
        std::string stored = text;
        Scrambler::Config(reinterpret_cast<uint8_t*>(stored.data()), stored.size());
        TempDir::Write(data.OptionsFile(), stored);
        LoadSystemOptions();
        Game game;
        EXPECT_EQ(GameState, StatePlaying);
        const Board& board = game.GetBoard();
        EXPECT_EQ(board.levelNumber, level);
        EXPECT_GE(board.boardWidth, Board::kMinLevelSide);
        EXPECT_LE(board.boardWidth, Board::kMaxCells);
        EXPECT_NE(board.Cell(0, board.boardHeight - 1).block, nullptr) << "the start platform";
        EXPECT_EQ(TempDir::Read(data.OptionsFile()), stored);
    }
}

}  // namespace
