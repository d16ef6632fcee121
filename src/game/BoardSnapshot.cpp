#include "game/BoardSnapshot.h"

BoardSnapshot BoardSnapshot::Take(const Board& board) {
    BoardSnapshot snapshot;
    for (int column = 0; column < Board::kMaxCells; ++column) {
        for (int row = 0; row < Board::kMaxCells; ++row) {
            snapshot.cells[column][row] = board.Cell(column, row);
        }
    }
    snapshot.boardWidth = board.boardWidth;
    snapshot.boardHeight = board.boardHeight;
    snapshot.levelNumber = board.levelNumber;
    snapshot.originX = board.originX;
    snapshot.originY = board.originY;
    snapshot.cellSize = board.CellSize;
    return snapshot;
}

void BoardSnapshot::Restore(Board& board) const {
    board.boardWidth = boardWidth;
    board.boardHeight = boardHeight;
    board.levelNumber = levelNumber;
    board.originX = originX;
    board.originY = originY;
    board.CellSize = cellSize;
    for (int column = 0; column < Board::kMaxCells; ++column) {
        for (int row = 0; row < Board::kMaxCells; ++row) {
            BoardCell& cell = board.Cell(column, row);
            cell = cells[column][row];
            cell.hovered = false;
        }
    }
}
