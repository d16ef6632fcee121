#pragma once

#include <cstdint>

class Board;

// A compact copy of a level for the level checker: the kind of every block
// and the item it carries, the empty cell marked, nothing drawn.
struct RaceBoard {
    static constexpr int kCells = 16;
    static constexpr int8_t kEmpty = -1;

    // The level as it lies now; an item on an empty cell is dropped, since
    // the first block slid there replaces it.
    static RaceBoard Of(const Board& board);

    int width = 0;
    int height = 0;
    int8_t kind[kCells][kCells] = {};
    int8_t item[kCells][kCells] = {};
};
