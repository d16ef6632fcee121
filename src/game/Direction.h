#pragma once

#include <cstdint>

// Headings of the train and sides of a block. Adding 1 modulo 4 is a
// clockwise quarter turn.
enum class Direction : int32_t { Up = 0, Right = 1, Down = 2, Left = 3 };

// Grid step of a heading as (column change, row change); row 0 is the top row.
inline int StepColumn(Direction d) {
    return d == Direction::Right ? 1 : (d == Direction::Left ? -1 : 0);
}
inline int StepRow(Direction d) {
    return d == Direction::Down ? 1 : (d == Direction::Up ? -1 : 0);
}

inline Direction TurnClockwise(Direction d) {
    return static_cast<Direction>((static_cast<int32_t>(d) + 1) % 4);
}
inline Direction TurnCounterClockwise(Direction d) {
    return static_cast<Direction>((static_cast<int32_t>(d) + 3) % 4);
}
