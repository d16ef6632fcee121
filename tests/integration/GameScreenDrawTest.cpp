#include "game/Game.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "app/OApplication.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/BoardCell.h"
#include "game/GameValues.h"
#include "game/Rail.h"
#include "game/RailCatalogue.h"
#include "game/Train.h"
#include "support/GLTestWindow.h"
#include "support/GameTestData.h"
#include "support/PixelCheck.h"

namespace {

constexpr int kGrey = 38;  // the grid lines' 0.15

std::array<int, 3> Rgb(uint32_t rgba) {
    return {static_cast<int>(rgba >> 24), static_cast<int>((rgba >> 16) & 0xFF),
            static_cast<int>((rgba >> 8) & 0xFF)};
}

bool Near(const std::array<int, 3>& actual, const std::array<int, 3>& expected,
          int tolerance = 12) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(actual[c] - expected[c]) > tolerance) {
            return false;
        }
    }
    return true;
}

// Draws game screens into an 800 x 600 window, so window pixels and
// virtual-screen positions agree.
class GameScreenDrawTest : public ::testing::Test {
protected:
    GameScreenDrawTest() : window(800, 600) {}

    void SetUp() override {
        SystemOptions.Hints = 0;
        SystemOptions.DifficultyLevel = 1;
    }
    void TearDown() override { app.OnQuit(); }

    Game& StartGame(int beginLevel) {
        SystemOptions.BeginLevel = beginLevel;
        data.Write();
        app.Init();
        game = new Game();
        game->LoadPictures("GB.Tga", "LCompl.Tga");
        app.AddScreen(game);
        game->SetClientSize(800, 600);
        app.SetScreen(Game::kScreenId);
        return *game;
    }

    void Frame(const std::string& snapshot) {
        game->Draw();
        window.Snapshot(snapshot);
    }

    std::array<int, 3> Pixel(float x, float y) const {
        return window.Pixel(static_cast<int>(x), static_cast<int>(y));
    }

    // Whether any pixel of the row y between x0 and x1 (inclusive) has the colour.
    bool RowHas(int x0, int x1, int y, const std::array<int, 3>& colour) const {
        for (int x = x0; x <= x1; ++x) {
            if (Near(window.Pixel(x, y), colour)) {
                return true;
            }
        }
        return false;
    }
    bool ColumnHas(int x, int y0, int y1, const std::array<int, 3>& colour) const {
        for (int y = y0; y <= y1; ++y) {
            if (Near(window.Pixel(x, y), colour)) {
                return true;
            }
        }
        return false;
    }

    void Hover(const OVector3& point) {
        InputEvent move;
        move.type = EventMouseMove;
        move.x = static_cast<int16_t>(point.x);
        move.y = static_cast<int16_t>(600 - point.y);
        game->OnInput(move);
    }

    GLTestWindow window;
    GameTestData data;
    OApplication app;
    Game* game = nullptr;
};

TEST_F(GameScreenDrawTest, HoveredBlockHasARedFrameInEveryStateTheBoardIsDrawn) {
    Game& g = StartGame(5);
    const std::array<int, 3> red = {255, 0, 0};
    const BoardCell& hovered = g.GetBoard().Cell(8, 5);
    ASSERT_NE(hovered.block, nullptr);
    const int cx = static_cast<int>(hovered.position.x);
    const int cy = static_cast<int>(hovered.position.y);
    const int states[] = {StatePlaying, StateLevelComplete, StateGameOver};
    for (int state : states) {
        GameState = state;
        Hover(hovered.position);
        Frame("hover-state-" + std::to_string(state));
        EXPECT_TRUE(RowHas(cx - 42, cx - 38, cy, red)) << "left edge, state " << state;
        EXPECT_TRUE(RowHas(cx + 38, cx + 42, cy, red)) << "right edge, state " << state;
        EXPECT_TRUE(ColumnHas(cx, cy + 38, cy + 42, red)) << "top edge, state " << state;
        EXPECT_TRUE(ColumnHas(cx, cy - 42, cy - 38, red)) << "bottom edge, state " << state;
        EXPECT_TRUE(Near(Pixel(cx, cy), Rgb(GameTestData::kBlock)) ||
                    Near(Pixel(cx, cy), Rgb(GameTestData::kSlidingBlock)))
            << "only the outline is red";
        const OVector3 other = g.GetBoard().Cell(5, 5).position;
        EXPECT_FALSE(RowHas(static_cast<int>(other.x) - 42, static_cast<int>(other.x) - 38,
                            static_cast<int>(other.y), red))
            << "other blocks have no frame";
    }
    // Over the hole nothing is framed.
    GameState = StatePlaying;
    const OVector3 hole = g.GetBoard().Cell(1, 0).position;
    Hover(hole);
    Frame("hover-hole");
    EXPECT_FALSE(RowHas(static_cast<int>(hole.x) - 42, static_cast<int>(hole.x) + 42,
                        static_cast<int>(hole.y), red));
}

