#pragma once

#include <cstdint>

// Process-wide values of the running game, read by the board, the train, the
// game screen and the score screen.
enum GameStateValue : int32_t {
    StatePlaying = 1,
    StateLevelComplete = 2,
    StateGameOver = 6,
    // GameEndMark while a game runs.
    EndMarkRunning = 8,
};

extern int32_t GameState;
extern int32_t GameEndMark;
extern int32_t score;
