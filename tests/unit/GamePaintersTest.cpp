#include <gtest/gtest.h>

#include <set>

#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/BoardPainter.h"
#include "game/TrainPainter.h"
#include "support/GameTestData.h"

namespace {

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
