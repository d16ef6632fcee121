#pragma once

#include <cstdint>

// Tuning of the train and of generated levels per difficulty, read from
// "Data/Game.Cfg" whenever a game screen is built and shared by the board,
// the train and the game screen.
class GameSettings {
public:
    static constexpr const char* kFileName = "Data/Game.Cfg";

    static GameSettings& Instance();

    // Reads the file through the archive. A missing file, a text that does
    // not parse or an array with fewer than three entries is fatal.
    void Read();

    int32_t CoalMass = 0;
    int32_t CoalHeaps[3] = {};
    float CoalUsage[3] = {};
    int32_t NumSemafors[3] = {};
    float eXprSpeed[3] = {};
    int32_t GameOverTime = 0;
};
