#include <gtest/gtest.h>

#include <memory>

#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/BoardPainter.h"
#include "game/TrainPainter.h"
#include "support/GameTestData.h"

namespace {

class GamePaintersTest : public ::testing::Test {
protected:
    std::unique_ptr<Board> LoadBoard(int beginLevel) {
        data.Write();
        auto board = std::make_unique<Board>(beginLevel);
        board->LoadCatalogue();
        return board;
    }
    GameTestData data;
};

TEST_F(GamePaintersTest, HandMadeLevelsGetLinesBetweenTheirCellsOnly) {
    auto board = LoadBoard(1);
    ASSERT_EQ(board->levelNumber, 1);
    const int w = board->boardWidth;
    const int h = board->boardHeight;
    const auto lines = BoardPainter::GridLines(*board);
    ASSERT_EQ(lines.size(), static_cast<size_t>(w - 1 + h - 1));
    const float left = static_cast<float>(board->originX);
    const float bottom = static_cast<float>(board->originY);
    for (const auto& line : lines) {
        const bool vertical = line.x0 == line.x1;
        if (vertical) {
            EXPECT_GT(line.x0, left);
            EXPECT_LT(line.x0, left + 80.0f * w);
            EXPECT_EQ(line.y0, bottom);
            EXPECT_EQ(line.y1, bottom + 80.0f * h) << "the board is centred";
        } else {
            EXPECT_GT(line.y0, bottom);
            EXPECT_LT(line.y0, bottom + 80.0f * h);
            EXPECT_EQ(line.x0, left);
            EXPECT_EQ(line.x1, left + 80.0f * w);
        }
    }
}

TEST_F(GamePaintersTest, GeneratedLevelsGetLinesAcrossTheScreenOnTheCellEdges) {
    auto board = LoadBoard(5);
    ASSERT_EQ(board->levelNumber, 5);
    const auto lines = BoardPainter::GridLines(*board);
    ASSERT_EQ(lines.size(), 9u + 6u);
    for (const auto& line : lines) {
        if (line.x0 == line.x1) {
            EXPECT_EQ(line.y0, 0.0f);
            EXPECT_EQ(line.y1, 600.0f);
        } else {
            EXPECT_EQ(line.x0, 0.0f);
            EXPECT_EQ(line.x1, 800.0f);
        }
    }
    // Each line lies on the edge between two cells of the board.
    EXPECT_EQ(lines.front().x0, board->CellCenter(0, 0).x + 40.0f);
    EXPECT_EQ(lines.back().y0, board->CellCenter(0, 5).y - 40.0f);
}

TEST(TrainPainterTest, FramesStepDownTheRowsFromTheBottomThenAcrossTheColumns) {
    // A 640 x 640 sheet: four columns and rows of 160 pixels.
    const auto first = TrainPainter::CellOf(0, 4, 4);
    EXPECT_FLOAT_EQ(first.s0, 0.0f);
    EXPECT_FLOAT_EQ(first.t0, 0.0f);
    EXPECT_FLOAT_EQ(first.s1, 0.25f);
    EXPECT_FLOAT_EQ(first.t1, 0.25f);
    const auto fourth = TrainPainter::CellOf(3, 4, 4);
    EXPECT_FLOAT_EQ(fourth.s0, 0.0f);
    EXPECT_FLOAT_EQ(fourth.t0, 0.75f) << "the fourth frame is the top cell of the first column";
    const auto quarterTurn = TrainPainter::CellOf(9, 4, 4);
    EXPECT_FLOAT_EQ(quarterTurn.s0, 0.5f);
    EXPECT_FLOAT_EQ(quarterTurn.t0, 0.25f);
    // A one-frame picture shows whole.
    const auto whole = TrainPainter::CellOf(0, 1, 1);
    EXPECT_FLOAT_EQ(whole.s1, 1.0f);
    EXPECT_FLOAT_EQ(whole.t1, 1.0f);
}

}  // namespace
