#include "data/Scrambler.h"

static_assert(Scrambler::kArchiveSeed < Scrambler::kArchiveBound, "seed must lie below the bound");
static_assert(Scrambler::kConfigSeed < Scrambler::kConfigBound, "seed must lie below the bound");

void Scrambler::Archive(uint8_t* data, size_t length) {
    uint8_t key = kArchiveSeed;
    for (size_t i = 0; i < length; ++i) {
        data[i] ^= key;
        ++key;
        if (key < kArchiveBound) {
            key = kArchiveSeed;
        }
    }
}

void Scrambler::Config(uint8_t* data, size_t length) {
    uint8_t key = kConfigSeed;
    for (size_t i = 0; i < length; ++i) {
        data[i] ^= key;
        ++key;
        if (key > kConfigBound) {
            key = kConfigSeed;
        }
    }
}
