#pragma once

#include <vector>

#include "render/OVector3.h"

class Board;
class OTexture;

// Draws the playing field in the 800 x 600 virtual screen: the blocks, the
// grid lines, sliding blocks again on top of the lines, coal heaps and
// workers, the red frame of the hovered block, and (in a pass of its own,
// after the train) the semaphores. Only reads the board.
class BoardPainter {
public:
    static constexpr float kGridGrey = 0.15f;

    // One grid line from (x0, y0) to (x1, y1).
    struct Line {
        float x0;
        float y0;
        float x1;
        float y1;
    };

    // Which blocks a pass draws.
    enum class Cells { All, Resting, Sliding };

    // Blocks, lines, sliding blocks, coal and workers, hover frames.
    static void DrawBoard(const Board& board);
    // DrawBoard in two halves with the same result: what stands still
    // (blocks at rest, lines, their coal and workers), which the game screen
    // keeps in its still layer, and what moves over it (sliding blocks with
    // their items, hover frames).
    static void DrawResting(const Board& board);
    static void DrawMoving(const Board& board);
    // Red and green semaphores; drawn last so they lie over the engine.
    static void DrawSemaphores(const Board& board);

    // The grid lines of the board's level: across the board on hand-made
    // levels, across the whole screen on generated ones.
    static std::vector<Line> GridLines(const Board& board);

    // A block-sized quad (80 x 80) centred on the position.
    static void DrawBlockQuad(const OTexture* texture, const OVector3& position);
    // An item's quad at its texture's own size, centred on the position.
    static void DrawItemQuad(const OTexture* texture, const OVector3& position);

    // The passes DrawBoard is made of (the benchmark times them one by one).
    static void DrawBlocks(const Board& board, Cells cells);
    static void DrawGridLines(const Board& board);
    // Semaphores, or coal heaps and workers on the blocks chosen.
    static void DrawItems(const Board& board, bool semaphores, Cells cells = Cells::All);
    static void DrawHoverFrames(const Board& board);

private:
    // Sliding blocks over what is drawn, the coal and workers of itemCells,
    // then the hover frames.
    static void DrawSlidingAndOver(const Board& board, Cells itemCells);
};
