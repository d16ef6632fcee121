#include "game/Game.h"

#include <gtest/gtest.h>

#include <array>
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
#include "game/RailCatalogue.h"
#include "game/Train.h"
#include "support/GLTestWindow.h"
#include "support/GameTestData.h"
#include "support/PixelCheck.h"
#include "ui/KvCheckBox.h"

namespace {

using Rgb = std::array<int, 3>;
const Rgb kGrey = {38, 38, 38};  // the grid lines' 0.15
const Rgb kRed = {255, 0, 0};

Rgb ToRgb(uint32_t rgba) {
    return {static_cast<int>(rgba >> 24), static_cast<int>((rgba >> 16) & 0xFF),
            static_cast<int>((rgba >> 8) & 0xFF)};
}

bool Near(const Rgb& actual, const Rgb& expected) {
    return ColourNear(actual, expected[0], expected[1], expected[2], 12);
}

// Draws game screens into an 800 x 600 window, so window pixels and
// virtual-screen positions (y up) agree.
class GameScreenDrawTest : public ::testing::Test {
protected:
    GameScreenDrawTest() : window(800, 600) {}

    void SetUp() override {
        SystemOptions.Hints = 0;
        SystemOptions.DifficultyLevel = 1;
        SystemOptions.BeginLevel = 5;
    }
    void TearDown() override { app.OnQuit(); }

    // With an archive named, the game draws with its pictures instead of the
    // test data's (the level files stay the test data's).
    Game& StartGame(const std::string& archive = "") {
        data.Write();
        if (!archive.empty()) {
            OResourceArchive::Instance().SetPath(archive);
            OResourceArchive::Instance().ReadDirectory();
        }
        app.Init();
        game = new Game();
        game->LoadPictures("GB.Tga", "LCompl.Tga");
        app.AddScreen(game);
        game->SetClientSize(800, 600);
        app.SetScreen(Game::kScreenId);
        return *game;
    }

    std::vector<uint8_t> Frame(const std::string& snapshot) {
        game->Draw();
        window.Snapshot(snapshot);
        return window.Frame();
    }

    Rgb Pixel(float x, float y) const {
        return window.Pixel(static_cast<int>(x), static_cast<int>(y));
    }
    bool PixelIs(float x, float y, uint32_t rgba) const { return Near(Pixel(x, y), ToRgb(rgba)); }

    // Whether any pixel from (x0, y0) to (x1, y1), inclusive, has the colour.
    bool AnyNear(int x0, int y0, int x1, int y1, const Rgb& colour) const {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                if (Near(window.Pixel(x, y), colour)) {
                    return true;
                }
            }
        }
        return false;
    }

    void MouseAt(int type, const OVector3& point) {
        InputEvent event;
        event.type = type;
        event.x = static_cast<int16_t>(point.x);
        event.y = static_cast<int16_t>(600 - point.y);
        game->OnInput(event);
    }

    GLTestWindow window;
    GameTestData data;
    OApplication app;
    Game* game = nullptr;
};

TEST_F(GameScreenDrawTest, HoveredBlockHasARedFrameInEveryStateTheBoardIsDrawn) {
    Game& g = StartGame();
    const BoardCell& hovered = g.GetBoard().Cell(8, 5);
    ASSERT_NE(hovered.block, nullptr);
    const int cx = static_cast<int>(hovered.position.x);
    const int cy = static_cast<int>(hovered.position.y);
    const OVector3 other = g.GetBoard().Cell(5, 5).position;
    for (int state : {StatePlaying, StateLevelComplete, StateGameOver}) {
        SCOPED_TRACE(testing::Message() << "state " << state);
        GameState = state;
        MouseAt(EventMouseMove, hovered.position);
        Frame("hover-state-" + std::to_string(state));
        EXPECT_TRUE(AnyNear(cx - 42, cy, cx - 38, cy, kRed)) << "left edge";
        EXPECT_TRUE(AnyNear(cx + 38, cy, cx + 42, cy, kRed)) << "right edge";
        EXPECT_TRUE(AnyNear(cx, cy + 38, cx, cy + 42, kRed)) << "top edge";
        EXPECT_TRUE(AnyNear(cx, cy - 42, cx, cy - 38, kRed)) << "bottom edge";
        EXPECT_TRUE(PixelIs(cx, cy, GameTestData::kBlock) ||
                    PixelIs(cx, cy, GameTestData::kSlidingBlock))
            << "only the outline is red";
        EXPECT_FALSE(AnyNear(other.x - 42, other.y, other.x - 38, other.y, kRed))
            << "other blocks have no frame";
    }
    // A key press has no pointer position and leaves the frame where it is.
    InputEvent key;
    key.type = EventKeyDown;
    key.key = 'A';
    g.OnInput(key);
    EXPECT_TRUE(hovered.hovered);
    // Over the hole nothing is framed.
    GameState = StatePlaying;
    const OVector3 hole = g.GetBoard().Cell(1, 0).position;
    MouseAt(EventMouseMove, hole);
    Frame("hover-hole");
    EXPECT_FALSE(AnyNear(hole.x - 42, hole.y, hole.x + 42, hole.y, kRed));
}

