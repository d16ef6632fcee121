#include <gtest/gtest.h>

#include <set>

#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/BoardPainter.h"
#include "game/TrainPainter.h"
#include "support/GameTestData.h"

namespace {

// Hand-made levels get lines between their own cells only; generated ones
// lines across the whole screen, on the edges between the cells.
TEST(GamePaintersTest, GridLinesRunBetweenTheCellsOfTheBoard) {
    for (const int level : {1, 5}) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        GameTestData data(true);
        data.Write();
        Board board(level);
        board.LoadCatalogue();
        ASSERT_EQ(board.levelNumber, level);
        const int w = board.boardWidth;
        const int h = board.boardHeight;
        const auto lines = BoardPainter::GridLines(board);
        ASSERT_EQ(lines.size(), static_cast<size_t>(w - 1 + h - 1));
        const float left = level < 5 ? static_cast<float>(board.originX) : 0.0f;
        const float bottom = level < 5 ? static_cast<float>(board.originY) : 0.0f;
        int vertical = 0;
        std::set<int> rowEdges;
        for (const auto& line : lines) {
            if (line.x0 == line.x1) {
                // x of the right edge of column `vertical`.
                EXPECT_EQ(line.x0, board.CellCenter(vertical++, 0).x + 40.0f);
                EXPECT_EQ(line.y0, bottom);
                EXPECT_EQ(line.y1, 600.0f - bottom) << "the board is centred";
            } else {
                EXPECT_EQ(line.y1, line.y0);
                for (int r = 1; r < h; ++r) {
                    rowEdges.insert(line.y0 == board.CellCenter(0, r).y + 40.0f ? r : -1);
                }
                EXPECT_EQ(line.x0, left);
                EXPECT_EQ(line.x1, 800.0f - left);
            }
        }
        EXPECT_EQ(vertical, w - 1);
        rowEdges.erase(-1);
        EXPECT_EQ(rowEdges.size(), static_cast<size_t>(h - 1)) << "one line on each row's top edge";
    }
}

TEST(TrainPainterTest, FramesStepDownTheRowsFromTheBottomThenAcrossTheColumns) {
    struct Case {
        int frame, columns, rows;
        float s0, t0, s1, t1;
    };
    // A 640 x 640 sheet: four columns and rows of 160 pixels; the fourth
    // frame is the top cell of the first column; a one-frame picture shows whole.
    const Case cases[] = {{0, 4, 4, 0.0f, 0.0f, 0.25f, 0.25f},
                          {3, 4, 4, 0.0f, 0.75f, 0.25f, 1.0f},
                          {9, 4, 4, 0.5f, 0.25f, 0.75f, 0.5f},
                          {0, 1, 1, 0.0f, 0.0f, 1.0f, 1.0f}};
    for (const Case& c : cases) {
        const auto cell = TrainPainter::CellOf(c.frame, c.columns, c.rows);
        EXPECT_FLOAT_EQ(cell.s0, c.s0) << "frame " << c.frame;
        EXPECT_FLOAT_EQ(cell.t0, c.t0) << "frame " << c.frame;
        EXPECT_FLOAT_EQ(cell.s1, c.s1) << "frame " << c.frame;
        EXPECT_FLOAT_EQ(cell.t1, c.t1) << "frame " << c.frame;
    }
}

}  // namespace
