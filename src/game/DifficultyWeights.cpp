#include "game/DifficultyWeights.h"

#include <cstdint>
#include <memory>
#include <string>

#include "data/OConfigFile.h"
#include "game/GameDataFile.h"
#include "game/GameRandom.h"

const char* DifficultyWeights::KeyFor(int difficulty) {
    static const char* const keys[3] = {"EasyDifficult", "NormalDifficult", "HardDifficult"};
    return keys[difficulty < 0 ? 0 : (difficulty > 2 ? 2 : difficulty)];
}

DifficultyWeights DifficultyWeights::Read(int difficulty) {
    OConfigFile config;
    GameDataFile::LoadFromArchive(config, kFileName);
    int count = 0;
    const char* key = KeyFor(difficulty);
    std::unique_ptr<int[]> weights(config.GetIntArray(key, count, ' '));
    if (!weights || count < 4) {
        GameDataFile::Fail(kFileName, std::string("has no four weights for ") + key);
    }
    return DifficultyWeights(weights[0], weights[1], weights[2], weights[3]);
}

DifficultyWeights::DifficultyWeights(int32_t w0, int32_t w1, int32_t w2, int32_t w3) {
    // Wide sums so absurd percentages cannot overflow.
    int64_t sum = w0;
    cut[0] = w0;
    sum += w1;
    cut[1] =
        static_cast<int32_t>(sum < INT32_MIN ? INT32_MIN : (sum > INT32_MAX ? INT32_MAX : sum));
    sum += w2;
    cut[2] =
        static_cast<int32_t>(sum < INT32_MIN ? INT32_MIN : (sum > INT32_MAX ? INT32_MAX : sum));
    sum += w3;
    cut[3] =
        static_cast<int32_t>(sum < INT32_MIN ? INT32_MIN : (sum > INT32_MAX ? INT32_MAX : sum));
}

int32_t DifficultyWeights::KindFor(int p) const {
    if (p < cut[0]) {
        return 0;
    }
    if (p < cut[1]) {
        return GameRandom::Between(1, 2);
    }
    if (p < cut[2]) {
        return 3;
    }
    if (p < cut[3]) {
        return GameRandom::Between(4, 5);
    }
    return GameRandom::Between(6, 9);
}
