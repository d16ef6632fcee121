#include "game/RaceBoard.h"

#include "game/Board.h"

RaceBoard RaceBoard::Of(const Board& board) {
    RaceBoard race;
    race.width = board.boardWidth;
    race.height = board.boardHeight;
    for (int c = 0; c < kCells; ++c) {
        for (int r = 0; r < kCells; ++r) {
            race.kind[c][r] = kEmpty;
        }
    }
    for (int c = 0; c < race.width; ++c) {
        for (int r = 0; r < race.height; ++r) {
            const BoardCell& cell = board.Cell(c, r);
            if (cell.block) {
                race.kind[c][r] = static_cast<int8_t>(cell.block->kind);
                race.item[c][r] = static_cast<int8_t>(cell.item);
            }
        }
    }
    return race;
}
