#pragma once

#include <cstddef>
#include <cstdint>

// The two XOR scramblings of the game's files. Both are their own inverse.
// The constants live here only; kvtool and the game share them.
class Scrambler {
public:
    // Archive names and the first bytes of archive entries: the key returns to
    // the seed after every byte, so every byte meets the same constant.
    static constexpr uint8_t kArchiveSeed = 0x5A;
    static constexpr uint8_t kArchiveBound = 0x7F;
    // Only this many leading bytes of an archive name or entry are scrambled.
    static constexpr size_t kArchiveScrambledBytes = 2048;

    // Options and high-score files: a rolling key that climbs from the seed to
    // the bound and starts again.
    static constexpr uint8_t kConfigSeed = 0x21;
    static constexpr uint8_t kConfigBound = 0xC3;

    static void Archive(uint8_t* data, size_t length);
    static void Config(uint8_t* data, size_t length);
};