TEST_F(GameScreenDrawTest, SlidingBlockLiesOverTheGridLines) {
    Game& g = StartGame(5);
    Board& board = g.GetBoard();
    board.SetBlock(2, 0, RailCatalogue::IBlox);
    board.SetBlock(5, 3, RailCatalogue::DBlox);
    const OVector3 start = board.Cell(2, 0).position;
    InputEvent press;
    press.type = EventMouseDown;
    press.x = static_cast<int16_t>(start.x);
    press.y = static_cast<int16_t>(600 - start.y);
    g.OnInput(press);
    ASSERT_TRUE(board.Cell(2, 0).IsSliding());
    g.Update(100);  // 25 pixels towards the hole at (1, 0)
    ASSERT_FLOAT_EQ(board.Cell(2, 0).position.x, start.x - 25.0f);
    Frame("sliding-block");
    // The line between columns 1 and 2 runs through the sliding block...
    const int lineY = static_cast<int>(start.y) + 10;
    for (int x = 158; x <= 161; ++x) {
        EXPECT_TRUE(Near(window.Pixel(x, lineY), Rgb(GameTestData::kSlidingBlock)))
            << "x " << x << ": " << ::testing::PrintToString(window.Pixel(x, lineY));
    }
    // ...while between still blocks the lines show.
    EXPECT_TRUE(RowHas(398, 401, 300, {kGrey, kGrey, kGrey}));
}

TEST_F(GameScreenDrawTest, SemaphoreOnTheTrainsBlockLiesOverTheEngineAndCoalUnderIt) {
    Game& g = StartGame(5);
    Board& board = g.GetBoard();
    Train& train = g.GetTrain();
    BoardCell& cell = board.Cell(train.column, train.row);
    const int cx = static_cast<int>(cell.position.x);
    const int cy = static_cast<int>(cell.position.y);
    ASSERT_LT(
        std::abs(train.position.x - cell.position.x) + std::abs(train.position.y - cell.position.y),
        30.0f)
        << "the engine covers the centre of its block";

    cell.item = ItemCoal;
    cell.itemTexture = board.CoalTexture();
    Frame("coal-under-engine");
    EXPECT_TRUE(ColourNear(Pixel(cx, cy), 255, 255, 128)) << "the engine covers the coal";

    cell.item = ItemRedSemaphore;
    cell.itemTexture = board.RedSemaphoreTexture();
    Frame("semaphore-over-engine");
    EXPECT_TRUE(ColourNear(Pixel(cx, cy), 255, 0, 255)) << "the semaphore covers the engine";
    EXPECT_TRUE(ColourNear(Pixel(cx + 30, cy), 255, 255, 128)) << "the engine around it";
}

TEST_F(GameScreenDrawTest, GridLinesSpanTheScreenOnGeneratedLevels) {
    Game& g = StartGame(5);
    ASSERT_EQ(g.GetBoard().boardWidth, 10);
    Frame("generated-level");
    const std::array<int, 3> grey = {kGrey, kGrey, kGrey};
    // Vertical line between columns 0 and 1 from the bottom (under the
    // status bar) to the top of the screen.
    EXPECT_TRUE(RowHas(78, 81, 595, grey));
    EXPECT_TRUE(RowHas(78, 81, 300, grey));
    // Horizontal line below the top row, across the whole width.
    EXPECT_TRUE(ColumnHas(5, 518, 521, grey));
    EXPECT_TRUE(ColumnHas(795, 518, 521, grey));
}

TEST_F(GameScreenDrawTest, GridLinesStayOnTheBoardOfHandMadeLevels) {
    Game& g = StartGame(1);
    const Board& board = g.GetBoard();
    ASSERT_LT(board.levelNumber, 5);
    ASSERT_GT(board.originX, 0);
    ASSERT_GT(board.originY, 40);
    Frame("hand-made-level");
    const std::array<int, 3> grey = {kGrey, kGrey, kGrey};
    const int lineX = board.originX + 80;
    const int lineY = board.originY + 80;
    EXPECT_TRUE(RowHas(lineX - 2, lineX + 1, 300, grey)) << "inside the board";
    EXPECT_TRUE(ColumnHas(board.originX + 40, lineY - 2, lineY + 1, grey));
    // Outside the board only the background shows.
    const std::array<int, 3> background = Rgb(GameTestData::kBackground);
    // (The engine stands over the first line's lower end.)
    const int lastX = board.originX + 80 * (board.boardWidth - 1);
    EXPECT_TRUE(Near(Pixel(lastX, board.originY - 10), background));
    EXPECT_TRUE(Near(Pixel(lastX, 600 - board.originY + 10), background));
    EXPECT_TRUE(Near(Pixel(board.originX - 10, lineY), background));
    EXPECT_TRUE(Near(Pixel(800 - board.originX + 10, lineY), background));
}

