#pragma once

#include <cstdint>

// The generator's mix of rail kinds for one difficulty: percentages of the
// first four weight classes (the fifth gets the rest), read from
// "Data/Difficult.Cfg" each time a level is generated.
class DifficultyWeights {
public:
    static constexpr const char* kFileName = "Data/Difficult.Cfg";

    // Reads the key of difficulty d (0..2); a missing file or fewer than
    // four weights is fatal.
    static DifficultyWeights Read(int difficulty);
    static const char* KeyFor(int difficulty);

    DifficultyWeights(int32_t w0, int32_t w1, int32_t w2, int32_t w3);

    // The rail kind for a draw p in 0..99; draws the extra random number a
    // two- or four-kind class needs.
    int32_t KindFor(int p) const;

    int32_t cut[4];
};