TEST_F(GameScreenDrawTest, SlidingBlockLiesOverTheGridLinesThatSpanTheScreen) {
    Game& g = StartGame();
    Board& board = g.GetBoard();
    ASSERT_EQ(board.boardWidth, 10);
    board.SetBlock(2, 0, RailCatalogue::IBlox);
    board.SetBlock(5, 3, RailCatalogue::DBlox);
    const OVector3 start = board.Cell(2, 0).position;
    MouseAt(EventMouseDown, start);
    ASSERT_TRUE(board.Cell(2, 0).IsSliding());
    g.Update(100);  // 25 pixels towards the hole at (1, 0)
    ASSERT_FLOAT_EQ(board.Cell(2, 0).position.x, start.x - 25.0f);
    Frame("sliding-block");
    // The line between columns 1 and 2 runs through the sliding block...
    const int lineY = static_cast<int>(start.y) + 10;
    for (int x = 158; x <= 161; ++x) {
        EXPECT_TRUE(PixelIs(x, lineY, GameTestData::kSlidingBlock))
            << "x " << x << ": " << ::testing::PrintToString(window.Pixel(x, lineY));
    }
    // ...while between still blocks the lines show, the vertical one from
    // the bottom (under the status bar) to the top, the horizontal one below
    // the top row across the whole width.
    EXPECT_TRUE(AnyNear(398, 300, 401, 300, kGrey));
    EXPECT_TRUE(AnyNear(78, 595, 81, 595, kGrey));
    EXPECT_TRUE(AnyNear(78, 300, 81, 300, kGrey));
    EXPECT_TRUE(AnyNear(5, 518, 5, 521, kGrey));
    EXPECT_TRUE(AnyNear(795, 518, 795, 521, kGrey));
}

TEST_F(GameScreenDrawTest, SemaphoreOnTheTrainsBlockLiesOverTheEngineAndCoalUnderIt) {
    Game& g = StartGame();
    Board& board = g.GetBoard();
    Train& train = g.GetTrain();
    BoardCell& cell = board.Cell(train.column, train.row);
    const int cx = static_cast<int>(cell.position.x);
    const int cy = static_cast<int>(cell.position.y);
    ASSERT_LT((train.position - cell.position).Length(), 30.0f)
        << "the engine covers the centre of its block";

    cell.item = ItemCoal;
    cell.itemTexture = board.CoalTexture();
    Frame("coal-under-engine");
    EXPECT_TRUE(PixelIs(cx, cy, GameTestData::kEngine)) << "the engine covers the coal";

    cell.item = ItemRedSemaphore;
    cell.itemTexture = board.RedSemaphoreTexture();
    Frame("semaphore-over-engine");
    EXPECT_TRUE(PixelIs(cx, cy, GameTestData::kRedSemaphore)) << "the semaphore covers the engine";
    EXPECT_TRUE(PixelIs(cx + 30, cy, GameTestData::kEngine)) << "the engine around it";
}

// The game screen drawn with the shipped pictures: the frames must change as
// the train runs and the panels open. $CARROWMOOR_GAME_DATA names the packed
// game folder (CTest sets it to the build folder); with $CARROWMOOR_SNAPSHOTS
// set, the frames are also written there for a developer to look at.
class GameScreenLookTest : public GameScreenDrawTest {
protected:
    void SetUp() override {
        const char* folder = std::getenv("CARROWMOOR_GAME_DATA");
        if (folder == nullptr) {
            GTEST_SKIP() << "set CARROWMOOR_GAME_DATA to a packed game folder";
        }
        gameFolder = folder;
        GameScreenDrawTest::SetUp();
    }

    Game& StartGame() {
        Game& g = GameScreenDrawTest::StartGame(gameFolder + "/Data/Resource.Kvr");
        // The test data has no menu picture: this is the packed game's archive.
        EXPECT_TRUE(OResourceArchive::Instance().Contains("Data/Textures/Interface/Menu.Jpg"))
            << "no packed game data in " << gameFolder << " (give an absolute folder)";
        return g;
    }

    // Share of pixels that differ between two frames.
    static double Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        size_t differing = 0;
        for (size_t i = 0; i + 2 < a.size(); i += 3) {
            differing += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1 : 0;
        }
        return static_cast<double>(differing) / static_cast<double>(a.size() / 3);
    }

    std::string gameFolder;
};

TEST_F(GameScreenLookTest, GeneratedLevelMidRunWithSmokeAndPanels) {
    Game& g = StartGame();
    const auto start = Frame("look-generated-start");
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
    EXPECT_GT(Difference(start, running), 0.0) << "the train moved";

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
    Game& g = StartGame();
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