TEST_F(GameScreenDrawTest, StatusBarShowsLabelArtAndNumbersFromGlyphSetOne) {
    Game& g = StartGame(5);
    const std::array<int, 3> label = Rgb(GameTestData::kLabel);
    const std::array<int, 3> text = Rgb(GameTestData::kText);
    score = 0;
    Frame("status-bar-0");
    // "FGHI" starts at x 18, "ABCDE" at 180; glyph cells are 24 high at 0.75.
    EXPECT_TRUE(RowHas(18, 40, 20, label)) << "fuel label";
    EXPECT_TRUE(RowHas(180, 210, 20, label)) << "score label";
    EXPECT_FALSE(RowHas(0, 400, 20, text)) << "nothing of the status bar is drawn from set 0";
    const auto before = window.Frame();

    score = 98765;
    g.GetTrain().fuel = 12.0;
    Frame("status-bar-98765");
    const auto after = window.Frame();
    // The number after "ABCDE  " changes, the label does not.
    const int labelEnd =
        180 + static_cast<int>(0.75f * (GameTestData::Advance('A') + GameTestData::Advance('B') +
                                        GameTestData::Advance('C') + GameTestData::Advance('D') +
                                        GameTestData::Advance('E')));
    auto changed = [&](int x0, int x1) {
        for (int y = 8; y < 32; ++y) {
            for (int x = x0; x < x1; ++x) {
                const size_t i = (static_cast<size_t>(y) * 800 + x) * 3;
                if (before[i] != after[i] || before[i + 1] != after[i + 1]) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_FALSE(changed(180, labelEnd)) << "score label";
    EXPECT_TRUE(changed(labelEnd, labelEnd + 80)) << "score digits";
    EXPECT_TRUE(RowHas(labelEnd, labelEnd + 80, 20, label)) << "digits in the label style";
    EXPECT_TRUE(changed(60, 120)) << "fuel digits";
}

TEST_F(GameScreenDrawTest, PanelsAndGameOverPictureFloatOverTheBoard) {
    Game& g = StartGame(5);
    GameState = StateLevelComplete;
    g.GetTrain().bonus = 300;
    g.Update(16);
    ASSERT_TRUE(g.LevelCompletePanelOpen());
    Frame("level-complete");
    EXPECT_TRUE(Near(Pixel(560, 260), Rgb(GameTestData::kPanel)))
        << "panel from x 220 to 580, y 250";
    EXPECT_TRUE(RowHas(230, 300, 390, Rgb(GameTestData::kLabel))) << "bonus label";
    EXPECT_FALSE(Near(Pixel(210, 400), Rgb(GameTestData::kPanel)));

    g.OnControlEvent(Game::NextLevelButtonId, 0);
    GameState = StateGameOver;
    Frame("game-over");
    EXPECT_TRUE(Near(Pixel(400, 360), Rgb(GameTestData::kGameOver)));
    EXPECT_TRUE(Near(Pixel(205, 305), Rgb(GameTestData::kGameOver)));
    EXPECT_FALSE(Near(Pixel(195, 360), Rgb(GameTestData::kGameOver)));
    EXPECT_FALSE(Near(Pixel(400, 295), Rgb(GameTestData::kGameOver)));
}

TEST_F(GameScreenDrawTest, HintsPanelShowsItsTextsAndControls) {
    SystemOptions.Hints = 1;
    StartGame(5);
    SystemOptions.Hints = 1;
    ASSERT_TRUE(game->HintsPanelOpen());
    Frame("hints");
    EXPECT_TRUE(Near(Pixel(170, 300), Rgb(GameTestData::kPanel)));
    EXPECT_TRUE(RowHas(180, 260, 390, {255, 255, 0})) << "\"Controls\" in yellow";
    EXPECT_TRUE(RowHas(190, 400, 370, {255, 255, 255})) << "the first hint in white";
    EXPECT_TRUE(Near(Pixel(362, 287), {192, 192, 192})) << "the check box at (350, 275)";
}

}  // namespace
