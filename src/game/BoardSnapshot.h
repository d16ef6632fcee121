#pragma once

#include <cstdint>

#include "game/Board.h"
#include "game/BoardCell.h"

// A copy of a level as it was laid out: size, origin and every cell with its
// block and item. Taken right after a level is loaded, it lets the player
// start the same level again, whatever way the level was drawn.
class BoardSnapshot {
public:
    static BoardSnapshot Take(const Board& board);
    // Lays the copied level back: every cell still, nothing hovered.
    void Restore(Board& board) const;

private:
    BoardCell cells[Board::kMaxCells][Board::kMaxCells];
    int32_t boardWidth = 0;
    int32_t boardHeight = 0;
    int32_t levelNumber = 0;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t cellSize = 0;
};
