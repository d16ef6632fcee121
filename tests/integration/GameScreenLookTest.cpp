#include "game/Game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/OApplication.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameValues.h"
#include "game/HVExplosion.h"
#include "game/Train.h"
#include "support/GLTestWindow.h"
#include "support/GameTestData.h"
#include "support/PixelCheck.h"
#include "ui/KvCheckBox.h"

// The game screen drawn with the shipped pictures: the frames must change as
// the train runs and the panels open. $CARROWMOOR_GAME_DATA names the packed
// game folder (CTest sets it to the build folder); with $CARROWMOOR_SNAPSHOTS
// set, the frames are also written there for a developer to look at.
namespace {

class GameScreenLookTest : public ::testing::Test {
protected:
    GameScreenLookTest() : window(800, 600) {}

    void SetUp() override {
        const char* folder = std::getenv("CARROWMOOR_GAME_DATA");
        if (folder == nullptr) {
            GTEST_SKIP() << "set CARROWMOOR_GAME_DATA to a packed game folder";
        }
        gameFolder = folder;
        SystemOptions.Hints = 0;
        SystemOptions.DifficultyLevel = 1;
    }
    void TearDown() override { app.OnQuit(); }

    Game& StartGame(int beginLevel) {
        SystemOptions.BeginLevel = beginLevel;
        data.Write();  // the level files
        OResourceArchive::Instance().SetPath(gameFolder + "/Data/Resource.Kvr");
        OResourceArchive::Instance().ReadDirectory();
        // The test data has no menu picture: this is the packed game's archive.
        EXPECT_TRUE(OResourceArchive::Instance().Contains("Data/Textures/Interface/Menu.Jpg"))
            << "no packed game data in " << gameFolder << " (give an absolute folder)";
        app.Init();
        game = new Game();
        game->LoadPictures("GB.Tga", "LCompl.Tga");
        app.AddScreen(game);
        game->SetClientSize(800, 600);
        app.SetScreen(Game::kScreenId);
        return *game;
    }

    std::vector<uint8_t> Frame(const std::string& name) {
        game->Draw();
        window.Snapshot(name);
        return window.Frame();
    }

    // Share of pixels that differ between two frames.
    static double Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        size_t differing = 0;
        for (size_t i = 0; i + 2 < a.size(); i += 3) {
            differing += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1 : 0;
        }
        return static_cast<double>(differing) / static_cast<double>(a.size() / 3);
    }

    GLTestWindow window;
    GameTestData data;
    OApplication app;
    Game* game = nullptr;
    std::string gameFolder;
};

TEST_F(GameScreenLookTest, HandMadeLevel) {
    Game& g = StartGame(1);
    const auto still = Frame("look-hand-made");
    for (int i = 0; i < 60; ++i) {
        g.Update(16);
    }
    EXPECT_GT(Difference(still, Frame("look-hand-made-running")), 0.0) << "the train moved";
}

TEST_F(GameScreenLookTest, GeneratedLevelMidRunWithSmokeAndPanels) {
    Game& g = StartGame(5);
    for (int i = 0; i < 400 && GameState == StatePlaying; ++i) {
        g.Update(16);
    }
    InputEvent move;
    move.type = EventMouseMove;
    move.x = 360;
    move.y = 200;
    g.OnInput(move);
    EXPECT_GT(g.GetTrain().Smoke().GetCount(), 5);
    const auto running = Frame("look-generated-running");

    GameState = StateLevelComplete;
    g.GetTrain().bonus = 685;
    for (int i = 0; i < 30; ++i) {
        g.Update(16);
    }
    const auto complete = Frame("look-level-complete");
    EXPECT_GT(Difference(running, complete), 0.05);

    g.OnControlEvent(Game::NextLevelButtonId, 0);
    GameState = StateGameOver;
    const auto over = Frame("look-game-over");
    EXPECT_GT(Difference(complete, over), 0.05);

    SystemOptions.Hints = 1;
    g.hintsCheck->checked = 1;
    GameState = StatePlaying;
    g.OnEnter();
    Frame("look-hints");
}

// The still layer keeps the look: one moment of a running game (smoke, a
// block sliding, the hover frame, the cell cursor, the engine partly under
// the status bar) drawn part by part and
// through the layer, both when the layer is captured and when it is shown,
// differs by at most kTolerance in any channel of any pixel; at the
// picture's own size and scaled into a viewport off the window's corner.
// Then a change of the status texts and a picked-up item must show through.
TEST_F(GameScreenLookTest, StillLayerDrawsWhatThePartsDraw) {
    constexpr int kTolerance = 2;
    Game& g = StartGame(5);
    for (int i = 0; i < 150 && GameState == StatePlaying; ++i) {
        g.Update(16);
    }
    ASSERT_EQ(GameState, StatePlaying);
    Board& board = g.GetBoard();
    // Slide a block into the empty cell, and stop it half-way.
    for (int c = 0; c < board.boardWidth && !board.AnyBlockSliding(); ++c) {
        for (int r = 0; r < board.boardHeight && !board.AnyBlockSliding(); ++r) {
            board.MoveBlockAt(MouseButtonLeft, c, r);
        }
    }
    ASSERT_TRUE(board.AnyBlockSliding());
    board.UpdateMoves(100);
    ASSERT_TRUE(board.AnyBlockSliding());
    InputEvent key;
    key.type = EventKeyDown;
    key.key = Game::KeyRight;
    g.OnInput(key);  // shows the cell cursor
    // The engine reaches down under the status bar, which lies over it.
    g.GetTrain().position.y = 60.0f;

    struct Case {
        const char* name;
        int x, y, width, height;
    } cases[] = {{"own-size", 0, 0, 800, 600}, {"scaled", 37, 21, 640, 480}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g.SetViewport(c.x, c.y, c.width, c.height);
        InputEvent move;
        move.type = EventMouseMove;
        move.x = static_cast<int16_t>(c.width / 2);
        move.y = static_cast<int16_t>(c.height / 3);
        g.OnInput(move);
        g.useStillLayer = false;
        const auto parts = Frame(std::string("look-parts-") + c.name);
        g.useStillLayer = true;
        const auto captured = Frame(std::string("look-layer-") + c.name);
        const auto shown = Frame(std::string("look-layer-shown-") + c.name);
        EXPECT_LE(LargestChannelDifference(parts, captured), kTolerance);
        EXPECT_LE(LargestChannelDifference(parts, shown), kTolerance);
    }

    // What changes in the layer must reach the screen, each change alone:
    // the fuel text, then the coal heaps and workers taken off the board.
    const std::function<void()> changes[] = {
        [&g] { g.GetTrain().fuel -= 10.0; },
        [&board] {
            for (int c = 0; c < board.boardWidth; ++c) {
                for (int r = 0; r < board.boardHeight; ++r) {
                    BoardCell& cell = board.Cell(c, r);
                    if (cell.item == ItemCoal || cell.item == ItemWorker ||
                        cell.item == ItemWorkerAlt) {
                        cell.item = ItemNone;
                        cell.itemTexture = nullptr;
                    }
                }
            }
        },
    };
    for (const auto& change : changes) {
        g.useStillLayer = true;
        Frame("look-layer-before-change");
        change();
        const auto changed = Frame("look-layer-changed");
        g.useStillLayer = false;
        EXPECT_LE(LargestChannelDifference(Frame("look-parts-changed"), changed), kTolerance);
    }
}

}  // namespace
